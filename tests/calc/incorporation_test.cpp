// The edges of the three columns of the incorporation comparison, in exact
// yen: clamps, halfway roundings and the upper brackets; and the window's
// model driven without a window: the splits, the search and the columns that
// recompute only when a field's shown text changes.
#include "calc/Incorporation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "face/FieldRule.h"

namespace tavenko::calc {

// Readable failures: the yen figures of a column in the order it shows them.
void PrintTo(const ProprietorTaxes& t, std::ostream* os) {
  *os << "{" << t.incomeTax << ", " << t.inhabitantTax << ", " << t.businessTax << ", " << t.total << "}";
}
void PrintTo(const CompanyTaxes& t, std::ostream* os) {
  *os << "{" << t.corporationTax << ", " << t.localTax << ", " << t.enterpriseTax << ", " << t.total << "}";
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
    EXPECT_EQ(ProprietorColumn(tavenko::law::kHeisei29, row.income, row.deductions), row.expected);
  }
}

struct CompanyRow {
  const char* name;
  Extended income;  // 万円, unrounded as the split sets it
  CompanyTaxes expected;
};

TEST(IncorporationCompany, TaxesOnCompanyIncome) {
  const CompanyRow rows[] = {
      // A company with no income still owes the flat 70,000 yen.
      {"no income", 0, {0, 70000, 0, 70000}},
      // 1,500 × 0.173 + 70,000 = 70,259.5: ties to even.
      {"1 万円, local tax halfway", 1, {1650, 70260, 500, 72410}},
      // A split leaves fractions of 万円 in the field; read as Round(value × 10000).
      {"1.5 万円 unrounded", 1.5L, {2475, 70389, 750, 73614}},
      // Above 8,000,000 the 23.4 % row: K = 1,668,000.
      {"1000", 1000, {1834800, 358564, 684000, 2877364}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CompanyColumn(tavenko::law::kHeisei29, row.income), row.expected);
  }
  // 令和7年分: the local corporation tax 10.3 %, the local tax at 7 %, the
  // enterprise tax with the special tax (× 1.37).
  const CompanyRow reiwa7[] = {
      {"no income", 0, {0, 70000, 0, 70000}},
      // K = 600,000; 140,000 × 1.37.
      {"400, reduced rate", 400, {661800, 112000, 191800, 965600}},
      // K = 10,000,000 × 23.2 % − 656,000 = 1,664,000; (700,000 − 208,000) × 1.37.
      {"1000", 1000, {1835392, 186480, 674040, 2695912}},
  };
  for (const auto& row : reiwa7) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CompanyColumn(tavenko::law::kReiwa7, row.income), row.expected);
  }
}

struct SalaryRow {
  const char* name;
  Extended salary, deductions;
  SalaryTaxes expected;
};

