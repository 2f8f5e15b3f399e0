// The tax and fee schedules, as pure functions from one amount to one amount
// under the law of an edition. Each bracket formula is evaluated in extended
// precision in the order the law's table writes it (the product first, then
// the subtrahend, then the surtax factor) and rounded once, ties to even.
#pragma once

#include <cstdint>

#include "core/Amount.h"
#include "law/Edition.h"

namespace tavenko {

using law::Bracket;
using law::Edition;
using law::kNoLimit;

YenAmount SalaryIncome(const Edition& law, YenAmount revenue);
YenAmount IncomeTaxWithSurtax(const Edition& law, YenAmount taxableIncome);
YenAmount PrefecturalInhabitantTax(const Edition& law, YenAmount taxableIncome);
YenAmount MunicipalInhabitantTax(const Edition& law, YenAmount taxableIncome);
YenAmount IndividualBusinessTax(const Edition& law, YenAmount businessIncome);  // may be negative
// A company with capital up to 100,000,000 yen.
YenAmount CorporationTax(const Edition& law, YenAmount companyIncome);          // may be negative
YenAmount CorporateEnterpriseTax(const Edition& law, YenAmount companyIncome);  // may be negative
// A company with capital above 100,000,000 yen.
YenAmount LargeCompanyCorporationTax(const Edition& law, YenAmount companyIncome);
YenAmount LargeCompanyEnterpriseTax(const Edition& law, YenAmount companyIncome);
YenAmount InheritanceTaxSchedule(const Edition& law, YenAmount statutoryShare);
YenAmount GiftTaxGeneral(const Edition& law, YenAmount taxableGift);
YenAmount GiftTaxSpecial(const Edition& law, YenAmount taxableGift);  // gifts from lineal ascendants
YenAmount AccountantFeeBase(const Edition& law, YenAmount estateValue);

}  // namespace tavenko
