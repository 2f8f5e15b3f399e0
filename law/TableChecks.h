// Compile-time checks of an edition's tables: band edges that ascend, and
// subtrahends that make a schedule continuous where the law makes it so
// (the tax of an amount at a band's edge is the same by either band's
// formula, to well under a yen).
#pragma once

#include <span>

#include "law/Edition.h"

namespace tavenko::law::checks {

constexpr Extended Distance(Extended a, Extended b) { return a > b ? a - b : b - a; }
inline constexpr Extended kWellUnderAYen = 0.001L;

constexpr bool Ascending(std::span<const Bracket> table) {
  if (table.empty() || table.back().upTo != kNoLimit) return false;
  for (std::size_t i = 1; i < table.size(); ++i)
    if (table[i].upTo <= table[i - 1].upTo) return false;
  return true;
}

// amount × rate − subtrahend meets at every edge.
constexpr bool Continuous(std::span<const Bracket> table) {
  for (std::size_t i = 0; i + 1 < table.size(); ++i) {
    const Extended edge = table[i].upTo;
    if (Distance(edge * table[i].rate - table[i].subtrahend,
                 edge * table[i + 1].rate - table[i + 1].subtrahend) > kWellUnderAYen)
      return false;
  }
  return true;
}

// The same with the factor on each rate, the subtrahends carrying it.
constexpr bool ContinuousWithFactor(const EnterpriseTaxSchedule& s) {
  for (std::size_t i = 0; i + 1 < s.bands.size(); ++i) {
    const Extended edge = s.bands[i].upTo;
    const Extended below = s.applies == EnterpriseFactor::OnEachRate
                               ? edge * s.bands[i].rate * s.factor - s.bands[i].subtrahend
                               : (edge * s.bands[i].rate - s.bands[i].subtrahend) * s.factor;
    const Extended above = s.applies == EnterpriseFactor::OnEachRate
                               ? edge * s.bands[i + 1].rate * s.factor - s.bands[i + 1].subtrahend
                               : (edge * s.bands[i + 1].rate - s.bands[i + 1].subtrahend) * s.factor;
    if (Distance(below, above) > kWellUnderAYen) return false;
  }
  return true;
}

// Salary income (revenue − revenue × rate − subtrahend) starts from nothing
// at `noIncomeUpTo` and meets at every edge.
constexpr bool ContinuousSalary(const SalaryIncomeLaw& s) {
  const auto income = [](const Bracket& b, Extended revenue) { return revenue - revenue * b.rate - b.subtrahend; };
  if (!Ascending(s.bands) || s.bands.front().upTo <= s.noIncomeUpTo) return false;
  if (Distance(income(s.bands.front(), s.noIncomeUpTo), 0) > kWellUnderAYen) return false;
  for (std::size_t i = 0; i + 1 < s.bands.size(); ++i)
    if (Distance(income(s.bands[i], s.bands[i].upTo), income(s.bands[i + 1], s.bands[i].upTo)) > kWellUnderAYen)
      return false;
  return true;
}

// Two bands that meet at the edge (or one flat rate).
constexpr bool Continuous(const TwoBandRate& r) {
  if (r.bandEdge == kNoLimit) return true;
  const Extended edge = r.bandEdge;
  return Distance(edge * r.lowerRate, edge * r.upperRate - r.upperSubtrahend) <= kWellUnderAYen;
}

constexpr bool Continuous(const TransferLaw& t) {
  for (const TwoBandRate& r : {t.longTermIncomeTax, t.longTermInhabitantTax, t.shortTermIncomeTax,
                               t.shortTermInhabitantTax, t.superiorLandIncomeTax, t.superiorLandInhabitantTax,
                               t.residenceOverTenYearsIncomeTax, t.residenceOverTenYearsInhabitantTax})
    if (!Continuous(r)) return false;
  return true;
}

constexpr bool FeeRowsAscend(std::span<const FeeRow> rows) {
  for (std::size_t i = 1; i < rows.size(); ++i)
    if (rows[i].below <= rows[i - 1].below || rows[i].fee <= rows[i - 1].fee) return false;
  return !rows.empty();
}

// The yearly retirement deductions and the deduction per heir are taken per
// unit of the count scale, so they must divide by it.
constexpr bool WholePerCountUnit(const Edition& e) {
  return e.retirement.perYearUpToBand % kCountScale == 0 && e.retirement.perYearBeyondBand % kCountScale == 0 &&
         e.inheritanceTax.basicDeductionPerHeir % kCountScale == 0;
}

// Each row of a pension table meets the next at its edge.
constexpr bool ContinuousPension(std::span<const PensionRow> rows) {
  const auto income = [](const PensionRow& r, Extended p) {
    switch (r.shape) {
      case PensionShape::NoIncome: return Extended(0);
      case PensionShape::LessRate: return p - p * r.rate - r.subtrahend;
      case PensionShape::TimesRate: return p * r.rate - r.subtrahend;
    }
    return Extended(0);
  };
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    if (rows[i + 1].upTo <= rows[i].upTo) return false;
    const Extended edge = rows[i].upTo;
    if (Distance(income(rows[i], edge), income(rows[i + 1], edge)) > kWellUnderAYen) return false;
  }
  return !rows.empty() && rows.back().upTo == kNoLimit;
}

// The delinquency years follow one another without a gap.
constexpr bool YearsFollowOn(std::span<const DelinquencyYear> years) {
  for (std::size_t i = 1; i < years.size(); ++i)
    if (years[i].year != years[i - 1].year + 1) return false;
  return true;
}

// The window's salary bands ascend and end without a limit.
constexpr bool SalaryBandsAscend(std::span<const SalaryTableBand> bands) {
  for (std::size_t i = 1; i < bands.size(); ++i)
    if (bands[i].bound <= bands[i - 1].bound) return false;
  return !bands.empty() && bands.back().bound == kNoLimit;
}

// Every table of an edition.
constexpr bool WellFormed(const Edition& e) {
  return Ascending(e.incomeTax.brackets) && Continuous(e.incomeTax.brackets) &&
         ContinuousSalary(e.salaryIncome) && Continuous(e.transfers) &&
         Ascending(e.corporationTax.smallCompany) &&
         (!e.corporationTax.smallCompanyContinuous || Continuous(e.corporationTax.smallCompany)) &&
         Ascending(e.enterpriseTax.largeCompany.bands) && ContinuousWithFactor(e.enterpriseTax.largeCompany) &&
         Ascending(e.enterpriseTax.smallCompany.bands) && ContinuousWithFactor(e.enterpriseTax.smallCompany) &&
         Ascending(e.giftTax.general) && Continuous(e.giftTax.general) &&
         Ascending(e.giftTax.linealAscendant) && Continuous(e.giftTax.linealAscendant) &&
         Ascending(e.inheritanceTax.brackets) && Continuous(e.inheritanceTax.brackets) &&
         FeeRowsAscend(e.accountantFee.rows) && WholePerCountUnit(e) &&
         SalaryBandsAscend(e.comprehensiveSalary.bands) && YearsFollowOn(e.delinquency.years) &&
         ContinuousPension(e.publicPension.sixtyFiveOrOver) && ContinuousPension(e.publicPension.underSixtyFive) &&
         Distance(1 + e.inheritanceTax.siblingsAddition, e.inheritanceTax.siblingsAdditionFactor) < 1e-18L;
}

}  // namespace tavenko::law::checks
