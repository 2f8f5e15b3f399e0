// The income cases and the officer's allowance, figure by figure: the seven
// results as the log's number format writes them, the log line by line, the
// messages, the side panel and the pie.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/MainSheet.h"
#include "calc/SheetSteps.h"
#include "core/NumberText.h"

using namespace tavenko;
using namespace tavenko::calc;

namespace {

using Lines = std::vector<std::string>;

MainSheet Click(std::string_view button, Extended income, Extended deductions, Extended years = 0,
                AmountUnit unit = AmountUnit::Man, law::EditionId edition = law::EditionId::Heisei29) {
  const MainCase* c = FindMainCase(button);
  EXPECT_NE(c, nullptr);
  EXPECT_NE(c->compute, nullptr);
  MainInputs in;
  in.income = income;
  in.deductions = deductions;
  in.years = years;
  in.unit = unit;
  in.edition = edition;
  return c->compute(in);
}

Lines Results(const MainSheet& sheet) {
  Lines shown;
  for (Extended v : sheet.results) shown.push_back(FormatGeneral(v));
  return shown;
}

Lines PieValues(const MainSheet& sheet) {
  Lines values;
  for (const PieSlice& s : sheet.pie) values.push_back(FormatGeneral(s.value));
  return values;
}

struct CaseRow {
  const char* name;
  const char* button;
  Extended income, deductions, years;
  Lines results;  // NValEdit1 .. NValEdit7
  Lines log;      // every line after the header
  law::EditionId edition = law::EditionId::Heisei29;
};

class IncomeCase : public ::testing::TestWithParam<CaseRow> {};

TEST_P(IncomeCase, ResultsAndLog) {
  const CaseRow& row = GetParam();
  const MainSheet sheet = Click(row.button, row.income, row.deductions, row.years, AmountUnit::Man, row.edition);
  EXPECT_EQ(Results(sheet), row.results);
  Lines expectedLog{"－－－－－"};
  expectedLog.insert(expectedLog.end(), row.log.begin(), row.log.end());
  EXPECT_EQ(sheet.log, expectedLog);
  EXPECT_TRUE(sheet.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Figures, IncomeCase,
    ::testing::Values(
        CaseRow{"Ordinary800Less200",
                "BitBtn1",
                800,
                200,
                0,
                {"600", "78.8722", "60", "0", "138.8722", "17.359025", "30.5732"},
                {"課税所得", "800", "所得控除", "200", "所得控除後の金額", "600", "所得税額", "78",
                 "地方税額", "60", "税額合計", "138"}},
        // clang-format off
        CaseRow{"OrdinaryDeductionsAboveIncome", "BitBtn1", 100, 300, 0,
                {"0", "0", "0", "0", "0", "0", "0"},
                {"課税所得", "100", "所得控除", "300", "所得控除後の金額", "0", "所得税額", "0",
                 "地方税額", "0", "税額合計", "0"}},
        CaseRow{"Salary600Less200", "BitBtn2", 600, 200, 0,
                {"226", "13.1198", "22.6", "0", "35.7198", "5.9533", "16.9764"},
                {"給与額", "600", "給与所得控除後の金額", "426", "所得控除", "200",
                 "所得控除後の金額", "226", "所得税額", "13", "地方税額", "22", "税額合計", "35"}},
        CaseRow{"Business500Less100", "BitBtn3", 500, 100, 0,
                // clang-format on
                {"400", "38.0322", "40", "10.5", "88.5322", "17.70644", "35.42"},
                {"事業所得", "500", "所得控除", "100", "所得控除後の金額", "400", "所得税額", "38",
                 "地方税額", "50", "税額合計", "88"}},
        // clang-format off
        CaseRow{"BusinessBelowTheBusinessTaxAllowance", "BitBtn3", 100, 38, 0,
                {"62", "3.1651", "6.2", "0", "9.3651", "9.3651", "15.105"},
                {"事業所得", "100", "所得控除", "38", "所得控除後の金額", "62", "所得税額", "3",
                 "地方税額", "6", "税額合計", "9"}},
        CaseRow{"RetirementThirtyYears", "BitBtn4", 2000, 0, 30,
                {"250", "15.5702", "25", "0", "40.5702", "2.02851", "10.105"},
                {"退職金の金額", "2000", "退職所得控除後の金額", "500", "その２分の１の金額", "250",
                 "所得控除", "0", "所得控除後の金額", "250", "所得税額", "15.5702", "地方税額", "25",
                 "税額合計", "40"}},
        CaseRow{"RetirementDeductionsLoggedInWholeMan", "BitBtn4", 2000, 38.5, 10,
                {"761.5", "113.8874", "76.15", "0", "190.0374", "9.50187", "16.7415"},
                {"退職金の金額", "2000", "退職所得控除後の金額", "1600", "その２分の１の金額", "800",
                 "所得控除", "38", "所得控除後の金額", "761.5", "所得税額", "113.8874", "地方税額",
                 "76", "税額合計", "190"}},
        CaseRow{"Occasional300", "BitBtn5", 300, 0, 0,
                // clang-format on
                {"125", "6.3812", "12.5", "0", "18.8812", "6.29373333333333", "7.5526"},
                {"所得金額", "300", "５０万円を控除し２分の１した金額", "125", "所得控除", "0",
                 "所得控除後の金額", "125", "所得税額", "6", "地方税額", "12", "税額合計", "18"}},
        CaseRow{"OccasionalBelowTheAllowance",
                "BitBtn5",
                40,
                0,
                0,
                {"0", "0", "0", "0", "0", "0", "0"},
                {"所得金額", "40", "５０万円を控除し２分の１した金額", "0", "所得控除", "0",
                 "所得控除後の金額", "0", "所得税額", "0", "地方税額", "0", "税額合計", "0"}},
        CaseRow{"OfficerThreeYearsNotHalved",
                "BitBtn28",
                1000,
                0,
                3,
                {"880", "141.7148", "88", "0", "229.7148", "22.97148", "41.651"},
                {"退職金の金額", "1000", "退職所得控除後の金額", "880", "所得控除", "0", "所得控除後の金額",
                 "880", "所得税額", "141.7148", "地方税額", "88", "税額合計", "229"}},
        CaseRow{"OfficerFiveYearsNotHalved",
                "BitBtn28",
                1000,
                0,
                5,
                {"800", "122.9284", "80", "0", "202.9284", "20.29284", "33.483"},
                // clang-format off
                {"退職金の金額", "1000", "退職所得控除後の金額", "800", "所得控除", "0",
                 "所得控除後の金額", "800", "所得税額", "122.9284", "地方税額", "80", "税額合計",
                 "202"}},
        CaseRow{"OfficerSixYearsHalved", "BitBtn28", 1000, 0, 6,
                {"380", "33.9482", "38", "0", "71.9482", "7.19482", "15.21"},
                {"退職金の金額", "1000", "退職所得控除後の金額", "760", "その２分の１の金額", "380",
                 "所得控除", "0", "所得控除後の金額", "380", "所得税額", "33.9482", "地方税額", "38",
                 "税額合計", "71"}},
        CaseRow{"OfficerThirtyYears", "BitBtn28", 3000, 0, 30,
                {"750", "111.1869", "75", "0", "186.1869", "6.20623", "16.7415"},
                {"退職金の金額", "3000", "退職所得控除後の金額", "1500", "その２分の１の金額", "750",
                 "所得控除", "0", "所得控除後の金額", "750", "所得税額", "111.1869", "地方税額", "75",
                 "税額合計", "186"}},
        // 令和7年分: the salary income deduction and the short-service retirement rule.
        CaseRow{"Reiwa7Salary600Less200", "BitBtn2", 600, 200, 0,
                {"236", "14.1408", "23.6", "0", "37.7408", "6.29013333333333", "16.9764"},
                {"給与額", "600", "給与所得控除後の金額", "436", "所得控除", "200",
                 "所得控除後の金額", "236", "所得税額", "14", "地方税額", "23", "税額合計", "37"},
                law::EditionId::Reiwa7},
        CaseRow{"Reiwa7RetirementFiveYearsHalvedUpTo300", "BitBtn4", 500, 0, 5,
                {"150", "7.6575", "15", "0", "22.6575", "4.5315", "17.9127"},
                {"退職金の金額", "500", "退職所得控除後の金額", "300", "その２分の１の金額", "150",
                 "所得控除", "0", "所得控除後の金額", "150", "所得税額", "7.6575", "地方税額", "15",
                 "税額合計", "22"},
                law::EditionId::Reiwa7},
        CaseRow{"Reiwa7RetirementFiveYearsWholeAbove300", "BitBtn4", 900, 0, 5,
                {"550", "68.6622", "55", "0", "123.6622", "13.7402444444444", "30.42"},
                {"退職金の金額", "900", "退職所得控除後の金額", "700",
                 "１５０万円と３００万円を超える部分の合計額", "550", "所得控除", "0", "所得控除後の金額",
                 "550", "所得税額", "68.6622", "地方税額", "55", "税額合計", "123"},
                law::EditionId::Reiwa7},
        CaseRow{"Reiwa7RetirementSixYearsAsBefore", "BitBtn4", 900, 0, 6,
                {"330", "23.7382", "33", "0", "56.7382", "6.30424444444444", "15.21"},
                {"退職金の金額", "900", "退職所得控除後の金額", "660", "その２分の１の金額", "330",
                 "所得控除", "0", "所得控除後の金額", "330", "所得税額", "23.7382", "地方税額", "33",
                 "税額合計", "56"},
                law::EditionId::Reiwa7}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST(IncomeCases, RetirementHalfAmountByYearsOfService) {
  // 400,000 yen a year up to twenty years, 800,000 at least.
  EXPECT_EQ(Results(Click("BitBtn4", 2000, 0, 10))[0], "800");
  EXPECT_EQ(Results(Click("BitBtn4", 500, 0, 1))[0], "210");
  EXPECT_EQ(Results(Click("BitBtn4", 500, 0, 2))[0], "210");
  EXPECT_EQ(Results(Click("BitBtn4", 500, 0, 3))[0], "190");
  EXPECT_EQ(Results(Click("BitBtn4", 2000, 0, 20))[0], "600");
  EXPECT_EQ(Results(Click("BitBtn4", 2000, 0, 21))[0], "565");
}

TEST(IncomeCases, OfficerOneAndTwoYearsDeductTheMinimum) {
  for (Extended years : {1.0L, 2.0L}) {
    const MainSheet sheet = Click("BitBtn28", 1000, 0, years);
    EXPECT_EQ(sheet.log[4], "920");
    EXPECT_EQ(sheet.log[5], "所得控除");
  }
}

TEST(IncomeCases, OfficerAllowanceBelowTheDeductionLeavesTakeHomeAlone) {
  const MainSheet sheet = Click("BitBtn28", 50, 0, 3);
  EXPECT_EQ(Results(sheet), (Lines{"0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(PieValues(sheet), (Lines{"0", "0", "0", "0", "50"}));
  EXPECT_TRUE(sheet.pieVisible);
}

struct YearsRow {
  const char* name;
  const char* button;
  Extended years;
  bool asks;
  std::optional<Extended> fieldReset;
  const char* taxable;  // the payment 1,000 with deductions 0
};

class YearsCheck : public ::testing::TestWithParam<YearsRow> {};

TEST_P(YearsCheck, AsksForTheYearsAndGoesOnWithZero) {
  const YearsRow& row = GetParam();
  const MainSheet sheet = Click(row.button, 1000, 0, row.years);
  EXPECT_EQ(sheet.messages, row.asks ? Lines{"勤続年数を入力してください"} : Lines{});
  EXPECT_EQ(sheet.yearsFieldValue, row.fieldReset);
  EXPECT_EQ(Results(sheet)[0], row.taxable);
}

INSTANTIATE_TEST_SUITE_P(
    BothRetirementCases, YearsCheck,
    ::testing::Values(YearsRow{"RetirementZero", "BitBtn4", 0, true, std::nullopt, "460"},
                      YearsRow{"RetirementNinetyNine", "BitBtn4", 99, false, std::nullopt, "0"},
                      YearsRow{"RetirementHundred", "BitBtn4", 100, true, 0.0L, "460"},
                      YearsRow{"OfficerZero", "BitBtn28", 0, true, std::nullopt, "920"},
                      YearsRow{"OfficerAboveNinetyNine", "BitBtn28", 250, true, 0.0L, "920"},
                      YearsRow{"OfficerOne", "BitBtn28", 1, false, std::nullopt, "920"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IncomeCases, YenUnitTruncatesInputsAndShowsResultsInYen) {
  const MainSheet sheet = Click("BitBtn1", 8123456, 0, 0, AmountUnit::Yen);
  // Income 8,123,000 yen; the money fields in yen to 100 yen, the inhabitant
  // field from its two taxes (324,920 and 487,380), the rates as in 万円.
  EXPECT_EQ(Results(sheet),
            (Lines{"8123000", "1258100", "812200", "0", "2070400", "25.4889572817924", "34.7388"}));
  EXPECT_EQ(sheet.log[2], "812.3");  // the log stays in 万円
  EXPECT_EQ(PieValues(sheet), (Lines{"125.8168", "32.492", "48.738", "0", "605.2532"}));
}

TEST(IncomeCases, YenUnitBelowAThousandYenIsZero) {
  const MainSheet sheet = Click("BitBtn5", 999, 0, 0, AmountUnit::Yen);
  EXPECT_EQ(sheet.log[2], "0");
  EXPECT_FALSE(sheet.pieVisible);  // take-home 0
}

TEST(IncomeCases, SidePanelsAndCaptions) {
  const MainSheet ordinary = Click("BitBtn1", 800, 200);
  EXPECT_EQ(ordinary.inputsUsed, (std::array<bool, 4>{true, true, false, false}));
  EXPECT_TRUE(ordinary.side.visible);
  EXPECT_EQ(ordinary.side.caption, "コメント");
  EXPECT_EQ(ordinary.side.note, "　　");
  EXPECT_FALSE(ordinary.side.yearsFieldVisible);
  EXPECT_FALSE(ordinary.side.extraFieldVisible);
  EXPECT_FALSE(ordinary.feePanelVisible);
  EXPECT_FALSE(ordinary.heirPromptsInUse);
  EXPECT_EQ(ordinary.captions[3], "");
  EXPECT_EQ(ordinary.captions[0], "　　課税所得");

  EXPECT_EQ(Click("BitBtn3", 1, 0).side.note, " 　");
  EXPECT_EQ(Click("BitBtn3", 1, 0).captions[3], "　　　事業税");
  EXPECT_EQ(Click("BitBtn5", 1, 0).side.note,
            " ５０万円を差し引いた残額\r\nの２分の１が一時所得\r\n\r\n\r\n");
  for (const char* button : {"BitBtn4", "BitBtn28"}) {
    const MainSheet sheet = Click(button, 1, 0, 1);
    EXPECT_EQ(sheet.side.caption, "勤続年数");
    EXPECT_TRUE(sheet.side.yearsFieldVisible);
    EXPECT_EQ(sheet.side.note,
              "　退職所得控除は勤続\r\n年数２０年迄は１年に付\r\nき４０万円。２１年以上は\r\n"
              "１年に付き７０万円。\r\n　残額の２分の１に税率\r\nを乗じる。");
  }
}

TEST(IncomeCases, Reiwa7RetirementNoteStatesTheShortServiceRule) {
  const std::string employee = Click("BitBtn4", 1, 0, 1, AmountUnit::Man, law::EditionId::Reiwa7).side.note;
  EXPECT_TRUE(employee.ends_with("\r\n　勤続５年以下は控除後\r\n３００万円を超える部分を\r\n２分の１にしない。"));
  // The officer's allowance keeps its own five-year rule and the plain note.
  EXPECT_EQ(Click("BitBtn28", 1, 0, 1, AmountUnit::Man, law::EditionId::Reiwa7).side.note,
            Click("BitBtn28", 1, 0, 1).side.note);
}

TEST(IncomeCases, PieOfTheOrdinaryExample) {
  const MainSheet sheet = Click("BitBtn1", 800, 200);
  ASSERT_EQ(sheet.pie.size(), 5u);
  const char* labels[] = {"国税", "県税", "市税", "事業", "手取額"};
  const ChartColour colours[] = {ChartColour::Red, ChartColour::Lime, ChartColour::Yellow, ChartColour::Blue,
                                 ChartColour::White};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(sheet.pie[i].label, labels[i]);
    EXPECT_EQ(sheet.pie[i].colour, colours[i]);
  }
  EXPECT_EQ(PieValues(sheet), (Lines{"78.8722", "24", "36", "0", "661.1278"}));
  EXPECT_TRUE(sheet.pieVisible);
  EXPECT_FALSE(Click("BitBtn1", 0, 0).pieVisible);  // take-home 0
}

// The shared steps other cases build on.
TEST(SheetSteps, FillPieTakesHomeWhatTheSlicesLeave) {
  MainSheet sheet;
  FillPie(sheet, {{"国税", ChartColour::Red, 300000}, {"県税", ChartColour::Lime, 100001}}, 400000);
  ASSERT_EQ(sheet.pie.size(), 3u);
  EXPECT_EQ(sheet.pie[2].label, "手取額");
  EXPECT_EQ(FormatGeneral(sheet.pie[2].value), "-0.0001");
  EXPECT_FALSE(sheet.pieVisible);
}

TEST(SheetSteps, RescaleOnlyInYenUnit) {
  MainSheet sheet;
  sheet.results.fill(7);
  RescaleForYenUnit(sheet, AmountUnit::Man, {{kNationalField, 1234567}});
  EXPECT_EQ(sheet.results[kNationalField], 7);
  RescaleForYenUnit(sheet, AmountUnit::Yen, {{kNationalField, 1234567}, {kBusinessField, -1234567}});
  EXPECT_EQ(sheet.results[kNationalField], 1234500);
  EXPECT_EQ(sheet.results[kBusinessField], -1234500);
  EXPECT_EQ(sheet.results[kTotalField], 7);
}

TEST(SheetSteps, RatesWrittenOnlyWhenDefined) {
  MainSheet sheet = StartSheet({}, {});
  WriteRates(sheet, 0, 500, 0);
  EXPECT_EQ(sheet.results[kAverageRateField], 0);
  EXPECT_EQ(sheet.results[kNextMillionField], 0);
  WriteRates(sheet, 100, 350, 1000);
  EXPECT_EQ(FormatGeneral(sheet.results[kAverageRateField]), "10");
  EXPECT_EQ(FormatGeneral(sheet.results[kNextMillionField]), "0.025");
}

}  // namespace
