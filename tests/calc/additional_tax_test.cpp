#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "calc/AdditionalTax.h"
#include "core/NumberText.h"

using namespace tavenko;
using namespace tavenko::calc;

namespace {

// A field value as the window reads it back: ten-thousandths of the unit.
std::int64_t TicksOf(Extended value) { return StoreRounded(value * 10000); }
std::int64_t TicksOf(double units) { return StoreRounded(static_cast<Extended>(units) * 10000); }

// Every figure of a row, named for failure messages.
using NamedFigures = std::vector<std::pair<std::string, Extended>>;
void AddRow(NamedFigures& out, const std::string& name, const ColumnRow& row) {
  for (int k = 0; k < kTaxColumns; ++k) out.emplace_back(name + "[" + std::to_string(k) + "]", row.column[k]);
  out.emplace_back(name + " total", row.total);
}
NamedFigures Figures(const DelinquencyResult& r) {
  NamedFigures out;
  AddRow(out, "understated delinquency", r.understated);
  AddRow(out, "concealed delinquency", r.concealed);
  return out;
}
// Every figure the window shows, the grand total last.
NamedFigures Figures(const AdditionalTaxSheet& s) {
  NamedFigures out{{"initial total", s.initialTotal}, {"amended total", s.amendedTotal}};
  AddRow(out, "increase", s.increase);
  AddRow(out, "understated", s.understated);
  AddRow(out, "concealed", s.concealed);
  for (const auto& [name, row] :
       {std::pair{"10 %", s.tenPercent}, std::pair{"15 %", s.fifteenPercent}, std::pair{"heavy", s.heavy}}) {
    out.emplace_back(std::string(name) + " national", row.national);
    out.emplace_back(std::string(name) + " business", row.business);
    out.emplace_back(std::string(name) + " total", row.total);
  }
  for (const auto& figure : Figures(s.delinquency)) out.push_back(figure);
  out.emplace_back("grand total", s.grandTotal);
  return out;
}

AdditionalTaxInputs NationalIncrease(Extended initial, Extended amended,
                                     PenaltyUnit unit = PenaltyUnit::Yen) {
  AdditionalTaxInputs in;
  in.initialTax = {initial, 0, 0};
  in.amendedTax = {amended, 0, 0};
  in.unit = unit;
  return in;
}

struct PenaltyCase {
  const char* name;
  AdditionalTaxInputs in;
  double understated;  // U1
  double concealed;    // C1
  double tenPercent;   // national column of each penalty row
  double fifteenPercent;
  double heavy;
};

AdditionalTaxInputs With(AdditionalTaxInputs in, Extended w, Extended a, bool noReturn) {
  in.understatedIncome = w;
  in.concealedIncome = a;
  in.noReturn = noReturn;
  return in;
}

// The same under 令和7年分, the delinquency counted by dates.
AdditionalTaxInputs Reiwa7(AdditionalTaxInputs in) {
  in.edition = law::EditionId::Reiwa7;
  in.dates = {{2026, 3, 16}, {2026, 6, 30}, {2026, 6, 30}};
  return in;
}

class NationalPenalty : public testing::TestWithParam<PenaltyCase> {};

TEST_P(NationalPenalty, SharesAndPenalties) {
  const PenaltyCase& c = GetParam();
  const AdditionalTaxSheet s = ComputeAdditionalTax(c.in);
  EXPECT_EQ(TicksOf(s.understated.column[0]), TicksOf(c.understated));
  EXPECT_EQ(TicksOf(s.concealed.column[0]), TicksOf(c.concealed));
  EXPECT_EQ(TicksOf(s.tenPercent.national), TicksOf(c.tenPercent));
  EXPECT_EQ(TicksOf(s.fifteenPercent.national), TicksOf(c.fifteenPercent));
  EXPECT_EQ(TicksOf(s.heavy.national), TicksOf(c.heavy));
  // The totals of one-column rows repeat the national figures.
  EXPECT_EQ(TicksOf(s.tenPercent.total), TicksOf(c.tenPercent));
  EXPECT_EQ(TicksOf(s.fifteenPercent.total), TicksOf(c.fifteenPercent));
  EXPECT_EQ(TicksOf(s.heavy.total), TicksOf(c.heavy));
}

INSTANTIATE_TEST_SUITE_P(
    AdditionalTax, NationalPenalty,
    testing::Values(
        // H = 500,000: 10 % of 500,000 and 15 % of the 500,000 above it.
        PenaltyCase{"YenInitialBelowThreshold", NationalIncrease(300000, 1300000), 1000000, 0, 50000, 75000,
                    0},
        // H = the initial tax 800,000.
        PenaltyCase{"YenInitialAboveThreshold", NationalIncrease(800000, 1800000), 1000000, 0, 80000, 30000,
                    0},
        // Exactly at the threshold there is no 15 % part.
        PenaltyCase{"YenIncreaseAtThreshold", NationalIncrease(0, 500000), 500000, 0, 50000, 0, 0},
        PenaltyCase{"TenThousandYen", NationalIncrease(30, 130, PenaltyUnit::TenThousandYen), 100, 0, 5, 7.5,
                    0},
        // The threshold 50 in ten thousand yen is 500,000 yen; in yen it would be 50.
        PenaltyCase{"TenThousandYenSmallIncrease", NationalIncrease(0, 60, PenaltyUnit::TenThousandYen), 60,
                    0, 5, 1.5, 0},
        PenaltyCase{"ApportionedThreeToOne", With(NationalIncrease(0, 1000000), 3, 1, false), 750000, 250000,
                    50000, 37500, 87500},
        PenaltyCase{"ApportionedNoReturn", With(NationalIncrease(0, 1000000), 3, 1, true), 750000, 250000, 0,
                    112500, 100000},
        PenaltyCase{"NoReturnAllUnderstated", With(NationalIncrease(0, 1000000), 0, 0, true), 1000000, 0, 0,
                    150000, 0},
        PenaltyCase{"AllConcealed", With(NationalIncrease(0, 1000000), 0, 5, false), 0, 1000000, 0, 0,
                    350000},
        // 令和7年分, no return: 15 % up to 500,000, 20 % up to 3,000,000, 30 % above.
        PenaltyCase{"Reiwa7NoReturnWithinFirstBand", Reiwa7(With(NationalIncrease(0, 400000), 0, 0, true)),
                    400000, 0, 0, 60000, 0},
        PenaltyCase{"Reiwa7NoReturnAtSecondEdge", Reiwa7(With(NationalIncrease(0, 3000000), 0, 0, true)),
                    3000000, 0, 0, 575000, 0},
        PenaltyCase{"Reiwa7NoReturnAllBands", Reiwa7(With(NationalIncrease(0, 4000000), 0, 0, true)), 4000000,
                    0, 0, 875000, 0},
        PenaltyCase{"Reiwa7NoReturnTenThousandYen",
                    Reiwa7(With(NationalIncrease(0, 400, PenaltyUnit::TenThousandYen), 0, 0, true)), 400, 0, 0,
                    87.5, 0},
        PenaltyCase{"Reiwa7UnderstatementUnchanged", Reiwa7(NationalIncrease(300000, 1300000)), 1000000, 0,
                    50000, 75000, 0},
        // Shares are rounded half-even to 1/10,000: 1 × 1/3 = 0.3333 and the rest concealed.
        PenaltyCase{"SharesRoundedToTenThousandths", With(NationalIncrease(0, 1), 1, 2, false), 0.3333,
                    0.6667, 0.03333, 0, 0.2333}),
    [](const testing::TestParamInfo<PenaltyCase>& info) { return std::string(info.param.name); });

TEST(AdditionalTax, FifteenPercentKeepsItsFractionAndShowsWholeUnits) {
  const AdditionalTaxSheet s = ComputeAdditionalTax(NationalIncrease(30, 130, PenaltyUnit::TenThousandYen));
  EXPECT_EQ(FormatFixed(s.fifteenPercent.national, 0, true), "8");
  EXPECT_GT(s.fifteenPercent.national, 7.4999L);
  EXPECT_LT(s.fifteenPercent.national, 7.5001L);
}

TEST(AdditionalTax, EmptyApportioningIncomesCountAllAsUnderstated) {
  const AdditionalTaxSheet s = ComputeAdditionalTax(NationalIncrease(300000, 1300000));
  EXPECT_TRUE(s.understatedIncomeSetToOne);
  EXPECT_EQ(TicksOf(s.increase.column[0]), TicksOf(1000000.0));
  // Total penalty 125,000; grand total adds the increase and 41,000 of delinquency.
  EXPECT_EQ(TicksOf(s.tenPercent.total) + TicksOf(s.fifteenPercent.total), TicksOf(125000.0));
  EXPECT_EQ(TicksOf(s.grandTotal), TicksOf(1000000.0 + 125000 + 41000));

  const AdditionalTaxSheet given = ComputeAdditionalTax(With(NationalIncrease(0, 1), 0, 1, false));
  EXPECT_FALSE(given.understatedIncomeSetToOne);
}

TEST(AdditionalTax, LowerAmendedTaxGivesNoIncreaseInThatColumn) {
  AdditionalTaxInputs in;
  in.initialTax = {500000, 300000, 200000};
  in.amendedTax = {400000, 450000, 260000};
  in.understatedIncome = 1;
  in.concealedIncome = 1;
  const AdditionalTaxSheet s = ComputeAdditionalTax(in);
  EXPECT_EQ(s.increase.column[0], 0);
  EXPECT_EQ(s.understated.column[0], 0);
  EXPECT_EQ(s.concealed.column[0], 0);
  EXPECT_EQ(TicksOf(s.increase.column[1]), TicksOf(150000.0));
  EXPECT_EQ(TicksOf(s.increase.total), TicksOf(210000.0));
  EXPECT_EQ(TicksOf(s.understated.total), TicksOf(105000.0));
  EXPECT_EQ(TicksOf(s.concealed.total), TicksOf(105000.0));
  EXPECT_EQ(TicksOf(s.initialTotal), TicksOf(1000000.0));
  EXPECT_EQ(TicksOf(s.amendedTotal), TicksOf(1110000.0));
  // Business column: heavy tax on C3 = 30,000 only; the inhabitant share bears none.
  EXPECT_EQ(TicksOf(s.heavy.business), TicksOf(10500.0));
  EXPECT_EQ(TicksOf(s.heavy.total), TicksOf(10500.0));
}

TEST(AdditionalTax, NoReturnChargesFivePercentOfTheBusinessShare) {
  AdditionalTaxInputs in;
  in.amendedTax = {0, 0, 200000};
  in.noReturn = true;
  const AdditionalTaxSheet s = ComputeAdditionalTax(in);
  EXPECT_EQ(TicksOf(s.fifteenPercent.business), TicksOf(10000.0));
  EXPECT_EQ(TicksOf(s.fifteenPercent.total), TicksOf(10000.0));
  in.noReturn = false;
  EXPECT_EQ(ComputeAdditionalTax(in).fifteenPercent.business, 0);
}

TEST(AdditionalTax, AllZeroAfterClear) {
  AdditionalTaxInputs cleared;  // every figure 0, rate and days as Clear leaves them
  const AdditionalTaxSheet s = ComputeAdditionalTax(cleared);
  EXPECT_TRUE(s.understatedIncomeSetToOne);
  EXPECT_FALSE(s.delinquency.daysMessage);
  for (const auto& [name, value] : Figures(s)) EXPECT_EQ(value, 0) << name;
}

struct DelinquencyCase {
  const char* name;
  Extended rate;
  Extended days;
  bool noReturn;
  std::int64_t understatedTicks;  // on a share of 1,000,000
  std::int64_t concealedTicks;
};

class Delinquency : public testing::TestWithParam<DelinquencyCase> {};

TEST_P(Delinquency, OnShareOfOneMillion) {
  const DelinquencyCase& c = GetParam();
  IncreaseShares shares;
  shares.understated = {TicksOf(1000000.0), 0, TicksOf(1000000.0)};
  shares.concealed = {TicksOf(1000000.0), TicksOf(1000000.0), 0};
  const DelinquencyResult r = ComputeDelinquency(tavenko::law::kHeisei29, shares, c.noReturn, c.rate, c.days);
  EXPECT_FALSE(r.daysMessage);
  EXPECT_EQ(TicksOf(r.understated.column[0]), c.understatedTicks);
  EXPECT_EQ(TicksOf(r.understated.column[2]), c.understatedTicks);
  EXPECT_EQ(TicksOf(r.understated.total), 2 * c.understatedTicks);
  EXPECT_EQ(TicksOf(r.concealed.column[1]), c.concealedTicks);
  EXPECT_EQ(TicksOf(r.concealed.total), 2 * c.concealedTicks);
}

INSTANTIATE_TEST_SUITE_P(
    AdditionalTax, Delinquency,
    testing::Values(DelinquencyCase{"OneYear", 0.1L, 365, false, 410000000, 410000000},
                    // Filed returns are capped at one year; concealed shares never are.
                    DelinquencyCase{"TwoYearsCapped", 0.1L, 730, false, 410000000, 820000000},
                    DelinquencyCase{"TwoYearsNoReturn", 0.1L, 730, true, 820000000, 820000000},
                    // 41,000 × 100 / 365 = 11,232.87671... held as 11,232.8767.
                    DelinquencyCase{"HundredDays", 0.1L, 100, false, 112328767, 112328767},
                    DelinquencyCase{"DayBeforeTheCap", 0.1L, 364, false, 408876712, 408876712},
                    // q = 2.5 % + 4 % = 0.065.
                    DelinquencyCase{"RateTwoAndAHalf", 2.5L, 365, false, 650000000, 650000000}),
    [](const testing::TestParamInfo<DelinquencyCase>& info) { return std::string(info.param.name); });

TEST(AdditionalTax, HundredDaysShowsWholeUnits) {
  IncreaseShares shares;
  shares.understated = {TicksOf(1000000.0), 0, 0};
  const DelinquencyResult r = ComputeDelinquency(tavenko::law::kHeisei29, shares, false, 0.1L, 100);
  EXPECT_EQ(FormatFixed(r.understated.column[0], 0, true), "11,233");
  EXPECT_EQ(r.understated.column[0], 11232.8767L);
}

TEST(AdditionalTax, ZeroDaysWarnsAndChargesNothing) {
  AdditionalTaxInputs in = With(NationalIncrease(300000, 1300000), 1, 1, false);
  in.days = 0;
  const AdditionalTaxSheet s = ComputeAdditionalTax(in);
  EXPECT_TRUE(s.delinquency.daysMessage);
  for (const auto& [name, value] : Figures(s.delinquency)) EXPECT_EQ(value, 0) << name;
  // Increase 1,000,000; U1 = C1 = 500,000; 10 % row 50,000; heavy 175,000.
  EXPECT_EQ(TicksOf(s.grandTotal), TicksOf(1000000.0 + 50000 + 175000));
}

TEST(AdditionalTax, GrandTotalSumsEveryTotalField) {
  AdditionalTaxInputs in;
  in.initialTax = {300000, 100000, 50000};
  in.amendedTax = {1300000, 300000, 150000};
  in.understatedIncome = 3;
  in.concealedIncome = 1;
  in.days = 100;
  const AdditionalTaxSheet s = ComputeAdditionalTax(in);
  std::int64_t expected = 0;
  for (Extended total : {s.increase.total, s.tenPercent.total, s.fifteenPercent.total, s.heavy.total,
                         s.delinquency.understated.total, s.delinquency.concealed.total})
    expected += TicksOf(total);
  EXPECT_EQ(TicksOf(s.grandTotal), expected);
  // Increase 1,300,000; U = 750,000 / 150,000 / 75,000; C = 250,000 / 50,000 / 25,000.
  EXPECT_EQ(TicksOf(s.increase.total), TicksOf(1300000.0));
  EXPECT_EQ(TicksOf(s.tenPercent.total), TicksOf(50000.0));
  EXPECT_EQ(TicksOf(s.fifteenPercent.total), TicksOf(37500.0));
  EXPECT_EQ(TicksOf(s.heavy.total), TicksOf(87500.0 + 8750));
}

}  // namespace

