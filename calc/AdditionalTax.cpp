#include "calc/AdditionalTax.h"

#include <algorithm>

namespace tavenko::calc {
namespace {

constexpr int kDaysPerYear = 365;
// The days field is read into Ticks like every other figure.
constexpr Ticks kOneYearInTicks = kDaysPerYear * kTicksPerUnit;
constexpr YenAmount kFifteenPercentThreshold = 500000;

// A field value read as a working amount: Round(value × kTicksPerUnit).
Ticks ReadTicks(Extended value) { return StoreRounded(value * kTicksPerUnit); }
// A working amount written into a field.
Extended ToField(Ticks amount) { return static_cast<Extended>(amount) / kTicksPerUnit; }
// An unstored result written into a field: the extended value as computed.
Extended ToField(Extended amount) { return amount / kTicksPerUnit; }

ColumnRow RowOf(const std::array<Ticks, kTaxColumns>& amounts) {
  ColumnRow row;
  Ticks total = 0;
  for (int k = 0; k < kTaxColumns; ++k) {
    row.column[k] = ToField(amounts[k]);
    total += amounts[k];
  }
  row.total = ToField(total);
  return row;
}

}  // namespace

Ticks PenaltyThreshold(PenaltyUnit unit) {
  // 500,000 yen: 500,000 in yen or 50 in ten thousand yen.
  const Ticks units =
      unit == PenaltyUnit::TenThousandYen ? kFifteenPercentThreshold / kYenPerMan : kFifteenPercentThreshold;
  return units * kTicksPerUnit;
}

DelinquencyResult ComputeDelinquency(const IncreaseShares& shares, bool noReturn,
                                     Extended discountRatePercent, Extended days) {
  DelinquencyResult result;
  const Ticks d = ReadTicks(days);
  result.daysMessage = d <= 0;  // the calculation goes on with d as typed
  const Extended q = discountRatePercent / 100 + 0.04L;

  // Delinquency for d days of a year of 365, left to right, rounded once.
  const auto forTheDays = [&](Ticks share) -> Ticks {
    return StoreRounded(q * static_cast<Extended>(share) * static_cast<Extended>(d) / kDaysPerYear /
                        kTicksPerUnit);
  };

  std::array<Ticks, kTaxColumns> understated{}, concealed{};
  for (int k = 0; k < kTaxColumns; ++k) {
    const Ticks u = shares.understated[k];
    // Filed but understated: charged for one year at most.
    const bool capped = !noReturn && d >= kOneYearInTicks;
    understated[k] = capped ? StoreRounded(q * static_cast<Extended>(u)) : forTheDays(u);
    concealed[k] = forTheDays(shares.concealed[k]);
  }
  result.understated = RowOf(understated);
  result.concealed = RowOf(concealed);
  return result;
}

AdditionalTaxSheet ComputeAdditionalTax(const AdditionalTaxInputs& in) {
  AdditionalTaxSheet sheet;

  // Apportioning incomes; with neither given the whole increase is understated.
  Ticks w = ReadTicks(in.understatedIncome);
  const Ticks a = ReadTicks(in.concealedIncome);
  if (w + a <= 0) {
    sheet.understatedIncomeSetToOne = true;
    w = 1;
  }

  std::array<Ticks, kTaxColumns> initial{}, amended{}, increase{};
  IncreaseShares& shares = sheet.shares;
  for (int k = 0; k < kTaxColumns; ++k) {
    initial[k] = ReadTicks(in.initialTax[k]);
    amended[k] = ReadTicks(in.amendedTax[k]);
    // A tax that fell on amendment is no increase, not a refund.
    increase[k] = std::max<Ticks>(amended[k] - initial[k], 0);
    shares.understated[k] = StoreRounded(static_cast<Extended>(increase[k]) * static_cast<Extended>(w) /
                                         static_cast<Extended>(w + a));
    shares.concealed[k] = increase[k] - shares.understated[k];
  }
  sheet.initialTotal = ToField(initial[0] + initial[1] + initial[2]);
  sheet.amendedTotal = ToField(amended[0] + amended[1] + amended[2]);
  sheet.increase = RowOf(increase);
  sheet.understated = RowOf(shares.understated);
  sheet.concealed = RowOf(shares.concealed);

  const Ticks u1 = shares.understated[0];
  const Ticks u3 = shares.understated[2];
  if (in.noReturn) {
    // The no-return penalty stands in the 15 % row.
    sheet.tenPercent.national = 0;
    sheet.fifteenPercent.national = ToField(static_cast<Extended>(u1) * 0.15L);
    sheet.fifteenPercent.business = ToField(static_cast<Extended>(u3) * 0.05L);
  } else {
    // 10 % of the understated national share, and a further 5 % of the part
    // above the larger of 500,000 yen and the initial national tax.
    const Ticks h = std::max(PenaltyThreshold(in.unit), initial[0]);
    sheet.tenPercent.national = ToField(static_cast<Extended>(std::min(h, u1)) * 0.1L);
    sheet.fifteenPercent.national = u1 > h ? ToField(static_cast<Extended>(u1 - h) * 0.15L) : 0;
    sheet.fifteenPercent.business = 0;
  }

  // Heavy additional tax on the concealed shares; the inhabitant taxes bear none.
  const Extended heavyRate = in.noReturn ? 0.4L : 0.35L;
  sheet.heavy.national = ToField(StoreRounded(static_cast<Extended>(shares.concealed[0]) * heavyRate));
  sheet.heavy.business = ToField(StoreRounded(static_cast<Extended>(shares.concealed[2]) * heavyRate));

  sheet.tenPercent.total = sheet.tenPercent.national;
  sheet.fifteenPercent.total = sheet.fifteenPercent.national + sheet.fifteenPercent.business;
  sheet.heavy.total = sheet.heavy.national + sheet.heavy.business;

  sheet.delinquency = ComputeDelinquency(shares, in.noReturn, in.discountRatePercent, in.days);

  // The increase, all penalties and all delinquency tax, each read back from
  // its total field as the window shows it.
  const Ticks grand = ReadTicks(sheet.increase.total) + ReadTicks(sheet.tenPercent.total) +
                      ReadTicks(sheet.fifteenPercent.total) + ReadTicks(sheet.heavy.total) +
                      ReadTicks(sheet.delinquency.understated.total) +
                      ReadTicks(sheet.delinquency.concealed.total);
  sheet.grandTotal = ToField(grand);
  return sheet;
}

}  // namespace tavenko::calc
