#include "forms/QuickTableChart.h"

#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "forms/WindowLook.h"

using tavenko::AmountUnit;
using tavenko::face::Figure;
using tavenko::face::QuickTable;

namespace {

struct Line {
  QColor colour;
  qreal width;
  Qt::PenStyle style;
};

// The taxes in the pie's hues, darkened to stand on white; the total bold;
// the two rates dashed, as they are read on the other axis.
constexpr int kLineCount = int(QuickTableChart::kMoneyColumns.size() + QuickTableChart::kRateColumns.size());
const std::array<Line, kLineCount> kLines{{
    {QColor(214, 0, 0), 1.5, Qt::SolidLine},
    {QColor(0, 150, 0), 1.5, Qt::SolidLine},
    {QColor(0, 0, 214), 1.5, Qt::SolidLine},
    {QColor(0, 0, 0), 2.5, Qt::SolidLine},
    {QColor(224, 128, 0), 1.5, Qt::DashLine},
    {QColor(160, 0, 160), 1.5, Qt::DashLine},
}};

// The line of the total, which a comparison draws again for the other edition.
constexpr int kTotalLine = 3;
static_assert(QuickTableChart::kMoneyColumns[kTotalLine] == 1 + 4, "the total is the fifth result");

int Column(int line) {
  const auto money = int(QuickTableChart::kMoneyColumns.size());
  return line < money ? QuickTableChart::kMoneyColumns[line] : QuickTableChart::kRateColumns[line - money];
}

// Money is drawn in 万円 in either unit: the table holds the yen, and the
// marks of the axes stay short enough to be read whole.
qreal ToChart(bool money, AmountUnit unit, qreal value) {
  return money && unit == AmountUnit::Yen ? value / qreal(tavenko::kYenPerMan) : value;
}

// Round marks over [low, high]: a step of 1, 2, 2.5 or 5 times a power of
// ten, at most six intervals, the ends on whole steps, and as many decimals
// as the step needs, so that no two marks read alike. A single value gets
// room on either side; nothing but zeros spans 0 to 1.
struct Marks {
  qreal low, high, step;
  int intervals, decimals;
};
Marks RoundMarks(qreal low, qreal high) {
  constexpr int kMostIntervals = 6;
  if (low == high) {
    const qreal room = low == 0 ? 1 : std::abs(low) * 0.1;
    if (low == 0) return {0, 1, 0.2, 5, 1};
    low -= room, high += room;
  }
  const qreal raw = (high - low) / kMostIntervals;
  const qreal power = std::pow(10.0, std::floor(std::log10(raw)));
  qreal step = 10 * power;
  for (qreal multiple : {1.0, 2.0, 2.5, 5.0})
    if (multiple * power >= raw * (1 - 1e-9)) {
      step = multiple * power;
      break;
    }
  const qreal first = std::floor(low / step + 1e-9) * step;
  const qreal last = std::ceil(high / step - 1e-9) * step;
  int decimals = 0;
  while (decimals < 12 && std::abs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) >
                              1e-6 * step * std::pow(10.0, decimals))
    ++decimals;
  return {first, last, step, int(std::lround((last - first) / step)), decimals};
}

// The unit an axis of amounts in 万円 is marked in: the largest of 万円, 億円
// and 兆円 that its step is at least one of, so that large figures read whole
// and short.
struct AxisUnit {
  qreal manPerUnit;
  QString name;
};
AxisUnit MoneyUnitFor(qreal low, qreal high) {
  const AxisUnit units[] = {{1e8, QStringLiteral("兆円")}, {1e4, QStringLiteral("億円")}, {1, QStringLiteral("万円")}};
  const qreal step = RoundMarks(low, high).step;
  for (const AxisUnit& unit : units)
    if (step >= unit.manPerUnit) return unit;
  return units[2];
}

void ApplyMarks(QValueAxis* axis, qreal low, qreal high) {
  const Marks marks = RoundMarks(low, high);
  axis->setRange(marks.low, marks.high);
  axis->setTickCount(marks.intervals + 1);
  axis->setLabelFormat(QStringLiteral("%.%1f").arg(marks.decimals));
}

}  // namespace

QuickTableChart::QuickTableChart(QWidget* parent) : QChartView(parent) {
  setObjectName(QStringLiteral("QuickTableChart"));
  setRenderHint(QPainter::Antialiasing);
  setFrameShape(QFrame::StyledPanel);

  QChart* chart = this->chart();
  chart->setTheme(QChart::ChartThemeLight);
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setAnimationOptions(QChart::NoAnimation);
  // Grouped marks: 5,000 rather than 5000.
  chart->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  chart->setLocalizeNumbers(true);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setFont(WindowFont(11));

  for (int i = 0; i < kLineCount; ++i) {
    auto* series = new QLineSeries(chart);
    series->setObjectName(QStringLiteral("Column%1").arg(Column(i)));
    series->setPen(QPen(kLines[i].colour, kLines[i].width, kLines[i].style));
    chart->addSeries(series);
    series_[i] = series;
  }
  comparedTotal_ = new QLineSeries(chart);
  comparedTotal_->setObjectName(QStringLiteral("ComparedTotal"));
  // Grey and dashed beside the bold black total, so that both stay seen
  // where they run together.
  comparedTotal_->setPen(QPen(QColor(128, 128, 128), kLines[kTotalLine].width, Qt::DashLine));
  chart->addSeries(comparedTotal_);
  comparedTotal_->setVisible(false);
  SetUpAxes();
}

