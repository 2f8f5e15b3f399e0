#include "calc/InheritanceCases.h"

#include <string>
#include <string_view>

#include "calc/LawTexts.h"
#include "calc/SheetSteps.h"
#include "core/Schedules.h"

namespace tavenko::calc {
namespace {

// What differs between the three orders of heirs.
struct OrderRules {
  Extended MainInputs::*countField;  // NValEdit8, NValEdit9 or NValEdit10
  std::string_view missingCountPrompt;
  // The spouse's statutory fraction; the heirs of the order share the rest.
  int spouseNumerator;
  int denominator;
  // The estate at which the spouse's statutory share reaches 160,000,000 yen,
  // and the same limit as the next-million run tests it.
  Extended limit;
  Extended limitNextMillion;
  // Brothers and sisters pay 20 % more, capped at 70 % of their portion.
  bool bearsAddition;
  std::string_view heirTaxCaption;  // Edit3
  std::string_view shareLogCaption;
  std::string_view shareTaxLogCaption;
  std::string_view statutoryShareNote;  // Label13 of the statutory-share button
};

// clang-format off
const OrderRules kChildren{
    &MainInputs::children, "子の数を入れてください", 1, 2, 320000000, 320000000, false,
    "　　子の税額", "子１人の法定相続分に按分", "子１人の法定相続分の相続税額",
    " 法定相続分 1/2\r\n\r\n"};
const OrderRules kParents{
    &MainInputs::parents, "両親はご健在ですか", 2, 3, 240000000, 240000000, false,
    "　　親の税額", "親１人の法定相続分に按分", "親１人の法定相続分の相続税額",
    " 法定相続分 2/3\r\n\r\n"};
const OrderRules kSiblings{
    &MainInputs::siblings, "兄弟の数を入れてください", 3, 4, 213333333.3L, 213333333, true,
    "　兄弟の税額", "兄弟１人の法定相続分に按分", "兄弟１人の法定相続分の相続税額",
    " 法定相続分 3/4\r\n\r\n"};
// clang-format on

const OrderRules& RulesOf(HeirOrder order) {
  switch (order) {
    case HeirOrder::Children: return kChildren;
    case HeirOrder::Parents: return kParents;
    case HeirOrder::Siblings: return kSiblings;
  }
  return kChildren;
}

// "{0}" stands for the ceiling of the spouse reduction.
constexpr std::string_view kLargerOfNote = " 法定相続分又は\r\n{0}の\r\nいずれか多い方";

// ---- the inheritance calculation

// Basic deduction: 30,000,000 yen and 6,000,000 yen per heir, the spouse
// included. The heirs are counted on the count scale, so the amount per heir
// is taken per unit of that scale (600 yen).
Extended BasicDeduction(const law::InheritanceTaxLaw& law, ScaledCount k, bool spouse) {
  const YenAmount perCountUnit = law.basicDeductionPerHeir / kCountScale;
  const Extended count = static_cast<Extended>(k);
  return spouse ? (count + kCountScale) * perCountUnit + law.basicDeduction
                : perCountUnit * count + law.basicDeduction;
}

struct StatutoryShares {
  YenAmount spouse = 0;   // S
  YenAmount perHeir = 0;  // U
};

// The statutory shares of a taxable value T among the spouse and k heirs (k on
// the count scale, so dividing by it leaves yen per unit of that scale).
StatutoryShares SharesOf(const OrderRules& rules, YenAmount taxable, ScaledCount k, bool spouse) {
  const Extended t = static_cast<Extended>(taxable);
  const Extended heirs = static_cast<Extended>(k);
  if (!spouse) return {0, StoreYen(t / heirs * kCountScale)};
  const int heirsNumerator = rules.denominator - rules.spouseNumerator;
  return {StoreYen(t * rules.spouseNumerator / rules.denominator),
          StoreYen(t * heirsNumerator / rules.denominator / heirs * kCountScale)};
}

struct Allocation {
  YenAmount spouseTax = 0;      // Fs
  YenAmount heirsTax = 0;       // Fh
  Extended spouseAcquires = 0;  // in yen, for NValEdit17
};

// How the total tax (times kCountScale in `scaledTotal`) falls on the spouse
// and on the heirs, given what the spouse is assumed to acquire from `estate`.
Allocation Allocate(const law::InheritanceTaxLaw& law, const OrderRules& rules, SpouseAcquisition acquisition,
                    bool spouse, ScaledCount k, Extended scaledTotal, YenAmount estate, Extended limit) {
  const Extended e = static_cast<Extended>(estate);
  const YenAmount spouseCeiling = law.spouseReductionCeiling;
  // The heirs' tax from their part of the scaled total, with the 20 %
  // addition where the order bears it.
  auto heirsTaxOf = [&](Extended scaledHeirsPart) {
    return StoreYen(rules.bearsAddition ? scaledHeirsPart * law.siblingsAdditionFactor / kCountScale
                                        : scaledHeirsPart / kCountScale);
  };

  Allocation a;
  const bool largerOf = acquisition == SpouseAcquisition::LargerOfShareAnd160Million;
  if (largerOf && spouse && estate < spouseCeiling) {
    // The spouse takes the whole estate and bears the whole tax.
    a.spouseTax = StoreYen(scaledTotal / kCountScale);
    a.spouseAcquires = e;
    return a;
  }
  if (largerOf && spouse && e < limit) {
    // The spouse takes 160,000,000 yen: that part of the total tax (the
    // ceiling divided by the count scale that the scaled total carries).
    a.spouseTax = StoreYen(scaledTotal * (spouseCeiling / kCountScale) / e);
    a.heirsTax = heirsTaxOf(scaledTotal - static_cast<Extended>(a.spouseTax) * kCountScale);
    a.spouseAcquires = static_cast<Extended>(spouseCeiling);
  } else if (spouse) {
    a.spouseTax = StoreYen(scaledTotal * rules.spouseNumerator / rules.denominator / kCountScale);
    a.heirsTax = heirsTaxOf(scaledTotal - static_cast<Extended>(a.spouseTax) * kCountScale);
    a.spouseAcquires = e * rules.spouseNumerator / rules.denominator;
  } else {
    // Without a spouse the spouse's share and its tax are 0: the total is all the heirs'.
    a.heirsTax = heirsTaxOf(scaledTotal);
  }

  if (rules.bearsAddition) {
    // The addition may not lift the tax above 70 % of the heirs' statutory
    // portion of the estate after the basic deduction.
    const Extended portion =
        spouse ? (e - BasicDeduction(law, k, true)) / 4 : e - BasicDeduction(law, k, false);
    const Extended cap = portion * law.siblingsAdditionCap;
    if (a.heirsTax > 0 && a.heirsTax > cap) a.heirsTax = StoreYen(cap);
  }
  return a;
}

// The net tax after the spouse reduction.
YenAmount NetTax(const OrderRules& rules, Extended scaledTotal, const Allocation& a, YenAmount reduction) {
  if (rules.bearsAddition) {
    // Built from the allocation, so that the addition and the cap are in it.
    return StoreYen(static_cast<Extended>(a.spouseTax) + a.heirsTax + reduction);
  }
  return StoreYen((scaledTotal + static_cast<Extended>(reduction) * kCountScale) / kCountScale);
}

// The accountant's fee for the return, from the estate and the number of heirs.
void EstimateAccountantFee(MainSheet& sheet, const law::Edition& law, YenAmount estate, ScaledCount spouseCount,
                           ScaledCount k) {
  const law::AccountantFeeLaw& fee = law.accountantFee;
  LogLine(sheet, "＝＝＝＝＝");
  LogLine(sheet, "税理士報酬の計算");
  // Each heir beyond the first adds 10 %; the factor is on the count scale.
  const Extended heirFactor =
      (static_cast<Extended>(spouseCount) + static_cast<Extended>(k) - kCountScale) * fee.perExtraHeir +
      kCountScale;
  const YenAmount baseFee = StoreYen(static_cast<Extended>(AccountantFeeBase(law, estate)));
  LogFigure(sheet, "基本報酬", ToDisplay(baseFee));
  const YenAmount perHeirs = StoreYen(heirFactor * static_cast<Extended>(baseFee) / kCountScale);
  LogFigure(sheet, "相続人数の加算した後の報酬", ToDisplay(perHeirs));
  const YenAmount withReturn = StoreYen(static_cast<Extended>(perHeirs) * fee.returnFactor);
  LogFigure(sheet, "申告書作成報酬を加算した後の報酬", ToDisplay(withReturn));
  sheet.feeLow = ToDisplay(withReturn);
  // Twice the low end, worked afresh from the schedule without the roundings,
  // in 万円; one division takes out both the factor's count scale and the yen.
  sheet.feeHigh = static_cast<Extended>(AccountantFeeBase(law, estate)) * heirFactor * 2 * fee.returnFactor /
                  (kCountScale * kYenPerMan);
}

}  // namespace

MainSheet InheritanceSheet(HeirOrder order, SpouseAcquisition acquisition, const MainInputs& inputs) {
  const OrderRules& rules = RulesOf(order);
  const law::Edition& law = law::EditionOf(inputs.edition);
  const law::InheritanceTaxLaw& inheritance = law.inheritanceTax;
  // GroupBox2 becomes the box of the spouse's assumed acquisition, with
  // NValEdit17; the fee panel GroupBox3 shows the estimate.
  const SidePanel spousePanel{
      .visible = true,
      .caption = "配偶者の取得分",
      .note = acquisition == SpouseAcquisition::StatutoryShare
                  ? std::string(rules.statutoryShareNote)
                  : Fill(kLargerOfNote, {ManYenText(inheritance.spouseReductionCeiling)}),
      .yearsFieldVisible = false,
      .extraFieldVisible = true};
  MainSheet sheet = StartSheet(InputsUsed({kValueInput}), spousePanel, /*feePanelVisible=*/true);
  // The spouse setting and the heir counts are in use too.
  sheet.heirPromptsInUse = true;

  // The estate in yen (whole thousands in 円 mode); the count on the count scale.
  const YenAmount estate = ToYen(inputs.value, inputs.unit);
  const ScaledCount k = ToCount(inputs.*rules.countField);
  if (k == 0) sheet.messages.emplace_back(rules.missingCountPrompt);
  const bool spouse = inputs.spouseCount == kCountScale;

  LogHeader(sheet);
  LogFigure(sheet, "相続財産の総額", ToDisplay(estate));

  // Basic deduction and statutory shares, on T and on T + 1,000,000 yen.
  // The shares are taken before T is clamped; negative ones pay nothing.
  YenAmount taxable = estate;
  StatutoryShares shares;
  StatutoryShares sharesNext;
  if (k != 0) {
    const Extended deduction = BasicDeduction(inheritance, k, spouse);
    taxable = StoreYen(static_cast<Extended>(estate) - deduction);
    shares = SharesOf(rules, taxable, k, spouse);
    LogFigure(sheet, "基礎控除額", deduction / kYenPerMan);
    sharesNext = SharesOf(rules, NextMillion(taxable), k, spouse);
  }
  taxable = ClampAtZero(taxable);
  SetResult(sheet, kTaxableField, taxable);
  LogFigure(sheet, "基礎控除後の課税価額", ToDisplay(taxable));

  shares.spouse = ClampAtZero(shares.spouse);
  const YenAmount spouseShareTax = ClampAtZero(InheritanceTaxSchedule(law, shares.spouse));
  LogFigure(sheet, "妻の法定相続分に按分", ToDisplay(shares.spouse));
  LogFigure(sheet, "妻の法定相続分の相続税額", ToDisplay(spouseShareTax));
  const YenAmount spouseShareTaxNext = InheritanceTaxSchedule(law, sharesNext.spouse);

  shares.perHeir = ClampAtZero(shares.perHeir);
  const YenAmount heirShareTax = ClampAtZero(InheritanceTaxSchedule(law, shares.perHeir));
  LogFigure(sheet, rules.shareLogCaption, ToDisplay(shares.perHeir));
  LogFigure(sheet, rules.shareTaxLogCaption, ToDisplay(heirShareTax));
  const YenAmount heirShareTaxNext = InheritanceTaxSchedule(law, sharesNext.perHeir);

  // The total tax of the estate times the count scale: u × k + s × kCountScale.
  const Extended scaledTotal = static_cast<Extended>(heirShareTax) * static_cast<Extended>(k) +
                               static_cast<Extended>(spouseShareTax) * kCountScale;
  const Allocation allocation =
      Allocate(inheritance, rules, acquisition, spouse, k, scaledTotal, estate, rules.limit);
  sheet.extraFieldValue = allocation.spouseAcquires / kYenPerMan;
  if (rules.bearsAddition) {
    // The part of the heirs' tax that the addition makes up, in 万円
    // (the divisor is 12000, 1.2 × kYenPerMan).
    const Extended divisor = Round(inheritance.siblingsAdditionFactor * kYenPerMan);
    LogFigure(sheet, "兄弟の実際の取得分に加算する２割相当額",
              inheritance.siblingsAddition * allocation.heirsTax / divisor);
  }
  LogFigure(sheet, "相続税の総額", WholeMan(allocation.spouseTax + allocation.heirsTax));
  SetResult(sheet, kNationalField, allocation.spouseTax);
  SetResult(sheet, kLocalField, allocation.heirsTax);

  const Extended scaledTotalNext = static_cast<Extended>(heirShareTaxNext) * static_cast<Extended>(k) +
                                   static_cast<Extended>(spouseShareTaxNext) * kCountScale;
  const Allocation allocationNext = Allocate(inheritance, rules, acquisition, spouse, k, scaledTotalNext,
                                            NextMillion(estate), rules.limitNextMillion);

  // The spouse reduction cancels the spouse's part of the tax.
  const YenAmount reduction = StoreYen(static_cast<Extended>(allocation.spouseTax) * -1);
  const YenAmount reductionNext = StoreYen(static_cast<Extended>(allocationNext.spouseTax) * -1);
  SetResult(sheet, kBusinessField, reduction);
  LogFigure(sheet, "配偶者の税額軽減額", WholeMan(reduction));

  const YenAmount net = NetTax(rules, scaledTotal, allocation, reduction);
  const YenAmount netNext = NetTax(rules, scaledTotalNext, allocationNext, reductionNext);
  SetResult(sheet, kTotalField, net);
  WriteRates(sheet, net, netNext, estate);

  RescaleForYenUnit(sheet, inputs.unit,
                    {{kTaxableField, taxable},
                     {kNationalField, allocation.spouseTax},
                     {kLocalField, allocation.heirsTax},
                     {kBusinessField, reduction},
                     {kTotalField, net}});
  if (inputs.unit == AmountUnit::Yen) sheet.extraFieldValue = FieldInYen(allocation.spouseAcquires);

  SetCaptions(sheet, {"　　課税所得", "　　妻の税額", rules.heirTaxCaption, "　配偶者軽減", "　合計納税額",
                      "　平均", "　上積"});
  // The pie: the net tax, then the rest of the estate.
  FillPie(sheet, {{"国税", ChartColour::Red, static_cast<Extended>(net)}}, estate);
  EstimateAccountantFee(sheet, law, estate, spouse ? kCountScale : 0, k);
  return sheet;
}

}  // namespace tavenko::calc
