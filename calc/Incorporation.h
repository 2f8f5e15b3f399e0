// The incorporation comparison: the taxes of a sole proprietor set against
// those of a company that earns the same profit and pays part of it to the
// owner as officer salary.
//
// The window shows three columns, each recomputed from the figures in its own
// fields (in 万円, as the fields hold them): the proprietor column from the
// business income and deductions, the company column from the company income,
// the salary column from the salary and deductions. A split of the profit at a
// whole percentage fills the company income and the salary; the combined
// totals and the bar chart follow. The search walks the split upward to the
// lowest combined tax.
//
// IncorporationModel is the whole window without its widgets. The columns hang
// on the change of a field's shown text, not of its value, so the model keeps
// every figure as its field would, through the fields' own rule (FieldRule).
// Every figure here is in yen unless its name says "Field", which marks a
// value in 万円 as a figure field holds it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "calc/ChartColour.h"
#include "core/Amount.h"
#include "law/Edition.h"

namespace tavenko::calc {

// The sole proprietor: income tax with surtax and inhabitant taxes on the
// business income after deductions, business tax on the business income.
struct ProprietorTaxes {
  YenAmount incomeTax = 0;
  YenAmount inhabitantTax = 0;  // prefectural and municipal together
  YenAmount businessTax = 0;
  YenAmount total = 0;
  friend bool operator==(const ProprietorTaxes&, const ProprietorTaxes&) = default;
};
ProprietorTaxes ProprietorColumn(const law::Edition& law, Extended businessIncomeField, Extended deductionsField);

// The company: corporation tax with the edition's addition (a tenth; the
// local corporation tax), the local tax (the lower inhabitant rate of a small
// company on the corporation tax before the addition, plus the per-capita
// levy that a company owes even with no income) and the enterprise tax.
struct CompanyTaxes {
  YenAmount corporationTax = 0;  // with the addition
  YenAmount localTax = 0;
  YenAmount enterpriseTax = 0;
  YenAmount total = 0;
  friend bool operator==(const CompanyTaxes&, const CompanyTaxes&) = default;
};
CompanyTaxes CompanyColumn(const law::Edition& law, Extended companyIncomeField);

// The owner taxed on the officer salary: salary income less deductions; no
// business tax falls on a salary.
struct SalaryTaxes {
  YenAmount incomeTax = 0;
  YenAmount inhabitantTax = 0;
  YenAmount total = 0;
  friend bool operator==(const SalaryTaxes&, const SalaryTaxes&) = default;
};
SalaryTaxes SalaryColumn(const law::Edition& law, Extended salaryField, Extended deductionsField);

// A figure as its field keeps it: the value the field holds and the text it
// shows.
struct FieldFigure {
  Extended value = 0;
  std::string text;
  friend bool operator==(const FieldFigure&, const FieldFigure&) = default;
};
// What a figure field of the window makes of a value set into it (all of
// them have the same settings: 12 digits, no decimals).
using FieldRule = std::function<FieldFigure(Extended value)>;

// The bar chart: five bars, in the order they are added to the series.
struct ComparisonBar {
  std::string_view label;
  ChartColour colour;
  Extended value;     // 万円
  std::string shown;  // the figure as its field shows it
  friend bool operator==(const ComparisonBar&, const ComparisonBar&) = default;
};
using ComparisonChart = std::array<ComparisonBar, 5>;

// Everything the window shows but the two figures typed into it.
struct IncorporationSheet {
  // The proprietor's column.
  FieldFigure proprietorIncomeTax, proprietorInhabitantTax, proprietorBusinessTax, proprietorTotal;
  // The company's column: its income is set by the split; the blank field
  // under the empty caption always holds 0.
  FieldFigure companyIncome, companyBlank, corporationTax, companyLocalTax, enterpriseTax, companyTotal;
  // The salary column: the salary is set by the split, the deductions are a
  // copy of the typed ones.
  FieldFigure salary, salaryDeductions, salaryIncomeTax, salaryInhabitantTax, salaryBlank, salaryTotal;
  // Company total plus the owner's total, and that less the proprietor's
  // total: negative when the company form saves tax.
  FieldFigure combinedTotal, saving;

  int sliderPosition = 0;                // the split in percent of the profit kept in the company
  bool comparisonShown = false;          // the company and salary columns, from the first split on
  std::optional<ComparisonChart> chart;  // as last drawn; nothing before the first drawing
  bool chartRedrawn = false;             // by the last step
};

class IncorporationModel {
 public:
  // A fresh window: every figure 0, the slider at 0, only the proprietor's
  // column shown.
  IncorporationModel(const law::Edition& law, FieldRule rule);

  const IncorporationSheet& Sheet() const { return sheet_; }

  // The business income or the deductions changed (the typed figures, 万円):
  // the proprietor's column; the company column ends all zero, and the
  // salary column gets the whole income as salary. The slider, the combined
  // figures and the chart stay as they were.
  void FiguresTyped(Extended businessIncomeField, Extended deductionsField);

  // The slider at `percent` (0 to 100): the split, the combined figures and
  // the chart.
  void Split(Extended businessIncomeField, int percent);

  // The search for the split with the lowest combined tax: a walk upward from
  // 1 % that stops at the first rise of the saving figure and settles one
  // step back with the chart drawn; without a rise it ends at 98 % with the
  // chart as it was.
  void Search(Extended businessIncomeField);

 private:
  // Puts a value into a figure as its field would; true when the shown text
  // changed, which is when the field announces a change.
  bool Set(FieldFigure& figure, Extended value) const;
  void CompanyIncomeChanged();
  void SalaryChanged();
  // Company income and salary at `percent`, then the combined figures.
  void ApplySplit(Extended businessIncomeField, int percent);
  void DrawChart();

  const law::Edition* law_;
  FieldRule rule_;
  IncorporationSheet sheet_;
};

}  // namespace tavenko::calc
