#include "Incorporation.h"

#include "Schedules.h"

namespace tavenko::calc {
namespace {

// A figure field's value (万円) read as yen: Round(value × kYenPerMan).
YenAmount FieldYen(Extended field) { return ToYen(field, AmountUnit::Man); }

// Income tax with surtax and the two inhabitant taxes on one taxable income,
// each stored and clamped by itself.
struct IncomeTaxes {
  YenAmount incomeTax;
  YenAmount inhabitantTax;
};
IncomeTaxes TaxesOnTaxableIncome(YenAmount taxableIncome) {
  const YenAmount prefectural = ClampAtZero(PrefecturalInhabitantTax(taxableIncome));
  const YenAmount municipal = ClampAtZero(MunicipalInhabitantTax(taxableIncome));
  return {ClampAtZero(IncomeTaxWithSurtax(taxableIncome)), prefectural + municipal};
}

}  // namespace

ProprietorTaxes ProprietorColumn(Extended businessIncomeField, Extended deductionsField) {
  const YenAmount business = FieldYen(businessIncomeField);
  const YenAmount deductions = FieldYen(deductionsField);
  const IncomeTaxes taxes = TaxesOnTaxableIncome(ClampAtZero(business - deductions));
  ProprietorTaxes column;
  column.incomeTax = taxes.incomeTax;
  column.inhabitantTax = taxes.inhabitantTax;
  // Business tax falls on the income before the income deductions.
  column.businessTax = ClampAtZero(IndividualBusinessTax(business));
  column.total = column.incomeTax + column.inhabitantTax + column.businessTax;
  return column;
}

CompanyTaxes CompanyColumn(Extended companyIncomeField) {
  const YenAmount income = FieldYen(companyIncomeField);
  const YenAmount corporation = CorporationTax(income);
  const Extended k = static_cast<Extended>(corporation);
  CompanyTaxes column;
  column.corporationTax = ClampAtZero(StoreYen(0.1L * k + k));
  // The local tax is levied on the corporation tax without its addition.
  column.localTax = ClampAtZero(StoreYen(k * 0.173L + 70000));
  column.enterpriseTax = ClampAtZero(CorporateEnterpriseTax(income));
  column.total = column.corporationTax + column.localTax + column.enterpriseTax;
  return column;
}

SalaryTaxes SalaryColumn(Extended salaryField, Extended deductionsField) {
  const YenAmount salary = FieldYen(salaryField);
  const YenAmount deductions = FieldYen(deductionsField);
  const IncomeTaxes taxes = TaxesOnTaxableIncome(ClampAtZero(SalaryIncome(salary) - deductions));
  SalaryTaxes column;
  column.incomeTax = taxes.incomeTax;
  column.inhabitantTax = taxes.inhabitantTax;
  column.total = column.incomeTax + column.inhabitantTax;
  return column;
}

Extended CompanyShareField(YenAmount profit, int percent) {
  return static_cast<Extended>(percent) / 100 * static_cast<Extended>(profit) / kYenPerMan;
}

Extended SalaryShareField(YenAmount profit, Extended companyShareField) {
  return (static_cast<Extended>(profit) - companyShareField * kYenPerMan) / kYenPerMan;
}

CombinedTotals CombineTotals(Extended proprietorTotalField, Extended companyTotalField,
                             Extended salaryTotalField) {
  CombinedTotals totals;
  totals.combinedField = companyTotalField + salaryTotalField;
  totals.savingField = (proprietorTotalField - totals.combinedField) * -1;
  return totals;
}

std::array<ComparisonBar, 5> ComparisonBars(const CombinedTotals& combined,
                                            Extended salaryTotalField,
                                            Extended companyTotalField,
                                            Extended proprietorTotalField) {
  return {{
      {"軽減", ChartColour::Yellow, combined.savingField},
      {"法人＋給与", ChartColour::Yellow, combined.combinedField},
      {"給与", ChartColour::Red, salaryTotalField},
      {"法人", ChartColour::Lime, companyTotalField},
      {"事業", ChartColour::Blue, proprietorTotalField},
  }};
}

}  // namespace tavenko::calc
