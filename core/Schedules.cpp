#include "core/Schedules.h"

#include <span>

namespace tavenko {
namespace {

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

YenAmount EnterpriseTax(const law::EnterpriseTaxSchedule& schedule, YenAmount profit) {
  for (const Bracket& band : schedule.bands) {
    if (profit > band.upTo) continue;
    const Extended p = static_cast<Extended>(profit);
    if (schedule.applies == law::EnterpriseFactor::OnEachRate)
      return StoreYen(p * band.rate * schedule.factor - band.subtrahend);
    return StoreYen((p * band.rate - band.subtrahend) * schedule.factor);
  }
  return 0;  // not reached: the top band has no limit
}

}  // namespace

YenAmount SalaryIncome(const Edition& law, YenAmount revenue) {
  const law::SalaryIncomeLaw& salary = law.salaryIncome;
  if (revenue <= salary.noIncomeUpTo) return 0;
  const Extended s = static_cast<Extended>(revenue);
  for (const Bracket& band : salary.bands)
    if (revenue <= band.upTo) return StoreYen(s - s * band.rate - band.subtrahend);
  return 0;  // not reached: the top band has no limit
}

YenAmount IncomeTaxWithSurtax(const Edition& law, YenAmount taxableIncome) {
  if (taxableIncome <= 0) return 0;
  return StoreYen(BracketTax(law.incomeTax.brackets, taxableIncome) * law.incomeTax.surtaxFactor);
}

YenAmount PrefecturalInhabitantTax(const Edition& law, YenAmount taxableIncome) {
  if (taxableIncome <= 0) return 0;
  return StoreYen(static_cast<Extended>(taxableIncome) * law.inhabitantTax.prefecturalRate);
}

YenAmount MunicipalInhabitantTax(const Edition& law, YenAmount taxableIncome) {
  if (taxableIncome <= 0) return 0;
  return StoreYen(static_cast<Extended>(taxableIncome) * law.inhabitantTax.municipalRate);
}

YenAmount IndividualBusinessTax(const Edition& law, YenAmount businessIncome) {
  const law::IndividualBusinessTaxLaw& business = law.individualBusinessTax;
  return StoreYen((static_cast<Extended>(businessIncome) - business.ownerDeduction) * business.rate);
}

YenAmount CorporationTax(const Edition& law, YenAmount companyIncome) {
  return StoreYen(BracketTax(law.corporationTax.smallCompany, companyIncome));
}

YenAmount CorporateEnterpriseTax(const Edition& law, YenAmount companyIncome) {
  return EnterpriseTax(law.enterpriseTax.smallCompany, companyIncome);
}

YenAmount LargeCompanyCorporationTax(const Edition& law, YenAmount companyIncome) {
  return StoreYen(companyIncome * law.corporationTax.largeCompanyRate);
}

YenAmount LargeCompanyEnterpriseTax(const Edition& law, YenAmount companyIncome) {
  return EnterpriseTax(law.enterpriseTax.largeCompany, companyIncome);
}

YenAmount InheritanceTaxSchedule(const Edition& law, YenAmount statutoryShare) {
  return ProgressiveTax(law.inheritanceTax.brackets, statutoryShare);
}

YenAmount GiftTaxGeneral(const Edition& law, YenAmount taxableGift) {
  return ProgressiveTax(law.giftTax.general, taxableGift);
}

YenAmount GiftTaxSpecial(const Edition& law, YenAmount taxableGift) {
  return ProgressiveTax(law.giftTax.linealAscendant, taxableGift);
}

YenAmount AccountantFeeBase(const Edition& law, YenAmount estateValue) {
  const law::AccountantFeeLaw& fee = law.accountantFee;
  for (const law::FeeRow& row : fee.rows)
    if (estateValue < row.below) return row.fee;
  // The top fee, and a step more for each full step above the last row's
  // bound, the steps counted in 万円 first; the fee is worked on whole
  // numbers, so exact.
  const Extended steps = Int((static_cast<Extended>(estateValue) - fee.rows.back().below) / kYenPerMan /
                             (fee.topStep / kYenPerMan));
  return StoreYen(steps * fee.topStepAmount + fee.topFee);
}

}  // namespace tavenko
