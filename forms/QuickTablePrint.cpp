#include "forms/QuickTablePrint.h"

#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "forms/QuickTableModel.h"
#include "forms/WindowLook.h"

using tavenko::face::QuickTable;

namespace {

constexpr qreal kTablePoints = 9;
constexpr qreal kSmallestTablePoints = 5;
constexpr QSizeF kPrintedChart(900, 420);  // in the chart's own pixels

QFont PrintFont(qreal points, bool bold = false) {
  QFont font = WindowFont();
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The heading's last line: what the grey rows are.
QString GreyRowsNote(const QuickTable& table) {
  std::set<std::string> messages;
  for (std::size_t row = 0; row < table.RowCount(); ++row)
    messages.insert(table.Messages(row).begin(), table.Messages(row).end());
  QStringList texts;
  for (const std::string& m : messages) texts << ToQString(m);
  return QStringLiteral("灰色の行は計算の際にメッセージの出る行です：") + texts.join(QStringLiteral("／"));
}

// Where the table goes and how its rows are laid out on a page.
class TablePages {
 public:
  TablePages(QPainter& painter, const QuickTable& table, const QRectF& page)
      : painter_(painter), table_(table), page_(page) {
    FitColumns();
  }

  // Pages the rows take when the first page has `firstTop` free from.
  int PageCount(qreal firstTop) const {
    const qreal rowsLeft = qreal(table_.RowCount()) - RowsFrom(firstTop);
    return 1 + (rowsLeft > 0 ? int(std::ceil(rowsLeft / RowsFrom(page_.top()))) : 0);
  }

  // Draws every row from `firstTop` on, starting new pages on `printer`.
  void Draw(QPrinter& printer, qreal firstTop) {
    const int pages = PageCount(firstTop);
    int page = 1;
    qreal y = DrawHeader(firstTop);
    for (std::size_t row = 0; row < table_.RowCount(); ++row) {
      if (y + rowHeight_ > Bottom()) {
        DrawFooter(page, pages);
        printer.newPage();
        ++page;
        y = DrawHeader(page_.top());
      }
      DrawRow(row, y);
      y += rowHeight_;
    }
    DrawFooter(page, pages);
  }

 private:
  qreal Bottom() const { return page_.bottom() - rowHeight_ * 1.5; }  // the footer below
  int RowsFrom(qreal top) const { return std::max(1, int((Bottom() - top - rowHeight_) / rowHeight_)); }

  // Each column as wide as its widest text; the font shrinks until the
  // columns fit across the page, and the room left is shared out.
  void FitColumns() {
    const int columns = table_.ColumnCount();
    std::vector<QStringList> widest(columns);
    widths_.assign(columns, 0);
    for (int c = 0; c < columns; ++c) widest[c] = WidestTexts(table_, c) << ToQString(table_.Captions()[c]);
    for (qreal points = kTablePoints;; points -= 0.5) {
      font_ = PrintFont(points);
      const QFontMetricsF metrics(font_, painter_.device());
      padding_ = metrics.averageCharWidth();
      qreal total = 0;
      for (int c = 0; c < columns; ++c) {
        widths_[c] = 0;
        for (const QString& text : widest[c])
          widths_[c] = std::max(widths_[c], metrics.horizontalAdvance(text));
        widths_[c] += 2 * padding_;
        total += widths_[c];
      }
      rowHeight_ = metrics.height() * 1.4;
      if (total <= page_.width() || points <= kSmallestTablePoints) {
        const qreal share = std::max<qreal>(0, page_.width() - total) / columns;
        for (qreal& width : widths_) width += share;
        return;
      }
    }
  }

  QRectF Cell(int column, qreal y) const {
    qreal x = page_.left();
    for (int c = 0; c < column; ++c) x += widths_[c];
    return {x, y, widths_[column], rowHeight_};
  }

  qreal DrawHeader(qreal y) {
    painter_.setFont(font_);
    painter_.fillRect(QRectF(page_.left(), y, page_.width(), rowHeight_), QColor(224, 224, 224));
    painter_.setPen(Qt::black);
    for (int c = 0; c < table_.ColumnCount(); ++c)
      painter_.drawText(Cell(c, y), Qt::AlignCenter, ToQString(table_.Captions()[c]));
    painter_.drawLine(QPointF(page_.left(), y + rowHeight_), QPointF(page_.right(), y + rowHeight_));
    return y + rowHeight_;
  }

  void DrawRow(std::size_t row, qreal y) {
    painter_.fillRect(Cell(0, y), QuickTableModel::kVariedColumnColour);
    painter_.setPen(table_.Valid(row) ? QColor(Qt::black) : QuickTableModel::kInvalidRowColour);
    for (int c = 0; c < table_.ColumnCount(); ++c)
      painter_.drawText(Cell(c, y).adjusted(padding_, 0, -padding_, 0), Qt::AlignRight | Qt::AlignVCenter,
                        ToQString(table_.Text(row, c)));
    painter_.setPen(QPen(QColor(200, 200, 200), 0));
    painter_.drawLine(QPointF(page_.left(), y + rowHeight_), QPointF(page_.right(), y + rowHeight_));
  }

  void DrawFooter(int page, int pages) {
    painter_.setPen(Qt::black);
    painter_.setFont(font_);
    painter_.drawText(QRectF(page_.left(), page_.bottom() - rowHeight_, page_.width(), rowHeight_),
                      Qt::AlignCenter, QStringLiteral("%1 / %2").arg(page).arg(pages));
  }

  QPainter& painter_;
  const QuickTable& table_;
  QRectF page_;
  QFont font_;
  qreal padding_ = 0;
  qreal rowHeight_ = 0;
  std::vector<qreal> widths_;
};

// Draws the lines of the heading from the top of `page`; returns where they end.
qreal DrawHeading(QPainter& painter, const QStringList& lines, const QRectF& page) {
  qreal y = page.top();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QFont font = i == 0 ? PrintFont(14, true) : PrintFont(10);
    painter.setFont(font);
    const QRectF room(page.left(), y, page.width(), page.height());
    const QRectF used = painter.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, lines[i]);
    painter.drawText(room, Qt::AlignLeft | Qt::TextWordWrap, lines[i]);
    y = used.bottom() + QFontMetricsF(font, painter.device()).height() * (i == 0 ? 0.4 : 0.15);
  }
  return y;
}

}  // namespace

void PrintQuickTable(QPainter& painter, QPrinter& printer, const QStringList& heading,
                     const QuickTable& table, QChartView& chart) {
  const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());

  QStringList lines = heading;
  if (!table.AllValid()) lines << GreyRowsNote(table);
  qreal y = DrawHeading(painter, lines, page);

  // The chart in a page's shape rather than the window's, then as it was.
  QChart* drawing = chart.chart();
  const QSizeF shown = drawing->size();
  drawing->resize(kPrintedChart);
  drawing->layout()->activate();
  const qreal height =
      std::min(page.height() * 0.45, page.width() * kPrintedChart.height() / kPrintedChart.width());
  const QRectF target(page.left(), y, page.width(), height);
  chart.scene()->render(&painter, target, QRectF(drawing->pos(), kPrintedChart), Qt::KeepAspectRatio);
  drawing->resize(shown);
  drawing->layout()->activate();
  y = target.bottom() + page.height() * 0.02;

  TablePages(painter, table, page).Draw(printer, y);
}
