#include "core/Schedules.h"

#include <array>

namespace tavenko {
namespace {

constexpr std::array<Bracket, 7> kIncomeTax{{
    {1950000, 0.05L, 0},
    {3300000, 0.1L, 97500},
    {6950000, 0.2L, 427500},
    {9000000, 0.23L, 636000},
    {18000000, 0.33L, 1536000},
    {40000000, 0.4L, 2796000},
    {kNoLimit, 0.45L, 4796000},
}};

constexpr std::array<Bracket, 8> kInheritanceTax{{
    {10000000, 0.1L, 0},
    {30000000, 0.15L, 500000},
    {50000000, 0.2L, 2000000},
    {100000000, 0.3L, 7000000},
    {200000000, 0.4L, 17000000},
    {300000000, 0.45L, 27000000},
    {600000000, 0.5L, 42000000},
    {kNoLimit, 0.55L, 72000000},
}};

constexpr std::array<Bracket, 8> kGiftTaxGeneral{{
    {2000000, 0.1L, 0},
    {3000000, 0.15L, 100000},
    {4000000, 0.2L, 250000},
    {6000000, 0.3L, 650000},
    {10000000, 0.4L, 1250000},
    {15000000, 0.45L, 1750000},
    {30000000, 0.5L, 2500000},
    {kNoLimit, 0.55L, 4000000},
}};

constexpr std::array<Bracket, 8> kGiftTaxSpecial{{
    {2000000, 0.1L, 0},
    {4000000, 0.15L, 100000},
    {6000000, 0.2L, 300000},
    {10000000, 0.3L, 900000},
    {15000000, 0.4L, 1900000},
    {30000000, 0.45L, 2650000},
    {45000000, 0.5L, 4150000},
    {kNoLimit, 0.55L, 6400000},
}};

// x × rate - subtrahend of the row x falls in, before the single rounding.
Extended BracketTax(std::span<const Bracket> table, YenAmount x) {
  for (const Bracket& row : table) {
    if (x <= row.upTo) return static_cast<Extended>(x) * row.rate - row.subtrahend;
  }
  return 0;  // not reached: the top row has no limit
}

YenAmount ProgressiveTax(std::span<const Bracket> table, YenAmount x) {
  if (x <= 0) return 0;
  return StoreYen(BracketTax(table, x));
}

}  // namespace

std::span<const Bracket> IncomeTaxBrackets() { return kIncomeTax; }
std::span<const Bracket> InheritanceTaxBrackets() { return kInheritanceTax; }
std::span<const Bracket> GiftTaxGeneralBrackets() { return kGiftTaxGeneral; }
std::span<const Bracket> GiftTaxSpecialBrackets() { return kGiftTaxSpecial; }

YenAmount SalaryIncome(YenAmount revenue) {
  const Extended s = static_cast<Extended>(revenue);
  if (revenue <= 650000) return 0;
  if (revenue <= 1625000) return StoreYen(s - 650000);
  if (revenue <= 1800000) return StoreYen(s - s * 0.4L);
  if (revenue <= 3600000) return StoreYen(s - s * 0.3L - 180000);
  if (revenue <= 6600000) return StoreYen(s - s * 0.2L - 540000);
  if (revenue <= 10000000) return StoreYen(s - s * 0.1L - 1200000);
  return StoreYen(s - 2200000);
}

YenAmount IncomeTaxWithSurtax(YenAmount taxableIncome) {
  if (taxableIncome <= 0) return 0;
  return StoreYen(BracketTax(kIncomeTax, taxableIncome) * kReconstructionSurtaxFactor);
}

YenAmount PrefecturalInhabitantTax(YenAmount taxableIncome) {
  if (taxableIncome <= 0) return 0;
  return StoreYen(static_cast<Extended>(taxableIncome) * 0.04L);
}

YenAmount MunicipalInhabitantTax(YenAmount taxableIncome) {
  if (taxableIncome <= 0) return 0;
  return StoreYen(static_cast<Extended>(taxableIncome) * 0.06L);
}

YenAmount IndividualBusinessTax(YenAmount businessIncome) {
  return StoreYen((static_cast<Extended>(businessIncome) - 2900000) * 0.05L);
}

YenAmount CorporationTax(YenAmount companyIncome) {
  const Extended p = static_cast<Extended>(companyIncome);
  if (companyIncome <= 8000000) return StoreYen(p * 0.15L);
  return StoreYen(p * 0.234L - 672000);
}

YenAmount CorporateEnterpriseTax(YenAmount companyIncome) {
  const Extended p = static_cast<Extended>(companyIncome);
  if (companyIncome <= 4000000) return StoreYen(p * 0.05L);
  if (companyIncome <= 8000000) return StoreYen(p * 0.073L - 92000);
  return StoreYen(p * 0.096L - 276000);
}

YenAmount InheritanceTaxSchedule(YenAmount statutoryShare) {
  return ProgressiveTax(kInheritanceTax, statutoryShare);
}

YenAmount GiftTaxGeneral(YenAmount taxableGift) { return ProgressiveTax(kGiftTaxGeneral, taxableGift); }

YenAmount GiftTaxSpecial(YenAmount taxableGift) { return ProgressiveTax(kGiftTaxSpecial, taxableGift); }

YenAmount AccountantFeeBase(YenAmount estateValue) {
  // Each row includes its lower bound.
  if (estateValue < 50000000) return 300000;
  if (estateValue < 70000000) return 450000;
  if (estateValue < 100000000) return 700000;
  if (estateValue < 300000000) return 950000;
  if (estateValue < 500000000) return 1200000;
  if (estateValue < 700000000) return 1450000;
  if (estateValue < 1000000000) return 1800000;
  // 1,900,000 yen, and 100,000 yen more for each full 100,000,000 above,
  // worked in 万円: 190 万, and 10 万 for each 10,000 万 (one 億).
  constexpr Extended kManPerOku = 10000;
  const Extended hundredMillions =
      Int((static_cast<Extended>(estateValue) - 1000000000) / kYenPerMan / kManPerOku);
  return StoreYen((hundredMillions * 10 + 180 + 10) * kYenPerMan);
}

}  // namespace tavenko
