// The incorporation comparison: the taxes of a sole proprietor set against
// those of a company that earns the same profit and pays part of it to the
// owner as officer salary.
//
// The window shows three columns, each recomputed from the figures in its own
// fields (in 万円, as the fields hold them): the proprietor column from the
// business income and deductions, the company column from the company income,
// the salary column from the salary and deductions. A split of the profit at a
// whole percentage fills the company income and the salary; the combined
// totals and the bar chart follow. Every figure here is in yen unless its name
// says "Field", which marks a value in 万円 as a figure field holds it.
#pragma once

#include <array>
#include <string_view>

#include "Amount.h"
#include "ChartColour.h"

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
ProprietorTaxes ProprietorColumn(Extended businessIncomeField, Extended deductionsField);

// The company: corporation tax with its 10 % addition, the local tax (17.3 %
// of the corporation tax before the addition, plus the flat 70,000 yen that a
// company owes even with no income) and the enterprise tax.
struct CompanyTaxes {
  YenAmount corporationTax = 0;  // with the 10 % addition
  YenAmount localTax = 0;
  YenAmount enterpriseTax = 0;
  YenAmount total = 0;
  friend bool operator==(const CompanyTaxes&, const CompanyTaxes&) = default;
};
CompanyTaxes CompanyColumn(Extended companyIncomeField);

// The owner taxed on the officer salary: salary income less deductions; no
// business tax falls on a salary.
struct SalaryTaxes {
  YenAmount incomeTax = 0;
  YenAmount inhabitantTax = 0;
  YenAmount total = 0;
  friend bool operator==(const SalaryTaxes&, const SalaryTaxes&) = default;
};
SalaryTaxes SalaryColumn(Extended salaryField, Extended deductionsField);

// The split of the profit P (yen) with `percent` of it staying in the company:
// the company income field value p / 100 × P / kYenPerMan, unrounded.
Extended CompanyShareField(YenAmount profit, int percent);
// The rest of the profit as salary, taken from the company income as its field
// holds it: (P − company × kYenPerMan) / kYenPerMan.
Extended SalaryShareField(YenAmount profit, Extended companyShareField);

// Company total plus the owner's total, and that combined figure less the
// proprietor's total: negative when the company form saves tax.
struct CombinedTotals {
  Extended combinedField = 0;
  Extended savingField = 0;
};
CombinedTotals CombineTotals(Extended proprietorTotalField, Extended companyTotalField,
                             Extended salaryTotalField);

// The bar chart: five bars, in the order they are added to the series.
struct ComparisonBar {
  std::string_view label;
  ChartColour colour;
  Extended value;  // 万円
};
std::array<ComparisonBar, 5> ComparisonBars(const CombinedTotals& combined,
                                            Extended salaryTotalField,
                                            Extended companyTotalField,
                                            Extended proprietorTotalField);

// The lowest and highest splits the search tries (in percent).
inline constexpr int kSearchFirstPercent = 1;
inline constexpr int kSearchLastPercent = 98;

}  // namespace tavenko::calc
