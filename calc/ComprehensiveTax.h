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

#include <string>

#include "core/Amount.h"
#include "law/Edition.h"

namespace tavenko::calc {

// A field's value in ten-thousandths of a yen, and back.
FineYen FineFromValue(Extended value);
Extended ValueFromFine(FineYen amount);
constexpr FineYen FineFromYen(YenAmount yen) { return yen * kFinePerYen; }

// Salary income from salary revenue, by this window's own table of the
// edition (law::ComprehensiveSalaryLaw): revenue cut to 4,000-yen steps in the
// middle bands, fixed amounts in some years, and in 平成29年版 no cap on the
// deduction above 10,000,000. (The main window's SalaryIncome is a different
// table.)
FineYen ComprehensiveSalaryIncome(const law::Edition& law, FineYen revenue);

// The half of occasional income that enters the total: (receipts less their
// costs - the special deduction) / 2, never below zero.
FineYen OccasionalIncomeHalf(const law::Edition& law, FineYen receipts);

enum class PensionerAge { SixtyFiveOrOver, UnderSixtyFive };
// Public-pension income from the pensions received, never below zero. Where
// the edition makes the deduction smaller for a high other income (the total
// income without the pension incomes), the income is higher by that much, and
// never above the pensions received.
FineYen PublicPensionIncome(const law::Edition& law, FineYen received, PensionerAge age, FineYen otherIncome);

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

// The total of the incomes other than the two pension incomes, a transfer
// loss with its sign: what the pension deduction looks at.
FineYen IncomeOtherThanPensions(const ComprehensiveIncomes& incomes);

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

ComprehensiveTaxes ComputeComprehensiveTaxes(const law::Edition& law, const ComprehensiveIncomes& incomes);

// An amount cut toward zero to a multiple of 1,000 yen (a taxable base) or
// of 100 yen (a tax). The amount is first rounded, ties to even, to 0.1 yen
// or 0.01 yen respectively, and then truncated.
FineYen CutToThousandYen(FineYen amount);
FineYen CutToHundredYen(FineYen amount);

// Simplified consumption tax. The deemed purchase ratio is in
// ten-thousandths (9000 for 90 %).
inline constexpr int kWholePurchaseRatio = 10000;  // 100 %
inline constexpr int kDefaultPurchaseRatio = 9000;
// Tax-included sales / (includedPercent / 100), cut down to a multiple of
// 1,000 yen: includedPercent 105 takes a 5 % tax out.
FineYen TaxExcludedSales(FineYen taxIncludedSales, int includedPercent);

// The tax-excluded sales at the standard and at the reduced rate.
struct TaxExcludedBases {
  FineYen standard = 0;
  FineYen reduced = 0;
};

// What the simplified method makes of them under the edition's shape.
struct SimplifiedTax {
  FineYen salesTax = 0;  // the national rates on the sales (NationalAndLocal)
  FineYen national = 0;  // cut to 100 yen
  FineYen local = 0;     // cut to 100 yen
  FineYen payable = 0;
};

// `flatRatioSpecial`: the edition's 2割特例 instead of the class's ratio
// (ignored where the edition has none).
SimplifiedTax SimplifiedConsumptionTax(const law::Edition& law, const TaxExcludedBases& bases, int purchaseRatio,
                                       bool flatRatioSpecial);

// The prompt of a tax-included sales field that names its rate
// ("税込売上１０％"), where the edition has more than one rate.
std::string TaxIncludedSalesCaption(Extended wholeRate);

// Everything one press of "税額の計算" reads: the incomes, the tax-excluded
// sales as their fields stand (typed over or derived from the tax-included
// sales) and the deemed purchase ratio of the checked button.
struct ComprehensiveInputs {
  law::EditionId edition = law::EditionId::Heisei29;
  ComprehensiveIncomes incomes;
  TaxExcludedBases sales;
  int purchaseRatio = kDefaultPurchaseRatio;
  bool flatRatioSpecial = false;  // 2割特例
};

// Everything it shows: the taxes on the incomes, then the consumption tax.
struct ComprehensiveSheet {
  ComprehensiveTaxes taxes;
  SimplifiedTax consumption;
};

ComprehensiveSheet ComputeComprehensiveSheet(const ComprehensiveInputs& in);

}  // namespace tavenko::calc
