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
#include <utility>
#include <vector>

#include "Amount.h"

namespace tavenko::calc {

// The window's unit flag: 1 for yen, 2 for ten thousand yen.
enum class PenaltyUnit { Yen = 1, TenThousandYen = 2 };

inline constexpr int kTaxColumns = 3;  // national, inhabitant, business
using ColumnFigures = std::array<Extended, kTaxColumns>;

// The window's figures as its fields hold them.
struct AdditionalTaxInputs {
  ColumnFigures initialTax{};    // NValEdit1..3: tax on the initial return
  ColumnFigures amendedTax{};    // NValEdit5..7: tax on this amended return
  Extended understatedIncome = 0;  // NValEdit13: income of the understated part
  Extended concealedIncome = 0;    // NValEdit18: income of the concealed part
  bool noReturn = false;           // CheckBox1: no return was filed
  PenaltyUnit unit = PenaltyUnit::Yen;
  Extended discountRatePercent = 0.1L;  // NValEdit30: official rate at the end of November
  Extended days = 365;                  // NValEdit32: deadline to payment
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

struct DelinquencyResult {
  bool daysMessage = false;  // "年数の入力が間違っています"
  ColumnRow understated;     // NValEdit33..36
  ColumnRow concealed;       // NValEdit37..40
};

struct AdditionalTaxSheet {
  // Both apportioning incomes empty: NValEdit13 is set to 1, so that the
  // whole increase counts as understated.
  bool understatedIncomeSetToOne = false;
  Extended initialTotal = 0;  // NValEdit4
  Extended amendedTotal = 0;  // NValEdit8
  ColumnRow increase;         // NValEdit9..12
  ColumnRow understated;      // NValEdit14..17
  ColumnRow concealed;        // NValEdit19..22
  PenaltyRow tenPercent;      // NValEdit23, (none), NValEdit24
  PenaltyRow fifteenPercent;  // NValEdit25, NValEdit31, NValEdit26 (also the no-return penalty)
  PenaltyRow heavy;           // NValEdit27, NValEdit28, NValEdit29
  IncreaseShares shares;
  DelinquencyResult delinquency;
  Extended grandTotal = 0;    // NValEdit41
};

// The 500,000-yen threshold of the 15 % part, in Ticks of the unit.
Ticks PenaltyThreshold(PenaltyUnit unit);

// The delinquency tax on the shares at the yearly rate of the official rate
// plus 4 %: the understated part capped at one year unless no return was
// filed, the concealed part never capped.
DelinquencyResult ComputeDelinquency(const IncreaseShares& shares, bool noReturn,
                                     Extended discountRatePercent, Extended days);

// Everything one press of "計　算" writes, in the order of the window's steps.
AdditionalTaxSheet ComputeAdditionalTax(const AdditionalTaxInputs& in);

// The field values of a sheet as (field number, value) pairs: the increase,
// shares and penalties, then the delinquency rows and the grand total.
using FieldValues = std::vector<std::pair<int, Extended>>;
FieldValues PenaltyFieldValues(const AdditionalTaxSheet& sheet);
FieldValues DelinquencyFieldValues(const AdditionalTaxSheet& sheet);

}  // namespace tavenko::calc
