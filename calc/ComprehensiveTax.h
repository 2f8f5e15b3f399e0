// The comprehensive taxation window's calculations: the incomes derived from
// gross amounts, the taxes on the total of all incomes, and the consumption
// tax under the simplified method.
//
// This window works in ten-thousandths of a yen (FineYen): a field is read as
// Round(Value × kFinePerYen), ties to even, and written back as amount /
// kFinePerYen.
// Every intermediate result is stored in that form, so fractions of a yen
// survive from one step to the next (a pension income of 2,100,000.75 stays
// 2,100,000.75 although the field shows 2,100,001). The tax schedules
// themselves take and give whole yen.
#pragma once

#include "Amount.h"

namespace tavenko {

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

// The incomes the calculation button reads, as the fields stand.
struct ComprehensiveIncomes {
  FineYen realEstate = 0;          // NValEdit1
  FineYen realEstateBusiness = 0;  // NValEdit2: real estate on a business scale
  FineYen business = 0;            // NValEdit3
  FineYen salary = 0;              // NValEdit5
  FineYen occasionalHalf = 0;      // NValEdit7
  FineYen miscellaneous = 0;       // NValEdit8
  FineYen pensionOver65 = 0;       // NValEdit10
  FineYen pensionUnder65 = 0;      // NValEdit12
  FineYen transferLoss = 0;        // NValEdit13, negative for a loss
  FineYen deductions = 0;          // NValEdit15
};

// Everything the calculation button shows in the income-tax part.
struct ComprehensiveTaxes {
  FineYen totalIncome = 0;     // NValEdit14
  FineYen taxableIncome = 0;   // NValEdit16
  FineYen incomeTax = 0;       // NValEdit17, with the reconstruction surtax
  FineYen prefecturalTax = 0;  // NValEdit18
  FineYen municipalTax = 0;    // NValEdit19
  FineYen businessTax = 0;     // NValEdit20
  FineYen totalTax = 0;        // NValEdit21
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

}  // namespace tavenko
