#include "calc/ComprehensiveTax.h"

#include <array>
#include <span>

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

// One row of the pension tables: up to and including `upTo` yen received,
// the income is P - P × rate - subtrahend, or nothing at all.
struct PensionRow {
  YenAmount upTo;
  bool noIncome;
  Extended rate;
  YenAmount subtrahend;
};

constexpr std::array<PensionRow, 7> kPensionOver65{{
    {700000, true, 0, 0},
    {1200000, true, 0, 0},
    {1300000, false, 0, 1200000},
    {3300000, false, 0, 1200000},
    {4100000, false, 0.25L, 375000},
    {7700000, false, 0.15L, 785000},
    {kNoLimit, false, 0.05L, 1555000},
}};

constexpr std::array<PensionRow, 7> kPensionUnder65{{
    {700000, true, 0, 0},
    {1200000, false, 0, 700000},
    {1300000, false, 0, 700000},
    {3300000, false, 0.25L, 375000},
    {4100000, false, 0.25L, 375000},
    {7700000, false, 0.15L, 785000},
    {kNoLimit, false, 0.05L, 1555000},
}};

// The fixed salary incomes of the revenue just above 1,619,000 yen.
struct FixedSalaryRow {
  YenAmount below;  // revenue strictly below this bound
  YenAmount income;
};
constexpr std::array<FixedSalaryRow, 4> kFixedSalaryIncome{{
    {1620000, 969000},
    {1622000, 970000},
    {1624000, 972000},
    {1628000, 974000},
}};

}  // namespace

FineYen FineFromValue(Extended value) { return StoreFine(value * kFinePerYen); }
Extended ValueFromFine(FineYen amount) { return static_cast<Extended>(amount) / kFinePerYen; }

FineYen CutToThousandYen(FineYen amount) { return CutTo(amount, 1000); }
FineYen CutToHundredYen(FineYen amount) { return CutTo(amount, 100); }

FineYen ComprehensiveSalaryIncome(FineYen revenue) {
  const Extended s = static_cast<Extended>(revenue);
  // The revenue cut down to a multiple of 4,000 yen.
  const Extended a = static_cast<Extended>(revenue / FineFromYen(4000) * FineFromYen(4000));
  FineYen income = 0;
  if (revenue < FineFromYen(651000)) {
    income = 0;
  } else if (revenue < FineFromYen(1619000)) {
    income = revenue - FineFromYen(650000);
  } else if (revenue < FineFromYen(1628000)) {
    for (const FixedSalaryRow& row : kFixedSalaryIncome) {
      if (revenue < FineFromYen(row.below)) {
        income = FineFromYen(row.income);
        break;
      }
    }
  } else if (revenue < FineFromYen(1800000)) {
    income = StoreFine(a * 0.6L);
  } else if (revenue < FineFromYen(3600000)) {
    income = StoreFine(a * 0.7L - FineFromYen(180000));
  } else if (revenue < FineFromYen(6600000)) {
    income = StoreFine(a * 0.8L - FineFromYen(540000));
  } else if (revenue <= FineFromYen(10000000)) {
    // 90 % of the revenue cut to whole yen.
    income = StoreFine(Int(s / kFinePerYen * 0.9L) * kFinePerYen) - FineFromYen(1200000);
  } else {
    income = StoreFine(s - s * 0.05L - FineFromYen(1700000));
  }
  return ClampAtZero(income);
}

FineYen OccasionalIncomeHalf(FineYen receipts) {
  return ClampAtZero(StoreFine(static_cast<Extended>(receipts - FineFromYen(500000)) / 2));
}

FineYen PublicPensionIncome(FineYen received, PensionerAge age) {
  const std::span<const PensionRow> table = age == PensionerAge::SixtyFiveOrOver
                                                ? std::span<const PensionRow>(kPensionOver65)
                                                : std::span<const PensionRow>(kPensionUnder65);
  const Extended p = static_cast<Extended>(received);
  for (const PensionRow& row : table) {
    if (row.upTo != kNoLimit && received > FineFromYen(row.upTo)) continue;
    if (row.noIncome) return 0;
    return ClampAtZero(StoreFine(p - p * row.rate - FineFromYen(row.subtrahend)));
  }
  return 0;  // not reached: the top row has no limit
}

ComprehensiveTaxes ComputeComprehensiveTaxes(const ComprehensiveIncomes& in) {
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
    return ClampAtZero(CutToHundredYen(FineFromYen(schedule(law::kHeisei29, WholeYen(out.taxableIncome)))));
  };
  out.incomeTax = incomeBasedTax(IncomeTaxWithSurtax);
  out.prefecturalTax = incomeBasedTax(PrefecturalInhabitantTax);
  out.municipalTax = incomeBasedTax(MunicipalInhabitantTax);

  // Business tax ignores the deductions and ordinary real-estate income; its
  // base is not clamped, the schedule's own threshold leaves a small or
  // negative base without tax.
  const FineYen businessBase = CutToThousandYen(in.realEstateBusiness + in.business);
  out.businessTax = ClampAtZero(CutToHundredYen(FineFromYen(IndividualBusinessTax(law::kHeisei29, WholeYen(businessBase)))));

  out.totalTax = out.incomeTax + out.prefecturalTax + out.municipalTax + out.businessTax;
  return out;
}

FineYen TaxExcludedSales(FineYen taxIncludedSales) {
  // One yen of sales with its 5 % tax, in ten-thousandths of a yen (10500):
  // dividing by it takes the tax out and turns FineYen into yen in one step.
  constexpr FineYen kFinePerTaxedYen = kFinePerYen * 105 / 100;
  // In thousands of yen: sales / 1.05 / 1,000, truncated.
  const Extended thousands = Int(static_cast<Extended>(taxIncludedSales) / 1000 / kFinePerTaxedYen);
  return StoreFine(thousands * 1000 * kFinePerYen);
}

FineYen SimplifiedConsumptionTax(FineYen taxExcludedSales, int purchaseRatio) {
  // The deemed value added in thousands of yen, truncated; one division takes
  // out both the ratio's scale and FineYen's.
  const Extended valueAdded = Int(static_cast<Extended>(kWholePurchaseRatio - purchaseRatio) *
                                  taxExcludedSales / 1000 / (kWholePurchaseRatio * kFinePerYen));
  const FineYen tax = StoreFine(valueAdded * 1000 * 0.05L * kFinePerYen);
  return StoreFine(Int(static_cast<Extended>(tax) / 100 / kFinePerYen) * 100 * kFinePerYen);
}

ComprehensiveSheet ComputeComprehensiveSheet(const ComprehensiveInputs& in) {
  return {ComputeComprehensiveTaxes(in.incomes),
          SimplifiedConsumptionTax(in.taxExcludedSales, in.purchaseRatio)};
}

}  // namespace tavenko::calc
