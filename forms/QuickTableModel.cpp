#include "forms/QuickTableModel.h"

#include <QColor>

using tavenko::face::QuickTable;

const QColor QuickTableModel::kInvalidRowColour(128, 128, 128);
const QColor QuickTableModel::kVariedColumnColour(236, 242, 250);

namespace {

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

QString RowMessages(const QuickTable& table, std::size_t row) {
  QStringList lines;
  for (const std::string& message : table.Messages(row)) lines << ToQString(message);
  return lines.join('\n');
}

QStringList WidestTexts(const QuickTable& table, int column) {
  if (table.RowCount() == 0) return {};
  std::size_t largest = 0;
  std::size_t smallest = 0;
  for (std::size_t row = 1; row < table.RowCount(); ++row) {
    const auto value = table.Value(row, column);
    if (value > table.Value(largest, column)) largest = row;
    if (value < table.Value(smallest, column)) smallest = row;
  }
  return {ToQString(table.Text(largest, column)), ToQString(table.Text(smallest, column))};
}

void QuickTableModel::SetTable(std::shared_ptr<const QuickTable> table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

int QuickTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !table_ ? 0 : int(table_->RowCount());
}

int QuickTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !table_ ? 0 : table_->ColumnCount();
}

QVariant QuickTableModel::data(const QModelIndex& index, int role) const {
  if (!table_ || !index.isValid()) return {};
  const auto row = std::size_t(index.row());
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole: return ToQString(table_->Text(row, column));
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
      if (!table_->Valid(row)) return kInvalidRowColour;
      if (table_->ColumnField(column).negativesInRed && table_->Value(row, column) < 0)
        return QColor(Qt::red);
      return column == 0 ? QVariant(QColor(Qt::black)) : QVariant();  // on its own light ground
    case Qt::BackgroundRole: return column == 0 ? QVariant(kVariedColumnColour) : QVariant();
    case Qt::ToolTipRole: return table_->Valid(row) ? QVariant() : QVariant(RowMessages(*table_, row));
    default: return {};
  }
}

QVariant QuickTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (!table_ || orientation != Qt::Horizontal || section < 0 || section >= table_->ColumnCount())
    return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  return ToQString(table_->Captions()[std::size_t(section)]);
}