// ---- 令和7年分: the delinquency tax by dates --------------------------------------------

struct PeriodCase {
  const char* name;
  DelinquencyDates dates;
  int months;
  bool leaveOutAfterFirstYear;
  int days;
  Extended rateDays;  // the counted days at their rates, in the order they run
};

void PrintTo(const PeriodCase& c, std::ostream* os) { *os << c.name; }

class DelinquencyPeriods : public testing::TestWithParam<PeriodCase> {};

TEST_P(DelinquencyPeriods, CountEachDayAtItsYearsRate) {
  const PeriodCase& c = GetParam();
  const CountedDays counted =
      CountDelinquencyDays(law::kReiwa7.delinquency, c.dates, c.months, c.leaveOutAfterFirstYear);
  EXPECT_EQ(counted.refusal, "");
  EXPECT_EQ(counted.days, c.days);
  EXPECT_EQ(counted.rateDays, c.rateDays);
}

INSTANTIATE_TEST_SUITE_P(
    Reiwa7, DelinquencyPeriods,
    testing::Values(
        PeriodCase{"paid_on_the_filing_date", {{2026, 3, 16}, {2026, 6, 30}, {2026, 6, 30}}, 2, true, 106,
                   106 * 0.028L},
        // Filed 2026-06-30: the lower rate through 2026-08-31.
        PeriodCase{"paid_at_the_end_of_two_months", {{2026, 3, 16}, {2026, 6, 30}, {2026, 8, 31}}, 2, true, 168,
                   168 * 0.028L},
        PeriodCase{"paid_beyond_two_months", {{2026, 3, 16}, {2026, 6, 30}, {2026, 9, 30}}, 2, true, 198,
                   168 * 0.028L + 30 * 0.091L},
        // The local columns: one month, through 2026-07-31.
        PeriodCase{"local_one_month", {{2026, 3, 16}, {2026, 6, 30}, {2026, 9, 30}}, 1, true, 198,
                   137 * 0.028L + 61 * 0.091L},
        // Filed 2026-01-15: through 2026-03-15; the year changes on the way.
        PeriodCase{"filed_mid_january", {{2025, 3, 17}, {2026, 1, 15}, {2026, 3, 20}}, 2, true, 368,
                   289 * 0.024L + 74 * 0.028L + 5 * 0.091L},
        // Filed 2025-12-31: through 2026-02-28.
        PeriodCase{"filed_on_new_years_eve", {{2025, 3, 17}, {2025, 12, 31}, {2026, 3, 31}}, 2, true, 379,
                   289 * 0.024L + 59 * 0.028L + 31 * 0.091L},
        // 2024-02-29 counts, at 2024's rate, still over 365.
        PeriodCase{"leap_year", {{2023, 12, 15}, {2024, 2, 28}, {2024, 3, 31}}, 2, true, 107, 107 * 0.024L},
        // Filed more than a year after the due date: 2024-03-16 to 2024-06-28 left out.
        PeriodCase{"understated_beyond_one_year", {{2023, 3, 15}, {2024, 6, 28}, {2024, 6, 28}}, 2, true, 366,
                   366 * 0.024L},
        PeriodCase{"concealed_beyond_one_year", {{2023, 3, 15}, {2024, 6, 28}, {2024, 6, 28}}, 2, false, 471,
                   471 * 0.024L}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DelinquencyPeriods, RefuseDatesOutOfOrderOrOutsideTheTable) {
  const law::DelinquencyLaw& d = law::kReiwa7.delinquency;
  EXPECT_EQ(CountDelinquencyDays(d, {{2026, 3, 16}, {2026, 3, 16}, {2026, 4, 1}}, 2, true).refusal,
            "申告日は法定納期限より後の日付にしてください。");
  EXPECT_EQ(CountDelinquencyDays(d, {{2026, 3, 16}, {2026, 6, 30}, {2026, 6, 29}}, 2, true).refusal,
            "納付日は申告日以後の日付にしてください。");
  EXPECT_EQ(CountDelinquencyDays(d, {{2026, 3, 16}, {2027, 1, 5}, {2027, 1, 5}}, 2, true).refusal,
            "延滞税の割合は2014年から2026年までの分しかありません（2027年）。");
}

TEST(EndOfMonthsFrom, EndsTheDayBeforeTheSameDayOrAtTheMonthsEnd) {
  EXPECT_EQ(EndOfMonthsFrom({2026, 7, 1}, 2), (CivilDate{2026, 8, 31}));
  EXPECT_EQ(EndOfMonthsFrom({2026, 1, 16}, 2), (CivilDate{2026, 3, 15}));
  EXPECT_EQ(EndOfMonthsFrom({2026, 1, 1}, 2), (CivilDate{2026, 2, 28}));
  EXPECT_EQ(EndOfMonthsFrom({2025, 12, 31}, 2), (CivilDate{2026, 2, 28}));
  EXPECT_EQ(EndOfMonthsFrom({2026, 7, 1}, 1), (CivilDate{2026, 7, 31}));
}

// The three columns of a sheet by dates: national two months, local one; the
// understated share of 1,000,000 in each column.
TEST(AdditionalTax, Reiwa7DelinquencyByDatesInEveryColumn) {
  AdditionalTaxInputs in = Reiwa7({});
  in.amendedTax = {1000000, 1000000, 1000000};
  in.dates.paid = {2026, 9, 30};
  const AdditionalTaxSheet s = ComputeAdditionalTax(in);
  EXPECT_EQ(TicksOf(s.delinquency.understated.column[0]), TicksOf(20367.1233L));
  EXPECT_EQ(TicksOf(s.delinquency.understated.column[1]), TicksOf(25717.8082L));  // 137 × 2.8 % + 61 × 9.1 %
  EXPECT_EQ(s.delinquency.understated.column[2], s.delinquency.understated.column[1]);
  in.dates.paid = {2026, 6, 1};
  EXPECT_EQ(ComputeAdditionalTax(in).delinquency.refusal, "納付日は申告日以後の日付にしてください。");
}
