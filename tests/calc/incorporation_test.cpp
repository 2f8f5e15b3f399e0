// The three columns of the incorporation comparison, the split of the profit,
// the combined figures and the chart bars, in exact yen.
#include "Incorporation.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tavenko::calc {

// Readable failures: the yen figures of a column in the order it shows them.
void PrintTo(const ProprietorTaxes& t, std::ostream* os) {
  *os << "{" << t.incomeTax << ", " << t.inhabitantTax << ", " << t.businessTax << ", " << t.total
      << "}";
}
void PrintTo(const CompanyTaxes& t, std::ostream* os) {
  *os << "{" << t.corporationTax << ", " << t.localTax << ", " << t.enterpriseTax << ", "
      << t.total << "}";
}
void PrintTo(const SalaryTaxes& t, std::ostream* os) {
  *os << "{" << t.incomeTax << ", " << t.inhabitantTax << ", " << t.total << "}";
}

namespace {

struct ProprietorRow {
  const char* name;
  Extended income, deductions;  // 万円, as typed
  ProprietorTaxes expected;
};

TEST(IncorporationProprietor, TaxesOnBusinessIncome) {
  const ProprietorRow rows[] = {
      {"1000 less 100", 1000, 100, {1464114, 900000, 355000, 2719114}},
      // 2,000,000 taxable: (200,000 - 97,500) × 1.021 = 104,652.5, ties to even;
      // the business tax below 2,900,000 is clamped.
      {"200, business tax clamped", 200, 0, {104652, 200000, 0, 304652}},
      // Deductions above the income clamp the taxable income, not the
      // business tax, which is levied before deductions.
      {"deductions above income", 400, 500, {0, 0, 55000, 55000}},
      {"no income", 0, 100, {0, 0, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ProprietorColumn(row.income, row.deductions), row.expected);
  }
}

struct CompanyRow {
  const char* name;
  Extended income;  // 万円, unrounded as the split sets it
  CompanyTaxes expected;
};

TEST(IncorporationCompany, TaxesOnCompanyIncome) {
  const CompanyRow rows[] = {
      {"500", 500, {825000, 199750, 273000, 1297750}},
      {"390", 390, {643500, 171205, 195000, 1009705}},
      // A company with no income still owes the flat 70,000 yen.
      {"no income", 0, {0, 70000, 0, 70000}},
      // 1,500 × 0.173 + 70,000 = 70,259.5: ties to even.
      {"1 万円, local tax halfway", 1, {1650, 70260, 500, 72410}},
      // A fraction of a yen in the field is read as Round(value × 10000).
      {"1.5 万円 unrounded", 1.5L, {2475, 70389, 750, 73614}},
      // Above 8,000,000 the 23.4 % row: K = 1,668,000.
      {"1000", 1000, {1834800, 358564, 684000, 2877364}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CompanyColumn(row.income), row.expected);
  }
}

struct SalaryRow {
  const char* name;
  Extended salary, deductions;
  SalaryTaxes expected;
};

TEST(IncorporationSalary, TaxesOnOfficerSalary) {
  const SalaryRow rows[] = {
      // Salary income 3,460,000; (246,000 - 97,500) × 1.021 = 151,618.5.
      {"500 less 100", 500, 100, {151618, 246000, 397618}},
      // Salary income 4,340,000; (668,000 - 427,500) × 1.021 = 245,550.5.
      {"610 less 100", 610, 100, {245550, 334000, 579550}},
      {"the whole 1000 as salary", 1000, 100, {952082, 680000, 1632082}},
      {"within the salary deduction", 65, 0, {0, 0, 0}},
      {"deductions above salary income", 300, 300, {0, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SalaryColumn(row.salary, row.deductions), row.expected);
  }
}

TEST(IncorporationSplit, CompanyShareAndSalaryRest) {
  struct Row {
    YenAmount profit;
    int percent;
    Extended company, salary;
  };
  const Row rows[] = {
      {10000000, 50, 500, 500}, {10000000, 39, 390, 610}, {10000000, 0, 0, 1000},
      {100000, 11, 1.1L, 8.9L},  // unrounded: the fields show 1 and 9
      {0, 98, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.percent);
    const Extended company = CompanyShareField(row.profit, row.percent);
    EXPECT_NEAR(static_cast<double>(company), static_cast<double>(row.company), 1e-12);
    EXPECT_NEAR(static_cast<double>(SalaryShareField(row.profit, company)),
                static_cast<double>(row.salary), 1e-12);
  }
}

TEST(IncorporationTotals, SavingIsCombinedLessProprietor) {
  const CombinedTotals totals = CombineTotals(271.9114L, 100.9705L, 57.955L);
  EXPECT_EQ(StoreYen(totals.combinedField * 10000), 1589255);
  EXPECT_EQ(StoreYen(totals.savingField * 10000), -1129859);
  // When the company form costs more, the figure is positive.
  EXPECT_EQ(StoreYen(CombineTotals(0, 7, 0).savingField * 10000), 70000);
}

TEST(IncorporationChart, FiveBarsInOrder) {
  const auto bars = ComparisonBars({158.9255L, -112.9859L}, 57.955L, 100.9705L, 271.9114L);
  const struct {
    std::string_view label;
    BarColour colour;
    YenAmount yen;
  } expected[] = {{"軽減", BarColour::Yellow, -1129859},
                  {"法人＋給与", BarColour::Yellow, 1589255},
                  {"給与", BarColour::Red, 579550},
                  {"法人", BarColour::Lime, 1009705},
                  {"事業", BarColour::Blue, 2719114}};
  for (std::size_t i = 0; i < bars.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bars[i].label, expected[i].label);
    EXPECT_EQ(bars[i].colour, expected[i].colour);
    EXPECT_EQ(StoreYen(bars[i].value * 10000), expected[i].yen);
  }
}

}  // namespace
}  // namespace tavenko::calc
