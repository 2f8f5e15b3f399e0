// The edges of the three columns of the incorporation comparison, in exact
// yen: clamps, halfway roundings and the upper brackets. The worked example
// of 1000 and 100 万円 runs through the real window in its own test.
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
      // Salary income 3,000,000 × 0.7 - 180,000 = 1,920,000, less 1,000,000.
      {"300 less 100", 300, 100, {46966, 92000, 138966}},
      {"within the salary deduction", 65, 0, {0, 0, 0}},
      {"deductions above salary income", 300, 300, {0, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SalaryColumn(row.salary, row.deductions), row.expected);
  }
}

}  // namespace
}  // namespace tavenko::calc
