// The rows of a quick-reference table for a QTableView: the varied figure in
// column 0, the seven results after it, each cell the text its main-window
// field would show, right-aligned. The model reads the face::QuickTable it
// is given and keeps nothing of its own; texts are made for the cells the
// view paints, so a table of 100,000 rows costs no more to show than one of
// forty.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>

#include "face/QuickTable.h"

class QuickTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The grey of a row whose click shows a message box (the row's figures
  // are not the tax of its inputs); the message is the row's tooltip.
  static const QColor kInvalidRowColour;
  // The ground of the varied column, which leads each row.
  static const QColor kVariedColumnColour;

  using QAbstractTableModel::QAbstractTableModel;

  // Shows `table`, or nothing at all for nullptr.
  void SetTable(std::shared_ptr<const tavenko::face::QuickTable> table);
  const std::shared_ptr<const tavenko::face::QuickTable>& Table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  std::shared_ptr<const tavenko::face::QuickTable> table_;
};

// The texts of `column` that take the most room: those of its largest and its
// smallest value (every figure of a column is grouped alike, so more digits
// never take less room), for sizing a column without making every text.
QStringList WidestTexts(const tavenko::face::QuickTable& table, int column);

// The messages of row `row`, one a line.
QString RowMessages(const tavenko::face::QuickTable& table, std::size_t row);
