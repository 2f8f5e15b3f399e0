#include "calc/Incorporation.h"

#include <utility>

#include "core/Schedules.h"

namespace tavenko::calc {
namespace {

// The lowest and highest splits the search tries (in percent).
constexpr int kSearchFirstPercent = 1;
constexpr int kSearchLastPercent = 98;

// A figure field's value (万円) read as yen: Round(value × kYenPerMan).
YenAmount FieldYen(Extended field) { return ToYen(field, AmountUnit::Man); }

// Income tax with surtax and the two inhabitant taxes on one taxable income,
// each stored and clamped by itself.
struct IncomeTaxes {
  YenAmount incomeTax;
  YenAmount inhabitantTax;
};
IncomeTaxes TaxesOnTaxableIncome(const law::Edition& law, YenAmount taxableIncome) {
  const YenAmount prefectural = ClampAtZero(PrefecturalInhabitantTax(law, taxableIncome));
  const YenAmount municipal = ClampAtZero(MunicipalInhabitantTax(law, taxableIncome));
  return {ClampAtZero(IncomeTaxWithSurtax(law, taxableIncome)), prefectural + municipal};
}

// The company's share of the profit P (yen) at `percent`, as its field gets
// it: p / 100 × P / kYenPerMan, unrounded.
Extended CompanyShareField(YenAmount profit, int percent) {
  return static_cast<Extended>(percent) / 100 * static_cast<Extended>(profit) / kYenPerMan;
}

// The rest of the profit as salary, taken from the company income as its
// field holds it: (P − company × kYenPerMan) / kYenPerMan.
Extended SalaryShareField(YenAmount profit, Extended companyShareField) {
  return (static_cast<Extended>(profit) - companyShareField * kYenPerMan) / kYenPerMan;
}

}  // namespace

ProprietorTaxes ProprietorColumn(const law::Edition& law, Extended businessIncomeField, Extended deductionsField) {
  const YenAmount business = FieldYen(businessIncomeField);
  const YenAmount deductions = FieldYen(deductionsField);
  const IncomeTaxes taxes = TaxesOnTaxableIncome(law, ClampAtZero(business - deductions));
  ProprietorTaxes column;
  column.incomeTax = taxes.incomeTax;
  column.inhabitantTax = taxes.inhabitantTax;
  // Business tax falls on the income before the income deductions.
  column.businessTax = ClampAtZero(IndividualBusinessTax(law, business));
  column.total = column.incomeTax + column.inhabitantTax + column.businessTax;
  return column;
}

CompanyTaxes CompanyColumn(const law::Edition& law, Extended companyIncomeField) {
  const YenAmount income = FieldYen(companyIncomeField);
  const YenAmount corporation = CorporationTax(law, income);
  const Extended k = static_cast<Extended>(corporation);
  CompanyTaxes column;
  column.corporationTax = ClampAtZero(StoreYen(law.corporationTax.additionRate * k + k));
  // The local tax is levied on the corporation tax without its addition, at
  // the window's one rate: the lower rate of a small company.
  const law::LevyRate& local = law.corporateInhabitantTax.smallCompany;
  column.localTax = ClampAtZero(StoreYen(k * local.lowerRate + local.levy));
  column.enterpriseTax = ClampAtZero(CorporateEnterpriseTax(law, income));
  column.total = column.corporationTax + column.localTax + column.enterpriseTax;
  return column;
}

SalaryTaxes SalaryColumn(const law::Edition& law, Extended salaryField, Extended deductionsField) {
  const YenAmount salary = FieldYen(salaryField);
  const YenAmount deductions = FieldYen(deductionsField);
  const IncomeTaxes taxes = TaxesOnTaxableIncome(law, ClampAtZero(SalaryIncome(law, salary) - deductions));
  SalaryTaxes column;
  column.incomeTax = taxes.incomeTax;
  column.inhabitantTax = taxes.inhabitantTax;
  column.total = column.incomeTax + column.inhabitantTax;
  return column;
}

// ---- The window's model ---------------------------------------------------------

IncorporationModel::IncorporationModel(const law::Edition& law, FieldRule rule)
    : law_(&law), rule_(std::move(rule)) {
  const FieldFigure zero = rule_(0);
  for (FieldFigure* figure :
       {&sheet_.proprietorIncomeTax, &sheet_.proprietorInhabitantTax, &sheet_.proprietorBusinessTax,
        &sheet_.proprietorTotal, &sheet_.companyIncome, &sheet_.companyBlank, &sheet_.corporationTax,
        &sheet_.companyLocalTax, &sheet_.enterpriseTax, &sheet_.companyTotal, &sheet_.salary,
        &sheet_.salaryDeductions, &sheet_.salaryIncomeTax, &sheet_.salaryInhabitantTax, &sheet_.salaryBlank,
        &sheet_.salaryTotal, &sheet_.combinedTotal, &sheet_.saving})
    *figure = zero;
}

bool IncorporationModel::Set(FieldFigure& figure, Extended value) const {
  FieldFigure held = rule_(value);
  const bool changed = held.text != figure.text;
  figure = std::move(held);
  return changed;
}

void IncorporationModel::FiguresTyped(Extended businessIncomeField, Extended deductionsField) {
  sheet_.chartRedrawn = false;
  // The company column ends all zero; setting its income may first recompute
  // it through the income's own change.
  if (Set(sheet_.companyIncome, 0)) CompanyIncomeChanged();
  for (FieldFigure* figure : {&sheet_.companyBlank, &sheet_.corporationTax, &sheet_.companyLocalTax,
                              &sheet_.enterpriseTax, &sheet_.companyTotal})
    Set(*figure, 0);
  // The salary column as if the whole business income were paid as salary:
  // it recomputes with each of its two figures that changes, the salary first.
  if (Set(sheet_.salary, businessIncomeField)) SalaryChanged();
  if (Set(sheet_.salaryDeductions, deductionsField)) SalaryChanged();

  const ProprietorTaxes taxes = ProprietorColumn(*law_, businessIncomeField, deductionsField);
  Set(sheet_.proprietorIncomeTax, ToDisplay(taxes.incomeTax));
  Set(sheet_.proprietorInhabitantTax, ToDisplay(taxes.inhabitantTax));
  Set(sheet_.proprietorBusinessTax, ToDisplay(taxes.businessTax));
  Set(sheet_.proprietorTotal, ToDisplay(taxes.total));
}

void IncorporationModel::CompanyIncomeChanged() {
  const CompanyTaxes taxes = CompanyColumn(*law_, sheet_.companyIncome.value);
  Set(sheet_.companyBlank, 0);
  Set(sheet_.corporationTax, ToDisplay(taxes.corporationTax));
  Set(sheet_.companyLocalTax, ToDisplay(taxes.localTax));
  Set(sheet_.enterpriseTax, ToDisplay(taxes.enterpriseTax));
  Set(sheet_.companyTotal, ToDisplay(taxes.total));
}

void IncorporationModel::SalaryChanged() {
  const SalaryTaxes taxes = SalaryColumn(*law_, sheet_.salary.value, sheet_.salaryDeductions.value);
  Set(sheet_.salaryIncomeTax, ToDisplay(taxes.incomeTax));
  Set(sheet_.salaryInhabitantTax, ToDisplay(taxes.inhabitantTax));
  Set(sheet_.salaryBlank, 0);
  Set(sheet_.salaryTotal, ToDisplay(taxes.total));
}

void IncorporationModel::Split(Extended businessIncomeField, int percent) {
  sheet_.comparisonShown = true;
  sheet_.sliderPosition = percent;
  ApplySplit(businessIncomeField, percent);
  DrawChart();
}

void IncorporationModel::Search(Extended businessIncomeField) {
  sheet_.chartRedrawn = false;
  sheet_.comparisonShown = true;
  sheet_.sliderPosition = 0;
  Set(sheet_.saving, 0);
  // Position 0 itself is not computed first.
  for (int percent = kSearchFirstPercent; percent <= kSearchLastPercent; ++percent) {
    sheet_.sliderPosition = percent;
    const YenAmount previous = StoreYen(sheet_.saving.value * kYenPerMan);
    ApplySplit(businessIncomeField, percent);
    if (static_cast<Extended>(previous) < sheet_.saving.value * kYenPerMan) {
      sheet_.sliderPosition = percent - 1;
      ApplySplit(businessIncomeField, percent - 1);
      DrawChart();
      return;
    }
  }
}

void IncorporationModel::ApplySplit(Extended businessIncomeField, int percent) {
  const YenAmount profit = FieldYen(businessIncomeField);
  if (Set(sheet_.companyIncome, CompanyShareField(profit, percent))) CompanyIncomeChanged();
  if (Set(sheet_.salary, SalaryShareField(profit, sheet_.companyIncome.value))) SalaryChanged();
  const Extended combined = sheet_.companyTotal.value + sheet_.salaryTotal.value;
  Set(sheet_.combinedTotal, combined);
  Set(sheet_.saving, (sheet_.proprietorTotal.value - combined) * -1);
}

void IncorporationModel::DrawChart() {
  sheet_.chart = ComparisonChart{{
      {"軽減", ChartColour::Yellow, sheet_.saving.value, sheet_.saving.text},
      {"法人＋給与", ChartColour::Yellow, sheet_.combinedTotal.value, sheet_.combinedTotal.text},
      {"給与", ChartColour::Red, sheet_.salaryTotal.value, sheet_.salaryTotal.text},
      {"法人", ChartColour::Lime, sheet_.companyTotal.value, sheet_.companyTotal.text},
      {"事業", ChartColour::Blue, sheet_.proprietorTotal.value, sheet_.proprietorTotal.text},
  }};
  sheet_.chartRedrawn = true;
}

}  // namespace tavenko::calc
