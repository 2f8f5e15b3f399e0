// The property cases of the main window: transfers of land and buildings,
// companies and gifts. Each family is one calculation driven by a table of
// per-case parameters (which of the edition's rates, captions, comments, which
// log lines are whole 万円); the buttons reach it through the registry in
// MainCases.cpp.
//
//   transfers  NValEdit11 income, NValEdit12 deductions -> income tax with the
//              2.1 % surtax and the inhabitant tax at flat or two-band rates,
//              after the 30,000,000 yen residence deduction where it applies
//   companies  NValEdit13 profit -> corporation tax, inhabitant tax with the
//              per-capita levy, business tax; the total adds the year's
//              addition to the corporation tax (a further tenth in 平成29年版,
//              the local corporation tax in 令和7年分)
//   gifts      NValEdit14 gifts -> gift tax after the 1,100,000 yen basic
//              deduction; the marginal figure steps by 100,000 yen, times 10
#pragma once

#include "calc/MainSheet.h"

namespace tavenko::calc {

enum class TransferKind {
  LongTerm,               // "長期譲渡": held more than 5 years
  SuperiorLand,           // "優": superior residential land, reduced rates
  ShortTerm,              // "短期譲渡所得": held 5 years or less
  ResidenceShortTerm,     // "居住用（５年以内）": residence deduction, short-term rates
  ResidenceLongTerm,      // "居住（５年超）": residence deduction, long-term rates
  ResidenceOverTenYears,  // "居住（１０年超）": residence deduction, reduced rates
};

enum class CompanyKind {
  Large,  // "法人（大規模）": capital above 100,000,000 yen, levy 530,000 yen
  Small,  // "法人（小規模）": reduced corporation tax band, levy 70,000 yen
};

enum class GiftKind {
  General,          // "贈与税": GiftTaxGeneral
  LinealAscendant,  // "贈（尊属）": GiftTaxSpecial
};

MainSheet ComputeTransfer(TransferKind kind, const MainInputs& inputs);
MainSheet ComputeCompany(CompanyKind kind, const MainInputs& inputs);
MainSheet ComputeGift(GiftKind kind, const MainInputs& inputs);

// One button's calculation as the plain function pointer the registry holds.
template <TransferKind kind>
MainSheet TransferButton(const MainInputs& inputs) {
  return ComputeTransfer(kind, inputs);
}
template <CompanyKind kind>
MainSheet CompanyButton(const MainInputs& inputs) {
  return ComputeCompany(kind, inputs);
}
template <GiftKind kind>
MainSheet GiftButton(const MainInputs& inputs) {
  return ComputeGift(kind, inputs);
}

}  // namespace tavenko::calc
