// The tax and fee schedules of the tax year Heisei 29, as pure functions from
// one amount to one amount. Each bracket formula is evaluated in extended
// precision in the order the law's table writes it (the product first, then
// the subtrahend, then the surtax factor) and rounded once, ties to even.
#pragma once

#include <span>

#include "core/Amount.h"

namespace tavenko {

YenAmount SalaryIncome(YenAmount revenue);
YenAmount IncomeTaxWithSurtax(YenAmount taxableIncome);  // with the 2.1 % surtax
YenAmount PrefecturalInhabitantTax(YenAmount taxableIncome);
YenAmount MunicipalInhabitantTax(YenAmount taxableIncome);
YenAmount IndividualBusinessTax(YenAmount businessIncome);  // may be negative
YenAmount CorporationTax(YenAmount companyIncome);          // may be negative
YenAmount CorporateEnterpriseTax(YenAmount companyIncome);  // may be negative
YenAmount InheritanceTaxSchedule(YenAmount statutoryShare);
YenAmount GiftTaxGeneral(YenAmount taxableGift);
YenAmount GiftTaxSpecial(YenAmount taxableGift);  // gifts from lineal ascendants
YenAmount AccountantFeeBase(YenAmount estateValue);

// One row of a progressive table: amounts up to and including `upTo` are
// taxed at `rate` less `subtrahend`. Exposed so that the rates help can be
// written from the very tables the program computes with.
struct Bracket {
  YenAmount upTo;  // inclusive upper bound; kNoLimit for the top row
  Extended rate;
  YenAmount subtrahend;
};
inline constexpr YenAmount kNoLimit = INT64_MAX;

// Rows from the lowest upward; an amount at or below zero pays nothing.
std::span<const Bracket> IncomeTaxBrackets();  // before the surtax factor
std::span<const Bracket> InheritanceTaxBrackets();
std::span<const Bracket> GiftTaxGeneralBrackets();
std::span<const Bracket> GiftTaxSpecialBrackets();

inline constexpr Extended kReconstructionSurtaxFactor = 1.021L;

}  // namespace tavenko