TEST(IncorporationSalary, TaxesOnOfficerSalary) {
  const SalaryRow rows[] = {
      // Salary income 3,000,000 × 0.7 - 180,000 = 1,920,000, less 1,000,000.
      {"300 less 100", 300, 100, {46966, 92000, 138966}},
      {"within the salary deduction", 65, 0, {0, 0, 0}},
      {"deductions above salary income", 300, 300, {0, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SalaryColumn(tavenko::law::kHeisei29, row.salary, row.deductions), row.expected);
  }  // 令和7年分's salary income: 3,000,000 × 0.7 − 80,000 = 2,020,000; 650,000 still none.
  EXPECT_EQ(SalaryColumn(tavenko::law::kReiwa7, 300, 100), (SalaryTaxes{52071, 102000, 154071}));
  EXPECT_EQ(SalaryColumn(tavenko::law::kReiwa7, 65, 0), (SalaryTaxes{0, 0, 0}));
}

// The comparison window's figure fields: 12 digits, no decimals, 0 shown.
IncorporationModel FreshWindow() {
  field::FieldSettings settings;
  settings.maxDigits = 12;
  settings.fixDecimal = 0;
  settings.zeroDisplay = true;
  return IncorporationModel(tavenko::law::kHeisei29, face::FieldRuleOf(settings));
}

// A figure as the window reads it: Round(value × 10000) yen.
YenAmount Yen(const FieldFigure& figure) { return StoreYen(figure.value * kYenPerMan); }

std::vector<YenAmount> CompanyColumnYen(const IncorporationSheet& s) {
  return {Yen(s.companyIncome),   Yen(s.companyBlank),  Yen(s.corporationTax),
          Yen(s.companyLocalTax), Yen(s.enterpriseTax), Yen(s.companyTotal)};
}
std::vector<YenAmount> SalaryColumnYen(const IncorporationSheet& s) {
  return {Yen(s.salary),      Yen(s.salaryDeductions), Yen(s.salaryIncomeTax), Yen(s.salaryInhabitantTax),
          Yen(s.salaryBlank), Yen(s.salaryTotal)};
}

TEST(IncorporationModel, WorkedExampleSplitAndSearch) {
  IncorporationModel model = FreshWindow();
  model.FiguresTyped(1000, 100);
  const IncorporationSheet& s = model.Sheet();
  EXPECT_EQ(Yen(s.proprietorTotal), 2719114);
  EXPECT_FALSE(s.comparisonShown);
  // The whole income as salary, the company column all zero.
  EXPECT_EQ(SalaryColumnYen(s), (std::vector<YenAmount>{10000000, 1000000, 952082, 680000, 0, 1632082}));
  EXPECT_EQ(CompanyColumnYen(s), std::vector<YenAmount>(6, 0));

  model.Split(1000, 50);
  EXPECT_TRUE(s.comparisonShown);
  EXPECT_EQ(CompanyColumnYen(s), (std::vector<YenAmount>{5000000, 0, 825000, 199750, 273000, 1297750}));
  EXPECT_EQ(SalaryColumnYen(s), (std::vector<YenAmount>{5000000, 1000000, 151618, 246000, 0, 397618}));
  EXPECT_EQ(Yen(s.combinedTotal), 1695368);
  EXPECT_EQ(Yen(s.saving), -1023746);

  model.Search(1000);
  EXPECT_EQ(s.sliderPosition, 39);
  EXPECT_EQ(CompanyColumnYen(s), (std::vector<YenAmount>{3900000, 0, 643500, 171205, 195000, 1009705}));
  EXPECT_EQ(SalaryColumnYen(s), (std::vector<YenAmount>{6100000, 1000000, 245550, 334000, 0, 579550}));
  EXPECT_EQ(Yen(s.combinedTotal), 1589255);
  EXPECT_EQ(Yen(s.saving), -1129859);
  ASSERT_TRUE(s.chart && s.chartRedrawn);
  const ComparisonChart expected{{{"軽減", ChartColour::Yellow, s.saving.value, s.saving.text},
                                  {"法人＋給与", ChartColour::Yellow, s.combinedTotal.value, s.combinedTotal.text},
                                  {"給与", ChartColour::Red, s.salaryTotal.value, s.salaryTotal.text},
                                  {"法人", ChartColour::Lime, s.companyTotal.value, s.companyTotal.text},
                                  {"事業", ChartColour::Blue, s.proprietorTotal.value, s.proprietorTotal.text}}};
  EXPECT_EQ(*s.chart, expected);

  // One step further the saving rises: 39 % is the first minimum.
  model.Split(1000, 40);
  EXPECT_GT(Yen(s.saving), -1129859);
}

struct SearchRow {
  const char* name;
  Extended income, deductions;  // 万円
  int position;                 // where the search leaves the slider
  bool chartDrawn;
};

TEST(IncorporationModel, SearchEnds) {
  const SearchRow rows[] = {
      // Nothing ever rises: the walk runs to its end and draws nothing.
      {"no income", 0, 0, 98, false},
      {"no income, deductions typed", 0, 100, 98, false},
      // The company's flat 7 万円 costs more than the proprietor pays: the
      // first split already rises, and the search settles at 0 %.
      {"income within the deductions", 60, 60, 0, true},
      // At 1 % the company's 0.5 万円 shows 0, so its column is not computed
      // and nothing rises; at 2 % it shows 1 and the flat tax rises.
      {"half a 万円 at 1 %", 50, 0, 1, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    IncorporationModel model = FreshWindow();
    model.FiguresTyped(row.income, row.deductions);
    model.Search(row.income);
    EXPECT_TRUE(model.Sheet().comparisonShown);
    EXPECT_EQ(model.Sheet().sliderPosition, row.position);
    EXPECT_EQ(model.Sheet().chart.has_value(), row.chartDrawn);
    EXPECT_EQ(model.Sheet().chartRedrawn, row.chartDrawn);
  }
}

// A column follows its fields' shown texts, not their values.
TEST(IncorporationModel, UnchangedShownTextKeepsTheColumn) {
  IncorporationModel model = FreshWindow();
  const IncorporationSheet& s = model.Sheet();
  model.FiguresTyped(10, 0);
  model.Split(10, 10);
  EXPECT_EQ(CompanyColumnYen(s), (std::vector<YenAmount>{10000, 0, 1650, 70260, 500, 72410}));
  // 1.1 万円 still shows 1: the company column keeps the figures of 1 万円.
  model.Split(10, 11);
  EXPECT_EQ(s.companyIncome.text, "1");
  EXPECT_EQ(CompanyColumnYen(s), (std::vector<YenAmount>{11000, 0, 1650, 70260, 500, 72410}));
  // 1.5 shows 2 and the column follows the field's 1.5.
  model.Split(10, 15);
  EXPECT_EQ(CompanyColumnYen(s), (std::vector<YenAmount>{15000, 0, 2475, 70389, 750, 73614}));

  // Deductions that show the same whole 万円 leave the salary column as it
  // was, while the proprietor's column takes the new figure.
  model.FiguresTyped(1000, 100);
  const YenAmount salaryTotal = Yen(s.salaryTotal);
  const YenAmount proprietorTotal = Yen(s.proprietorTotal);
  model.FiguresTyped(1000, 100.4L);
  EXPECT_EQ(Yen(s.salaryDeductions), 1004000);
  EXPECT_EQ(Yen(s.salaryTotal), salaryTotal);
  EXPECT_NE(Yen(s.proprietorTotal), proprietorTotal);
}

// The company column recomputes whenever its income's text changes: back to
// 0 after a split it shows the flat local tax of a company without income;
// typing zeroes the whole column, and a 0 % split straight after changes no
// text and so recomputes nothing.
TEST(IncorporationModel, CompanyWithNoIncome) {
  IncorporationModel model = FreshWindow();
  const IncorporationSheet& s = model.Sheet();
  model.FiguresTyped(1000, 100);
  model.Split(1000, 50);
  model.Split(1000, 0);
  EXPECT_EQ(CompanyColumnYen(s), (std::vector<YenAmount>{0, 0, 0, 70000, 0, 70000}));
  EXPECT_EQ(Yen(s.combinedTotal), 70000 + Yen(s.salaryTotal));

  model.Split(1000, 50);
  model.FiguresTyped(1000, 200);
  EXPECT_EQ(CompanyColumnYen(s), std::vector<YenAmount>(6, 0));
  model.Split(1000, 0);
  EXPECT_EQ(CompanyColumnYen(s), std::vector<YenAmount>(6, 0));
  EXPECT_EQ(Yen(s.salary), 10000000);
}

}  // namespace
}  // namespace tavenko::calc