void QuickTableChart::SetUpAxes() {
  QChart* chart = this->chart();
  const auto axis = [&](Qt::Alignment side, const QString& format) {
    auto* a = new QValueAxis(chart);
    a->setLabelFormat(format);
    a->setLabelsFont(WindowFont(11));
    a->setTitleFont(WindowFont(12));
    a->setTickCount(6);
    chart->addAxis(a, side);
    return a;
  };
  figureAxis_ = axis(Qt::AlignBottom, QStringLiteral("%.0f"));
  moneyAxis_ = axis(Qt::AlignLeft, QStringLiteral("%.0f"));
  rateAxis_ = axis(Qt::AlignRight, QStringLiteral("%.0f"));
  rateAxis_->setTitleText(QStringLiteral("平均・上積の税率（％）"));
  rateAxis_->setGridLineVisible(false);
  for (int i = 0; i < kLineCount; ++i) {
    series_[i]->attachAxis(figureAxis_);
    series_[i]->attachAxis(i < int(kMoneyColumns.size()) ? moneyAxis_ : rateAxis_);
  }
  comparedTotal_->attachAxis(figureAxis_);
  comparedTotal_->attachAxis(moneyAxis_);
}

QLineSeries* QuickTableChart::Series(int column) const {
  for (int i = 0; i < kLineCount; ++i)
    if (Column(i) == column) return series_[i];
  return nullptr;
}

void QuickTableChart::Show(const QuickTable* table, AmountUnit unit) {
  // The old lines go first: every change of an axis lays out every point of
  // every line again, and they would still hold the old table's points.
  for (QLineSeries* series : series_) series->clear();
  comparedTotal_->clear();
  comparedTotal_->setVisible(table && table->ComparedEdition());
  if (!table || table->RowCount() == 0) return;

  const std::size_t rows = table->RowCount();
  const tavenko::face::MainField& varied = table->VariedField();
  const bool moneyVaried = varied.money;
  std::array<QList<QPointF>, kLineCount> points;
  qreal moneyLow = 0, moneyHigh = 0, rateHigh = 0;
  for (int i = 0; i < kLineCount; ++i) {
    const int column = Column(i);
    const bool rate = i >= int(kMoneyColumns.size());
    points[i].reserve(qsizetype(rows));
    for (std::size_t row = 0; row < rows; ++row) {
      const qreal y = ToChart(!rate, unit, qreal(table->Value(row, column)));
      points[i].append(QPointF(ToChart(moneyVaried, unit, qreal(table->FigureAt(row))), y));
      if (rate) {
        rateHigh = std::max(rateHigh, y);
      } else {
        moneyLow = std::min(moneyLow, y);
        moneyHigh = std::max(moneyHigh, y);
      }
    }
    const std::string& caption = table->Captions()[std::size_t(column)];
    series_[i]->setName(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
  }
  QList<QPointF> compared;
  if (table->ComparedEdition()) {
    compared.reserve(qsizetype(rows));
    for (std::size_t row = 0; row < rows; ++row) {
      const qreal y = ToChart(true, unit, qreal(table->Value(row, QuickTable::kComparedTotalColumn)));
      compared.append(QPointF(points[0][qsizetype(row)].x(), y));
      moneyLow = std::min(moneyLow, y);
      moneyHigh = std::max(moneyHigh, y);
    }
    // Named by its edition alone: the legend has little room.
    const std::string_view edition = tavenko::law::EditionOf(*table->ComparedEdition()).name;
    comparedTotal_->setName(QString::fromUtf8(edition.data(), qsizetype(edition.size())));
  }

  // Amounts in the unit their marks read best in, named in the axis title.
  const auto rescale = [](QList<QPointF>& line, bool x, qreal manPerUnit) {
    for (QPointF& point : line) (x ? point.rx() : point.ry()) /= manPerUnit;
  };
  const qreal figureLow = points[0].first().x(), figureHigh = points[0].last().x();
  const AxisUnit figureUnit = moneyVaried ? MoneyUnitFor(figureLow, figureHigh) : AxisUnit{1, QString()};
  const AxisUnit moneyUnit = MoneyUnitFor(moneyLow, moneyHigh);
  for (int i = 0; i < kLineCount; ++i) {
    rescale(points[i], true, figureUnit.manPerUnit);
    if (i < int(kMoneyColumns.size())) rescale(points[i], false, moneyUnit.manPerUnit);
  }
  rescale(compared, true, figureUnit.manPerUnit);
  rescale(compared, false, moneyUnit.manPerUnit);
  const QString figureUnitName =
      moneyVaried ? figureUnit.name : varied.figure == Figure::Years ? QStringLiteral("年") : QStringLiteral("人");
  figureAxis_->setTitleText(QString::fromUtf8(varied.caption.data(), qsizetype(varied.caption.size())) +
                            "（" + figureUnitName + "）");
  moneyAxis_->setTitleText(QStringLiteral("税額（") + moneyUnit.name + QStringLiteral("）"));
  ApplyMarks(figureAxis_, figureLow / figureUnit.manPerUnit, figureHigh / figureUnit.manPerUnit);
  ApplyMarks(moneyAxis_, moneyLow / moneyUnit.manPerUnit, moneyHigh / moneyUnit.manPerUnit);
  // Rates in tens of percent from 0, their marks not drawn across the plot.
  const qreal tens = std::clamp<qreal>(std::ceil(rateHigh / 10), 1, 10);
  rateAxis_->setRange(0, tens * 10);
  rateAxis_->setTickCount(int(tens) + 1);

  for (int i = 0; i < kLineCount; ++i) series_[i]->replace(points[i]);
  comparedTotal_->replace(compared);
}
