#include <gtest/gtest.h>

#include "calc/PropertyCases.h"
#include "tests/calc/sheet_expectations.h"

namespace tavenko::calc {
namespace {

using namespace testing;  // the sheet expectations

MainSheet Transfer(TransferKind kind, Extended income, Extended deductions,
                   AmountUnit unit = AmountUnit::Man) {
  MainInputs in = Typed(unit);
  in.income = income;
  in.deductions = deductions;
  return ComputeTransfer(kind, in);
}

TEST(TransferCases, ShortTermThousandLessHundred) {
  const MainSheet sheet = Transfer(TransferKind::ShortTerm, 1000, 100);
  // T 9,000,000; N 2,756,700; L 810,000; N1 3,063,000 and L1 900,000.
  EXPECT_EQ(ResultValues(sheet), (Values{"900", "275.67", "81", "0", "356.67", "35.667", "39.63"}));
  EXPECT_EQ(ShownTexts(sheet), (Values{"900", "276", "81", "0", "357", "35.7", "39.6"}));
  EXPECT_EQ(sheet.log, (Lines{"－－－－－", "土地譲渡の所得金額", "1000", "所得控除後の所得金額", "900",
                              "土地譲渡所得の３０％の所得税額", "275", "地方税額", "81", "税額合計", "356"}));
  EXPECT_EQ(sheet.captions,
            (std::array<std::string, kResultCount>{"　　課税所得", "　　　所得税", "　　　地方税", "",
                                                   "　　税金合計", "　平均", "　上積"}));
  EXPECT_EQ(PieSlices(sheet), (std::vector<Slice>{{"国税", ChartColour::Red, "275.67"},
                                                  {"県税", ChartColour::Lime, "81"},
                                                  {"市税", ChartColour::Yellow, "0"},
                                                  {"事業", ChartColour::Blue, "0"},
                                                  {"手取額", ChartColour::White, "643.33"}}));
  EXPECT_TRUE(sheet.pieVisible);
  EXPECT_EQ(sheet.inputsUsed, (std::array<bool, 4>{true, true, false, false}));
  EXPECT_FALSE(sheet.feePanelVisible);
  EXPECT_TRUE(sheet.messages.empty());
}

// Income 5000.5 and deductions 100.25 (万円) make every amount fractional, so
// each log line shows whether it is whole (truncated) or exact.
struct LogCase {
  const char* name;
  TransferKind kind;
  Lines log;  // after the header and the income pair
  Values values;
};

class TransferLogLines : public ::testing::TestWithParam<LogCase> {};

TEST_P(TransferLogLines, WholeAndExactLinesPerCase) {
  const LogCase& c = GetParam();
  const MainSheet sheet = Transfer(c.kind, 5000.5L, 100.25L);
  Lines expected{"－－－－－", "土地譲渡の所得金額", "5000.5"};
  expected.insert(expected.end(), c.log.begin(), c.log.end());
  EXPECT_EQ(sheet.log, expected);
  Values values = ResultValues(sheet);
  values[5] = c.values[5];  // the average rate has its own tests
  EXPECT_EQ(values, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    AllSix, TransferLogLines,
    ::testing::Values(
        LogCase{"LongTerm",
                TransferKind::LongTerm,
                {"所得控除後の金額", "4900.25", "土地譲渡所得の１５％の所得税額", "750", "地方税額", "245",
                 "税額合計", "995"},
                {"4900.25", "750.4733", "245.0125", "0", "995.4858", "", "20.315"}},
        LogCase{"SuperiorLand",
                TransferKind::SuperiorLand,
                {"所得控除後の金額", "4900.25", "土地譲渡所得の１０％又は１５％の所得税額", "648", "地方税額",
                 "225", "税額合計", "873"},
                {"4900.25", "648.3733", "225.0125", "0", "873.3858", "", "20.315"}},
        LogCase{"ShortTerm",
                TransferKind::ShortTerm,
                {"所得控除後の所得金額", "4900.25", "土地譲渡所得の３０％の所得税額", "1500", "地方税額",
                 "441", "税額合計", "1941"},
                {"4900.25", "1500.9466", "441.0225", "0", "1941.9691", "", "39.63"}},
        LogCase{"ResidenceShortTerm",
                TransferKind::ResidenceShortTerm,
                {"３０００万円の特別控除を差し引いた所得額", "2000.5", "所得控除後の金額", "1900.25",
                 "土地譲渡所得の３０％の所得税額", "582", "地方税額", "171", "税額合計", "753"},
                {"1900.25", "582.0466", "171.0225", "0", "753.0691", "", "39.63"}},
        LogCase{
            "ResidenceLongTerm",
            TransferKind::ResidenceLongTerm,
            {"３０００万円の特別控除を差し引いた所得額", "2000", "所得控除を差し引いた所得金額", "1900.25",
             "土地譲渡所得の１５％の所得税額", "291.0233", "地方税額", "95", "税額合計", "386"},
            {"1900.25", "291.0233", "95.0125", "0", "386.0358", "", "20.315"}},
        LogCase{"ResidenceOverTenYears",
                TransferKind::ResidenceOverTenYears,
                {"３０００万円の特別控除後の所得金額", "2000", "所得控除後の所得金額", "1900.25",
                 "土地譲渡所得の１０％又は１５％の所得税額", "194.0155", "地方税額", "76", "税額合計", "270"},
                {"1900.25", "194.0155", "76.01", "0", "270.0255", "", "14.21"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Band edges and the figures that show which formula and band applied.
struct RateCase {
  const char* name;
  TransferKind kind;
  Extended income;
  const char* incomeTax;      // NValEdit2
  const char* inhabitantTax;  // NValEdit3
  const char* nextMillion;    // NValEdit7
};

class TransferRates : public ::testing::TestWithParam<RateCase> {};

TEST_P(TransferRates, TaxesAndNextMillion) {
  const RateCase& c = GetParam();
  const MainSheet sheet = Transfer(c.kind, c.income, 0);
  EXPECT_EQ(FormatGeneral(sheet.results[1]), c.incomeTax);
  EXPECT_EQ(FormatGeneral(sheet.results[2]), c.inhabitantTax);
  EXPECT_EQ(FormatGeneral(sheet.results[6]), c.nextMillion);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, TransferRates,
    ::testing::Values(
        // 7,657,500 and 2,500,000; the next million is 15 % × 1.021 + 5 %.
        RateCase{"LongTermFiveThousand", TransferKind::LongTerm, 5000, "765.75", "250", "20.315"},
        // At the edge the lower band applies; the next million crosses it:
        // 2,195,150 + 850,000 - 2,842,000.
        RateCase{"SuperiorAtEdge", TransferKind::SuperiorLand, 2000, "204.2", "80", "20.315"},
        RateCase{"SuperiorAboveEdge", TransferKind::SuperiorLand, 3000, "357.35", "130", "20.315"},
        RateCase{"SuperiorBelowEdge", TransferKind::SuperiorLand, 1000, "102.1", "40", "14.21"},
        RateCase{"TenYearsAtEdge", TransferKind::ResidenceOverTenYears, 9000, "612.6", "240", "20.315"},
        RateCase{"TenYearsAboveEdge", TransferKind::ResidenceOverTenYears, 10000, "765.75", "290", "20.315"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransferCases, TenYearsSplitsTheLocalTaxInThePie) {
  const MainSheet sheet = Transfer(TransferKind::ResidenceOverTenYears, 10000, 0);
  EXPECT_EQ(sheet.log[3], "３０００万円の特別控除後の所得金額");
  EXPECT_EQ(sheet.log[4], "7000");
  EXPECT_EQ(FormatGeneral(sheet.results[0]), "7000");
  ASSERT_EQ(sheet.pie.size(), 5u);
  EXPECT_EQ(sheet.pie[1].label, "県税");
  EXPECT_EQ(FormatGeneral(sheet.pie[1].value), "96.6666666666667");
  EXPECT_EQ(sheet.pie[2].label, "市税");
  EXPECT_EQ(FormatGeneral(sheet.pie[2].value), "193.333333333333");
  // NValEdit3 still holds the whole local tax.
  EXPECT_EQ(FormatGeneral(sheet.results[2]), "290");
  EXPECT_EQ(FormatGeneral(sheet.pie[4].value), "8944.25");
}

// With the income eaten by the residence deduction all taxes are 0: the
// average rate is written as 0, the next-million field keeps 0 and the pie
// shows the take-home slice alone.
class ResidenceDeductionCoversIncome : public ::testing::TestWithParam<TransferKind> {};

TEST_P(ResidenceDeductionCoversIncome, NoTax) {
  const MainSheet sheet = Transfer(GetParam(), 3000, 0);
  EXPECT_EQ(ResultValues(sheet), (Values{"0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(sheet.log[4], "0");
  EXPECT_TRUE(sheet.pieVisible);
  EXPECT_EQ(FormatGeneral(sheet.pie.back().value), "3000");
  for (std::size_t i = 0; i + 1 < sheet.pie.size(); ++i) EXPECT_EQ(sheet.pie[i].value, 0);
}

INSTANTIATE_TEST_SUITE_P(Residence, ResidenceDeductionCoversIncome,
                         ::testing::Values(TransferKind::ResidenceShortTerm, TransferKind::ResidenceLongTerm,
                                           TransferKind::ResidenceOverTenYears));

TEST(TransferCases, ZeroIncomeHidesThePieAndLeavesTheRateAtZero) {
  const MainSheet sheet = Transfer(TransferKind::LongTerm, 0, 0);
  EXPECT_EQ(sheet.results[5], 0);
  EXPECT_FALSE(sheet.pieVisible);
}

TEST(TransferCases, DeductionsAboveIncomeGiveNoTax) {
  const MainSheet sheet = Transfer(TransferKind::ShortTerm, 100, 500);
  EXPECT_EQ(ResultValues(sheet), (Values{"0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_TRUE(sheet.pieVisible);
}

TEST(TransferCases, YenUnitTruncatesInputsAndShowsWholeHundreds) {
  // 12,345,678 yen is taken as 12,345,000: N = 1,890,636.75 -> 1,890,637,
  // L = 617,250, total 2,507,887.
  const MainSheet sheet = Transfer(TransferKind::LongTerm, 12345678, 0, AmountUnit::Yen);
  EXPECT_EQ(ShownTexts(sheet),
            (Values{"12,345,000", "1,890,600", "617,200", "0", "2,507,800", "20.3", "20.3"}));
  EXPECT_EQ(FormatGeneral(sheet.results[4]), "2507800");
  EXPECT_NEAR(static_cast<double>(sheet.results[5]), 2507887.0 / 12345000.0 * 100, 1e-12);
  EXPECT_EQ(FormatGeneral(sheet.results[6]), "20.315");
  EXPECT_EQ(sheet.log, (Lines{"－－－－－", "土地譲渡の所得金額", "1234.5", "所得控除後の金額", "1234.5",
                              "土地譲渡所得の１５％の所得税額", "189", "地方税額", "61", "税額合計", "250"}));
  EXPECT_EQ(FormatGeneral(sheet.pie[0].value), "189.0637");
}

TEST(TransferCases, YenUnitTruncatesTheTotalNotItsParts) {
  // 1,011,000 yen short-term: N = 309,669.3 -> 309,669, L = 90,990; the
  // total 400,659 shows 400,600 although the parts show 309,600 + 90,900.
  const MainSheet sheet = Transfer(TransferKind::ShortTerm, 1011999, 0, AmountUnit::Yen);
  EXPECT_EQ(ShownTexts(sheet)[1], "309,600");
  EXPECT_EQ(ShownTexts(sheet)[2], "90,900");
  EXPECT_EQ(ShownTexts(sheet)[4], "400,600");
}

struct SideCase {
  TransferKind kind;
  const char* note;
};

class TransferComment : public ::testing::TestWithParam<SideCase> {};

TEST_P(TransferComment, CommentBoxText) {
  const MainSheet sheet = Transfer(GetParam().kind, 1000, 0);
  EXPECT_TRUE(sheet.side.visible);
  EXPECT_EQ(sheet.side.caption, "コメント");
  EXPECT_EQ(sheet.side.note, GetParam().note);
  EXPECT_FALSE(sheet.side.yearsFieldVisible);
  EXPECT_FALSE(sheet.side.extraFieldVisible);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, TransferComment,
    ::testing::Values(
        SideCase{TransferKind::LongTerm,
                 " 譲渡の年の１月１日現在\r\nで所有期間が５年を超える\r\n建物と土地の譲渡。\r\n"},
        SideCase{TransferKind::ShortTerm,
                 " 譲渡の年の１月１日現在\r\nで所有期間が５年以下の\r\n建物と土地の譲渡。\r\n"},
        SideCase{TransferKind::ResidenceShortTerm,
                 " 譲渡の年の１月１日現在\r\nで所有期間が５年以下の\r\n建物と土地の譲渡。\r\n"
                 "　３０００万円を控除した\r\n残額を短期譲渡所得と\r\nして計算。\r\n"},
        SideCase{TransferKind::ResidenceLongTerm,
                 " 譲渡の年の１月１日現在\r\nで所有期間が５年を超える\r\n建物と土地の譲渡。\r\n"
                 "　３０００万円を控除した\r\n残額を長期譲渡所得と\r\nして計算。\r\n"},
        SideCase{TransferKind::ResidenceOverTenYears,
                 "　譲渡の年の１月１日現在\r\nで所有期間が１０年を超え\r\nる建物と土地の譲渡。\r\n"
                 "　３０００万円を控除した\r\n残額を軽減税率で計算。\r\n"}));

TEST(TransferCases, SuperiorLandHidesTheSideBox) {
  const MainSheet sheet = Transfer(TransferKind::SuperiorLand, 1000, 0);
  EXPECT_FALSE(sheet.side.visible);
}

}  // namespace
}  // namespace tavenko::calc
