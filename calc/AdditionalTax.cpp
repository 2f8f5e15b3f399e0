#include "calc/AdditionalTax.h"

#include <algorithm>

namespace tavenko::calc {
namespace {


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

Ticks PenaltyThreshold(YenAmount yen, PenaltyUnit unit) {
  const Ticks units = unit == PenaltyUnit::TenThousandYen ? yen / kYenPerMan : yen;
  return units * kTicksPerUnit;
}

DelinquencyResult ComputeDelinquency(const law::Edition& law, const IncreaseShares& shares, bool noReturn,
                                     Extended discountRatePercent, Extended days) {
  DelinquencyResult result;
  const int daysPerYear = law.delinquency.daysPerYear;
  // The days field is read into Ticks like every other figure.
  const Ticks oneYear = daysPerYear * kTicksPerUnit;
  const Ticks d = ReadTicks(days);
  result.daysMessage = d <= 0;  // the calculation goes on with d as typed
  const Extended q = discountRatePercent / 100 + law.delinquency.addedToDiscountRate;

  // Delinquency for d days of a year of 365, left to right, rounded once.
  const auto forTheDays = [&](Ticks share) -> Ticks {
    return StoreRounded(q * static_cast<Extended>(share) * static_cast<Extended>(d) / daysPerYear /
                        kTicksPerUnit);
  };

  std::array<Ticks, kTaxColumns> understated{}, concealed{};
  for (int k = 0; k < kTaxColumns; ++k) {
    const Ticks u = shares.understated[k];
    // Filed but understated: charged for one year at most.
    const bool capped = !noReturn && d >= oneYear;
    understated[k] = capped ? StoreRounded(q * static_cast<Extended>(u)) : forTheDays(u);
    concealed[k] = forTheDays(shares.concealed[k]);
  }
  result.understated = RowOf(understated);
  result.concealed = RowOf(concealed);
  return result;
}

namespace {

// The yearly rates of a calendar year; nothing for a year the edition lacks.
const law::DelinquencyYear* RatesOf(const law::DelinquencyLaw& law, int year) {
  for (const law::DelinquencyYear& y : law.years)
    if (y.year == year) return &y;
  return nullptr;
}

// The same day a year later, or the last day of February.
CivilDate FirstAnniversary(const CivilDate& d) {
  return {d.year + 1, d.month, std::min(d.day, DaysInMonth(d.year + 1, d.month))};
}

}  // namespace

CountedDays CountDelinquencyDays(const law::DelinquencyLaw& law, const DelinquencyDates& dates,
                                 int lowerRateMonths, bool leaveOutAfterFirstYear) {
  CountedDays counted;
  if (dates.filed <= dates.due) {
    counted.refusal = "申告日は法定納期限より後の日付にしてください。";
    return counted;
  }
  if (dates.paid < dates.filed) {
    counted.refusal = "納付日は申告日以後の日付にしてください。";
    return counted;
  }
  const CivilDate lowerRateEnd = EndOfMonthsFrom(AddDays(dates.filed, 1), lowerRateMonths);
  const CivilDate anniversary = FirstAnniversary(dates.due);
  // Days counted at each rate of each year, in the order the days run.
  struct Run {
    Extended rate;
    int days;
  };
  std::vector<Run> runs;
  for (CivilDate day = AddDays(dates.due, 1); day <= dates.paid; day = AddDays(day, 1)) {
    if (leaveOutAfterFirstYear && day > anniversary && day <= dates.filed) continue;
    const law::DelinquencyYear* year = RatesOf(law, day.year);
    if (!year) {
      counted.refusal = "延滞税の割合は" + std::to_string(law.years.front().year) + "年から" +
                        std::to_string(law.years.back().year) + "年までの分しかありません（" +
                        std::to_string(day.year) + "年）。";
      return counted;
    }
    const Extended rate = day <= lowerRateEnd ? year->lowerRate : year->higherRate;
    if (runs.empty() || runs.back().rate != rate) runs.push_back({rate, 0});
    ++runs.back().days;
    ++counted.days;
  }
  for (const Run& run : runs) counted.rateDays += run.rate * run.days;
  return counted;
}

DelinquencyResult ComputeDelinquencyByDates(const law::Edition& law, const IncreaseShares& shares, bool noReturn,
                                            const DelinquencyDates& dates) {
  DelinquencyResult result;
  const law::DelinquencyLaw& d = law.delinquency;
  std::array<Ticks, kTaxColumns> understated{}, concealed{};
  for (int k = 0; k < kTaxColumns; ++k) {
    const int months = k == 0 ? d.lowerRateMonthsNational : d.lowerRateMonthsLocal;
    const CountedDays all = CountDelinquencyDays(d, dates, months, false);
    const CountedDays firstYear = CountDelinquencyDays(d, dates, months, !noReturn);
    if (!all.refusal.empty()) {
      result.refusal = all.refusal;
      return result;
    }
    const auto tax = [&](Ticks share, Extended rateDays) {
      return StoreRounded(static_cast<Extended>(share) * rateDays / d.daysPerYear);
    };
    understated[k] = tax(shares.understated[k], firstYear.rateDays);
    concealed[k] = tax(shares.concealed[k], all.rateDays);
  }
  result.understated = RowOf(understated);
  result.concealed = RowOf(concealed);
  return result;
}

AdditionalTaxSheet ComputeAdditionalTax(const AdditionalTaxInputs& in) {
  AdditionalTaxSheet sheet;
  const law::Edition& law = law::EditionOf(in.edition);
  const law::AdditionalTaxLaw& penalties = law.additionalTax;

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
    // The no-return penalty stands in the 15 % row: each band's rate on the
    // part of the national share in the band, the parts added in order.
    sheet.tenPercent.national = 0;
    Extended penalty = 0;
    Ticks lower = 0;
    for (const law::PenaltyBand& band : penalties.noReturnBands) {
      const Ticks top = band.upTo == law::kNoLimit ? u1 : std::min(u1, PenaltyThreshold(band.upTo, in.unit));
      const Ticks part = top - lower;
      if (!sheet.fifteenPercent.parts.empty() && part <= 0) break;
      const Extended amount = static_cast<Extended>(part) * band.rate;
      penalty += amount;
      sheet.fifteenPercent.parts.push_back({ToField(part), band.rate, ToField(amount)});
      lower = top;
    }
    sheet.fifteenPercent.national = ToField(penalty);
    sheet.fifteenPercent.business = ToField(static_cast<Extended>(u3) * penalties.noReturnBusinessRate);
  } else {
    // 10 % of the understated national share, and a further 5 % of the part
    // above the larger of 500,000 yen and the initial national tax.
    const Ticks h = std::max(PenaltyThreshold(penalties.understatementThreshold, in.unit), initial[0]);
    sheet.tenPercent.national = ToField(static_cast<Extended>(std::min(h, u1)) * penalties.understatementRate);
    sheet.fifteenPercent.national =
        u1 > h ? ToField(static_cast<Extended>(u1 - h) * penalties.understatementUpperRate) : 0;
    sheet.fifteenPercent.business = 0;
  }

  // Heavy additional tax on the concealed shares; the inhabitant taxes bear none.
  const Extended heavyRate = in.noReturn ? penalties.heavyNoReturnRate : penalties.heavyRate;
  sheet.heavy.national = ToField(StoreRounded(static_cast<Extended>(shares.concealed[0]) * heavyRate));
  sheet.heavy.business = ToField(StoreRounded(static_cast<Extended>(shares.concealed[2]) * heavyRate));

  sheet.tenPercent.total = sheet.tenPercent.national;
  sheet.fifteenPercent.total = sheet.fifteenPercent.national + sheet.fifteenPercent.business;
  sheet.heavy.total = sheet.heavy.national + sheet.heavy.business;

  sheet.delinquency = law.delinquency.years.empty()
                          ? ComputeDelinquency(law, shares, in.noReturn, in.discountRatePercent, in.days)
                          : ComputeDelinquencyByDates(law, shares, in.noReturn, in.dates);

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
