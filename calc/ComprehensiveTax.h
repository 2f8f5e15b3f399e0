// The comprehensive taxation window's calculations: the incomes derived from
// gross amounts, and the sheet of its calculation button: the taxes on the
// total of all incomes and the consumption tax under the simplified method.
//
// This window works in ten-thousandths of a yen (FineYen): a field is read as
// Round(Value × kFinePerYen), ties to even, and written back as amount /
// kFinePerYen.
// Every intermediate result is stored in that form, so fractions of a yen
// survive from one step to the next (a pension income of 2,100,000.75 stays
// 2,100,000.75 although the field shows 2,100,001). The tax schedules
// themselves take and give whole yen.
#pragma once

#include "core/Amount.h"

namespace tavenko::calc {

// A field's value in ten-thousandths of a yen, and back.
FineYen FineFromValue(Extended value);
Extended ValueFromFine(FineYen amount);
constexpr FineYen FineFromYen(YenAmount yen) { return yen * kFinePerYen; }

// Salary income from salary revenue, by this window's own table: revenue cut
// to 4,000-yen steps between 1,628,000 and 6,600,000 yen, fixed amounts from
// 1,619,000 to 1,627,999 yen, and no cap on the deduction above 10,000,000.
// (The main window's SalaryIncome is a different table.)
FineYen ComprehensiveSalaryIncome(FineYen revenue);

// The half of occasional income that enters the total: (receipts less their
// costs - 500,000) / 2, never below zero.
FineYen OccasionalIncomeHalf(FineYen receipts);

enum class PensionerAge { SixtyFiveOrOver, UnderSixtyFive };
// Public-pension income from the pensions received, never below zero.
FineYen PublicPensionIncome(FineYen received, PensionerAge age);

// The incomes the calculation button reads, as the fields stand (typed, or
// derived from a gross amount and perhaps typed over).
struct ComprehensiveIncomes {
  FineYen realEstate = 0;
  FineYen realEstateBusiness = 0;  // real estate on a business scale
  FineYen business = 0;
  FineYen salary = 0;
  FineYen occasionalHalf = 0;
  FineYen miscellaneous = 0;
  FineYen pensionOver65 = 0;
  FineYen pensionUnder65 = 0;
  FineYen transferLoss = 0;  // negative for a loss
  FineYen deductions = 0;    // the total of income deductions
};

// The income-tax part of what the calculation button shows.
struct ComprehensiveTaxes {
  FineYen totalIncome = 0;
  FineYen taxableIncome = 0;
  FineYen incomeTax = 0;  // with the reconstruction surtax
  FineYen prefecturalTax = 0;
  FineYen municipalTax = 0;
  FineYen businessTax = 0;
  FineYen totalTax = 0;
};

ComprehensiveTaxes ComputeComprehensiveTaxes(const ComprehensiveIncomes& incomes);

// An amount cut toward zero to a multiple of 1,000 yen (a taxable base) or
// of 100 yen (a tax). The amount is first rounded, ties to even, to 0.1 yen
// or 0.01 yen respectively, and then truncated.
FineYen CutToThousandYen(FineYen amount);
FineYen CutToHundredYen(FineYen amount);

// Simplified consumption tax. Sales include the 5 % tax; the deemed purchase
// ratio is in ten-thousandths (9000 for 90 %).
inline constexpr int kWholePurchaseRatio = 10000;  // 100 %
inline constexpr int kDefaultPurchaseRatio = 9000;
// Tax-included sales / 1.05, cut down to a multiple of 1,000 yen.
FineYen TaxExcludedSales(FineYen taxIncludedSales);
// 5 % of the deemed value added ((1 - ratio) × sales, cut to 1,000 yen), cut
// down to a multiple of 100 yen.
FineYen SimplifiedConsumptionTax(FineYen taxExcludedSales, int purchaseRatio);

// Everything one press of "税額の計算" reads: the incomes, the tax-excluded
// sales as their field stands (typed over or derived from the tax-included
// sales) and the deemed purchase ratio of the checked button.
struct ComprehensiveInputs {
  ComprehensiveIncomes incomes;
  FineYen taxExcludedSales = 0;
  int purchaseRatio = kDefaultPurchaseRatio;
};

// Everything it shows: the taxes on the incomes, then the consumption tax.
struct ComprehensiveSheet {
  ComprehensiveTaxes taxes;
  FineYen consumptionTax = 0;
};

ComprehensiveSheet ComputeComprehensiveSheet(const ComprehensiveInputs& in);

}  // namespace tavenko::calc
