#include "calc/ComprehensiveTax.h"

#include <algorithm>
#include <span>

#include "calc/LawTexts.h"
#include "core/Schedules.h"

namespace tavenko::calc {
namespace {

// A store into a FineYen: the one rounding of an expression, ties to even.
FineYen StoreFine(Extended x) { return StoreRounded(x); }

// Round(amount / unit), in units of `unit` ten-thousandths of a yen, then
// truncated to whole steps of `unit` yen (kFinePerYen such units).
FineYen CutTo(FineYen amount, FineYen unit) {
  const FineYen rounded = StoreFine(static_cast<Extended>(amount) / unit);
  return rounded / kFinePerYen * kFinePerYen * unit;  // integer division truncates toward zero
}

// Whole yen for the schedules; the amounts handed over are whole thousands.
YenAmount WholeYen(FineYen amount) { return amount / kFinePerYen; }

// The bound of a band of the salary table, reached by the revenue.
bool InSalaryBand(const law::SalaryTableBand& band, FineYen revenue) {
  if (band.bound == law::kNoLimit) return true;
  return band.boundIncluded ? revenue <= FineFromYen(band.bound) : revenue < FineFromYen(band.bound);
}

FineYen SalaryBandIncome(const law::SalaryTableBand& band, FineYen revenue, Extended a) {
  const Extended s = static_cast<Extended>(revenue);
  switch (band.shape) {
    case law::SalaryBandShape::NoIncome: return 0;
    case law::SalaryBandShape::LessAmount: return revenue - FineFromYen(band.amount);
    case law::SalaryBandShape::FixedIncome: return FineFromYen(band.amount);
    case law::SalaryBandShape::StepTimesRate: return StoreFine(a * band.rate - FineFromYen(band.amount));
    case law::SalaryBandShape::WholeYenTimesRate:
      // The revenue times the rate cut to whole yen.
      return StoreFine(Int(s / kFinePerYen * band.rate) * kFinePerYen) - FineFromYen(band.amount);
    case law::SalaryBandShape::LessRateOfRevenue:
      return StoreFine(s - s * band.rate - FineFromYen(band.amount));
  }
  return 0;
}

// The row's formula, before any clamping.
FineYen PensionRowIncome(const law::PensionRow& row, FineYen received) {
  const Extended p = static_cast<Extended>(received);
  switch (row.shape) {
    case law::PensionShape::NoIncome: return 0;
    case law::PensionShape::LessRate: return StoreFine(p - p * row.rate - FineFromYen(row.subtrahend));
    case law::PensionShape::TimesRate: return StoreFine(p * row.rate - FineFromYen(row.subtrahend));
  }
  return 0;
}

}  // namespace

FineYen FineFromValue(Extended value) { return StoreFine(value * kFinePerYen); }
Extended ValueFromFine(FineYen amount) { return static_cast<Extended>(amount) / kFinePerYen; }

FineYen CutToThousandYen(FineYen amount) { return CutTo(amount, 1000); }
FineYen CutToHundredYen(FineYen amount) { return CutTo(amount, 100); }

FineYen ComprehensiveSalaryIncome(const law::Edition& law, FineYen revenue) {
  const law::ComprehensiveSalaryLaw& table = law.comprehensiveSalary;
  // The revenue cut down to a multiple of the table's step.
  const FineYen step = FineFromYen(table.step);
  const Extended a = static_cast<Extended>(revenue / step * step);
  for (const law::SalaryTableBand& band : table.bands)
    if (InSalaryBand(band, revenue)) return ClampAtZero(SalaryBandIncome(band, revenue, a));
  return 0;  // not reached: the top band has no limit
}

FineYen OccasionalIncomeHalf(const law::Edition& law, FineYen receipts) {
  return ClampAtZero(
      StoreFine(static_cast<Extended>(receipts - FineFromYen(law.occasionalIncome.specialDeduction)) / 2));
}

FineYen PublicPensionIncome(const law::Edition& law, FineYen received, PensionerAge age, FineYen otherIncome) {
  const law::PublicPensionLaw& pensions = law.publicPension;
  const std::span<const law::PensionRow> table =
      age == PensionerAge::SixtyFiveOrOver ? pensions.sixtyFiveOrOver : pensions.underSixtyFive;
  for (const law::PensionRow& row : table) {
    if (row.upTo != kNoLimit && received > FineFromYen(row.upTo)) continue;
    const FineYen income = PensionRowIncome(row, received);
    // A high other income makes the deduction smaller, never below nothing.
    YenAmount higher = 0;
    for (const law::PensionOtherIncomeStep& step : pensions.otherIncomeSteps)
      if (otherIncome > FineFromYen(step.otherIncomeAbove)) higher = step.higherIncome;
    if (higher == 0) return row.shape == law::PensionShape::NoIncome ? 0 : ClampAtZero(income);
    return ClampAtZero(std::min(income + FineFromYen(higher), received));
  }
  return 0;  // not reached: the top row has no limit
}

FineYen IncomeOtherThanPensions(const ComprehensiveIncomes& in) {
  const Extended sum = static_cast<Extended>(in.realEstate) + in.realEstateBusiness + in.business + in.salary +
                       in.occasionalHalf + in.miscellaneous + in.transferLoss;
  return StoreFine(sum);
}

ComprehensiveTaxes ComputeComprehensiveTaxes(const law::Edition& law, const ComprehensiveIncomes& in) {
  ComprehensiveTaxes out;
  // All incomes summed in extended precision and stored once; a transfer loss
  // enters with its sign.
  const Extended sum = static_cast<Extended>(in.realEstate) + in.realEstateBusiness + in.business +
                       in.salary + in.occasionalHalf + in.miscellaneous + in.pensionOver65 +
                       in.pensionUnder65 + in.transferLoss;
  out.totalIncome = ClampAtZero(StoreFine(sum));

  out.taxableIncome = ClampAtZero(CutToThousandYen(out.totalIncome - in.deductions));

  // A tax on the taxable income, cut to 100 yen; nothing when not above zero.
  const auto incomeBasedTax = [&](YenAmount (*schedule)(const law::Edition&, YenAmount)) {
    return ClampAtZero(CutToHundredYen(FineFromYen(schedule(law, WholeYen(out.taxableIncome)))));
  };
  out.incomeTax = incomeBasedTax(IncomeTaxWithSurtax);
  out.prefecturalTax = incomeBasedTax(PrefecturalInhabitantTax);
  out.municipalTax = incomeBasedTax(MunicipalInhabitantTax);

  // Business tax ignores the deductions and ordinary real-estate income; its
  // base is not clamped, the schedule's own threshold leaves a small or
  // negative base without tax.
  const FineYen businessBase = CutToThousandYen(in.realEstateBusiness + in.business);
  out.businessTax = ClampAtZero(CutToHundredYen(FineFromYen(IndividualBusinessTax(law, WholeYen(businessBase)))));

  out.totalTax = out.incomeTax + out.prefecturalTax + out.municipalTax + out.businessTax;
  return out;
}

FineYen TaxExcludedSales(FineYen taxIncludedSales, int includedPercent) {
  // One yen of sales with its tax, in ten-thousandths of a yen (10500 at 5 %):
  // dividing by it takes the tax out and turns FineYen into yen in one step.
  const FineYen finePerTaxedYen = kFinePerYen * includedPercent / 100;
  // In thousands of yen: sales / 1.05 / 1,000, truncated.
  const Extended thousands = Int(static_cast<Extended>(taxIncludedSales) / 1000 / finePerTaxedYen);
  return StoreFine(thousands * 1000 * kFinePerYen);
}

namespace {

// The rate on the deemed value added: (1 − ratio) × sales cut to 1,000 yen,
// the tax cut to 100 yen.
SimplifiedTax TaxOnValueAdded(const law::ConsumptionTaxLaw& c, FineYen taxExcludedSales, int purchaseRatio) {
  // The deemed value added in thousands of yen, truncated; one division takes
  // out both the ratio's scale and FineYen's.
  const Extended valueAdded = Int(static_cast<Extended>(kWholePurchaseRatio - purchaseRatio) *
                                  taxExcludedSales / 1000 / (kWholePurchaseRatio * kFinePerYen));
  const FineYen tax = StoreFine(valueAdded * 1000 * c.standardRate * kFinePerYen);
  const FineYen payable = StoreFine(Int(static_cast<Extended>(tax) / 100 / kFinePerYen) * 100 * kFinePerYen);
  return {.salesTax = 0, .national = payable, .local = 0, .payable = payable};
}

// The national rates on both bases less the deemed purchases, and the local
// tax as its share of the national tax, each cut to 100 yen.
SimplifiedTax NationalAndLocalTax(const law::ConsumptionTaxLaw& c, const TaxExcludedBases& bases,
                                  int purchaseRatio) {
  SimplifiedTax tax;
  tax.salesTax = StoreFine(static_cast<Extended>(bases.standard) * c.standardRate +
                           static_cast<Extended>(bases.reduced) * c.reducedRate);
  const Extended s = static_cast<Extended>(tax.salesTax);
  tax.national = ClampAtZero(CutToHundredYen(StoreFine(s - s * purchaseRatio / kWholePurchaseRatio)));
  tax.local = ClampAtZero(CutToHundredYen(
      StoreFine(static_cast<Extended>(tax.national) * c.localNumerator / c.localDenominator)));
  tax.payable = tax.national + tax.local;
  return tax;
}

}  // namespace

SimplifiedTax SimplifiedConsumptionTax(const law::Edition& law, const TaxExcludedBases& bases, int purchaseRatio,
                                       bool flatRatioSpecial) {
  const law::ConsumptionTaxLaw& c = law.consumptionTax;
  if (flatRatioSpecial && c.flatRatioSpecial > 0) purchaseRatio = c.flatRatioSpecial;
  switch (c.shape) {
    case law::SimplifiedTaxShape::OnValueAdded: return TaxOnValueAdded(c, bases.standard, purchaseRatio);
    case law::SimplifiedTaxShape::NationalAndLocal: return NationalAndLocalTax(c, bases, purchaseRatio);
  }
  return {};
}

std::string TaxIncludedSalesCaption(Extended wholeRate) { return "税込売上" + PercentText(wholeRate); }

ComprehensiveSheet ComputeComprehensiveSheet(const ComprehensiveInputs& in) {
  const law::Edition& law = law::EditionOf(in.edition);
  return {ComputeComprehensiveTaxes(law, in.incomes),
          SimplifiedConsumptionTax(law, in.sales, in.purchaseRatio, in.flatRatioSpecial)};
}

}  // namespace tavenko::calc
