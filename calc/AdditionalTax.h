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
#include <string>
#include <vector>

#include "core/Amount.h"
#include "core/CivilDate.h"
#include "law/Edition.h"

namespace tavenko::calc {

// The window's unit flag: 1 for yen, 2 for ten thousand yen.
enum class PenaltyUnit { Yen = 1, TenThousandYen = 2 };

inline constexpr int kTaxColumns = 3;  // national, inhabitant, business
using ColumnFigures = std::array<Extended, kTaxColumns>;

// The dates the delinquency tax counts by, where the edition counts by dates.
struct DelinquencyDates {
  CivilDate due;    // the statutory due date
  CivilDate filed;  // the filing date of the amended or late return
  CivilDate paid;   // the payment date
};

// The window's figures as its fields hold them.
struct AdditionalTaxInputs {
  law::EditionId edition = law::EditionId::Heisei29;
  ColumnFigures initialTax{};      // tax on the initial return
  ColumnFigures amendedTax{};      // tax on this amended return
  Extended understatedIncome = 0;  // income of the understated part
  Extended concealedIncome = 0;    // income of the concealed part
  bool noReturn = false;           // no return was filed
  PenaltyUnit unit = PenaltyUnit::Yen;
  Extended discountRatePercent = 0.1L;  // the official rate at the end of November
  Extended days = 365;                  // from the deadline to payment
  DelinquencyDates dates;               // instead of the rate and the days, by the edition
};

// One row across the three tax columns and its total.
struct ColumnRow {
  ColumnFigures column{};
  Extended total = 0;
};

// One penalty row: national column, business column and total (the
// inhabitant taxes bear no penalty).
struct PenaltyPart {
  Extended base = 0;  // the part of the understated national share, in the unit
  Extended rate = 0;
  Extended amount = 0;
};

struct PenaltyRow {
  std::vector<PenaltyPart> parts;  // a banded penalty's parts (the no-return penalty)
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
  std::string refusal;       // dates that cannot be counted: why; nothing is computed
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

// An amount of yen as a threshold in Ticks of the unit (500,000 yen: 500,000
// in yen or 50 in ten thousand yen).
Ticks PenaltyThreshold(YenAmount yen, PenaltyUnit unit);

// The delinquency tax on the shares at the yearly rate of the official rate
// plus the edition's addition (4 %): the understated part capped at one year
// unless no return was filed, the concealed part never capped.
DelinquencyResult ComputeDelinquency(const law::Edition& law, const IncreaseShares& shares, bool noReturn,
                                     Extended discountRatePercent, Extended days);

// The days a share is charged for, each at its year's rate: the sum of the
// yearly rates of the counted days ("rate-days"; the tax is the share times
// it over the days of a year), or why the dates cannot be counted.
struct CountedDays {
  int days = 0;
  Extended rateDays = 0;
  std::string refusal;
};
// From the day after the due date to the payment date, at the lower rate
// through `lowerRateMonths` months after the filing date; with
// `leaveOutAfterFirstYear`, the days after the first anniversary of the due
// date up to the filing date are not counted.
CountedDays CountDelinquencyDays(const law::DelinquencyLaw& law, const DelinquencyDates& dates,
                                 int lowerRateMonths, bool leaveOutAfterFirstYear);

// The delinquency tax by dates: the national column with the national months,
// the inhabitant and business columns with the local ones; the understated
// part leaves out the days after the first year unless no return was filed.
DelinquencyResult ComputeDelinquencyByDates(const law::Edition& law, const IncreaseShares& shares, bool noReturn,
                                            const DelinquencyDates& dates);

AdditionalTaxSheet ComputeAdditionalTax(const AdditionalTaxInputs& in);

}  // namespace tavenko::calc
