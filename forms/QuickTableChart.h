// The chart of a quick-reference table: the three taxes and their total
// against the varied figure on the left axis, the average and marginal rates
// dashed on a second axis in %, with a legend of the table's own captions
// (the inheritance cases name the spouse's and the heirs' shares) and
// Japanese axis titles. A table that compares editions adds the total under
// the other edition, dashed beside the bold total. Money is drawn in 万円 whatever the table's unit. Drawn in designed light colours
// that a dark desktop theme does not reach.
#pragma once

#include <QChartView>
#include <array>

#include "face/QuickTable.h"

class QLineSeries;
class QValueAxis;

class QuickTableChart : public QChartView {
  Q_OBJECT

 public:
  // Columns of the table drawn against the money axis and the rate axis.
  static constexpr std::array<int, 4> kMoneyColumns{2, 3, 4, 5};
  static constexpr std::array<int, 2> kRateColumns{6, 7};

  explicit QuickTableChart(QWidget* parent = nullptr);

  // Draws `table`, whose money figures are in `unit`, or empties the chart
  // for nullptr.
  void Show(const tavenko::face::QuickTable* table, tavenko::AmountUnit unit);

  // The series of table column `column` (2 to 7).
  QLineSeries* Series(int column) const;
  // The total under the compared edition; hidden without a comparison.
  QLineSeries* ComparedTotal() const { return comparedTotal_; }
  QValueAxis* FigureAxis() const { return figureAxis_; }
  QValueAxis* MoneyAxis() const { return moneyAxis_; }
  QValueAxis* RateAxis() const { return rateAxis_; }

 private:
  void SetUpAxes();

  std::array<QLineSeries*, kMoneyColumns.size() + kRateColumns.size()> series_{};
  QLineSeries* comparedTotal_ = nullptr;
  QValueAxis* figureAxis_ = nullptr;
  QValueAxis* moneyAxis_ = nullptr;
  QValueAxis* rateAxis_ = nullptr;
};
