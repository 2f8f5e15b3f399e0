// The additional and delinquency tax window (TForm3) as one calculation: from
// the figures typed into the window to every value its "計　算" button writes.
//
// The window works in one unit, yen or ten thousand yen, and every result
// comes out in the same unit. Working amounts are Ticks, ten-thousandths of
// that unit: a figure is read as Round(value × kTicksPerUnit) and a result is
// written back as amount / kTicksPerUnit. Amounts said to be stored are
// rounded (ties to even) into Ticks; the other results keep the extended
// value as computed, so a 7.5 shows as 8 while its value stays 7.5.
//
// Three tax columns run side by side: national tax, the prefectural and
// municipal inhabitant taxes together, and business tax.
#pragma once

#include <array>

#include "core/Amount.h"

namespace tavenko::calc {

// The window's unit flag: 1 for yen, 2 for ten thousand yen.
enum class PenaltyUnit { Yen = 1, TenThousandYen = 2 };

inline constexpr int kTaxColumns = 3;  // national, inhabitant, business
using ColumnFigures = std::array<Extended, kTaxColumns>;

// The window's figures as its fields hold them.
struct AdditionalTaxInputs {
  ColumnFigures initialTax{};      // tax on the initial return
  ColumnFigures amendedTax{};      // tax on this amended return
  Extended understatedIncome = 0;  // income of the understated part
  Extended concealedIncome = 0;    // income of the concealed part
  bool noReturn = false;           // no return was filed
  PenaltyUnit unit = PenaltyUnit::Yen;
  Extended discountRatePercent = 0.1L;  // the official rate at the end of November
  Extended days = 365;                  // from the deadline to payment
};

// One row across the three tax columns and its total.
struct ColumnRow {
  ColumnFigures column{};
  Extended total = 0;
};

// One penalty row: national column, business column and total (the
// inhabitant taxes bear no penalty).
struct PenaltyRow {
  Extended national = 0;
  Extended business = 0;
  Extended total = 0;
};

// The understated and concealed shares of each increase, in ten-thousandths
// of the unit: what the delinquency tax is charged on.
struct IncreaseShares {
  std::array<Ticks, kTaxColumns> understated{};  // U1..U3
  std::array<Ticks, kTaxColumns> concealed{};    // C1..C3
};

// The delinquency tax on the understated and on the concealed shares.
struct DelinquencyResult {
  bool daysMessage = false;  // "年数の入力が間違っています": no days given
  ColumnRow understated;
  ColumnRow concealed;
};

// Everything one press of "計　算" shows, in the order of the window's steps:
// the increase and its shares, the penalties, then the delinquency tax and
// the grand total.
struct AdditionalTaxSheet {
  // Both apportioning incomes empty: the understated part's income is set to
  // 1, so that the whole increase counts as understated.
  bool understatedIncomeSetToOne = false;
  Extended initialTotal = 0;  // the three taxes of the initial return
  Extended amendedTotal = 0;  // and of the amended one
  ColumnRow increase;
  ColumnRow understated;      // the increase's understated share
  ColumnRow concealed;        // and its concealed share
  PenaltyRow tenPercent;      // no business column
  PenaltyRow fifteenPercent;  // also the no-return penalty
  PenaltyRow heavy;
  IncreaseShares shares;
  DelinquencyResult delinquency;
  Extended grandTotal = 0;  // the increase, all penalties and all delinquency tax
};

// The 500,000-yen threshold of the 15 % part, in Ticks of the unit.
Ticks PenaltyThreshold(PenaltyUnit unit);

// The delinquency tax on the shares at the yearly rate of the official rate
// plus 4 %: the understated part capped at one year unless no return was
// filed, the concealed part never capped.
DelinquencyResult ComputeDelinquency(const IncreaseShares& shares, bool noReturn,
                                     Extended discountRatePercent, Extended days);

AdditionalTaxSheet ComputeAdditionalTax(const AdditionalTaxInputs& in);

}  // namespace tavenko::calc
