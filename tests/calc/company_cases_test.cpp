#include <gtest/gtest.h>

#include "calc/PropertyCases.h"
#include "tests/calc/sheet_expectations.h"

namespace tavenko::calc {
namespace {

using namespace testing;  // the sheet expectations

MainSheet Company(CompanyKind kind, Extended profit, AmountUnit unit = AmountUnit::Man,
                  law::EditionId edition = law::EditionId::Heisei29) {
  MainInputs in = Typed(unit);
  in.profit = profit;
  in.edition = edition;
  return ComputeCompany(kind, in);
}

TEST(CompanyCases, LargeCompanyThousand) {
  const MainSheet sheet = Company(CompanyKind::Large, 1000);
  // N 2,340,000; L 1,014,380; B 718,200; the total adds 234,000 more.
  // Next million: 2,574,000, 1,062,818 and 819,000.
  EXPECT_EQ(ResultValues(sheet),
            (Values{"1000", "234", "101.438", "71.82", "430.658", "43.0658", "40.6638"}));
  EXPECT_EQ(ShownTexts(sheet), (Values{"1,000", "234", "101", "72", "431", "43.1", "40.7"}));
  EXPECT_EQ(sheet.log, (Lines{"－－－－－", "会社の所得金額", "1000", "法人税額", "234", "地方税額", "173",
                              "税額合計", "430"}));
  EXPECT_EQ(sheet.captions,
            (std::array<std::string, kResultCount>{"　　課税所得", "　　　法人税", "　　　地方税",
                                                   "　　　事業税", "　　税金合計", "　平均", "　上積"}));
  // The pie leaves out the further tenth: 1000 - 234 - 101.438 - 71.82.
  EXPECT_EQ(PieSlices(sheet), (std::vector<Slice>{{"国税", ChartColour::Red, "234"},
                                                  {"県税", ChartColour::Lime, "101.438"},
                                                  {"市税", ChartColour::Yellow, "0"},
                                                  {"事業", ChartColour::Blue, "71.82"},
                                                  {"手取額", ChartColour::White, "592.742"}}));
  EXPECT_TRUE(sheet.pieVisible);
  EXPECT_EQ(sheet.inputsUsed, (std::array<bool, 4>{false, false, true, false}));
}

TEST(CompanyCases, SmallCompanyThousandHasFourSlices) {
  const MainSheet sheet = Company(CompanyKind::Small, 1000);
  // N 1,668,000; L 358,564 (17.3 %); B 684,000; next 1,902,000, 399,046, 780,000.
  EXPECT_EQ(ResultValues(sheet),
            (Values{"1000", "166.8", "35.8564", "68.4", "287.7364", "28.77364", "39.3882"}));
  EXPECT_EQ(sheet.log, (Lines{"－－－－－", "法人の所得金額", "1000", "法人税額", "166", "地方税額", "104",
                              "税額合計", "287"}));
  EXPECT_EQ(PieSlices(sheet), (std::vector<Slice>{{"国税", ChartColour::Red, "166.8"},
                                                  {"県税", ChartColour::Lime, "35.8564"},
                                                  {"事業", ChartColour::Blue, "68.4"},
                                                  {"手取額", ChartColour::White, "728.9436"}}));
}

// 令和7年分: the local corporation tax (10.3 % of N) takes the place of the
// further tenth in the total, the rates and the logged total only.
TEST(CompanyCases, Reiwa7SmallCompanyThousand) {
  const MainSheet sheet = Company(CompanyKind::Small, 1000, AmountUnit::Man, law::EditionId::Reiwa7);
  // N 1,664,000; 地方法人税 171,392; L 186,480 (7 %); B 674,040; total 2,695,912.
  EXPECT_EQ(ResultValues(sheet),
            (Values{"1000", "166.4", "18.648", "67.404", "269.5912", "26.95912", "36.8036"}));
  EXPECT_EQ(sheet.log, (Lines{"－－－－－", "法人の所得金額", "1000", "法人税額", "166", "地方税額", "86",
                              "税額合計", "269"}));
  EXPECT_EQ(PieSlices(sheet)[0], (Slice{"国税", ChartColour::Red, "166.4"}));
}

TEST(CompanyCases, Reiwa7LargeCompanyThousand) {
  const MainSheet sheet = Company(CompanyKind::Large, 1000, AmountUnit::Man, law::EditionId::Reiwa7);
  // N 2,320,000; L 771,280 (10.4 % and the levy); B 360,000 (3.6 %).
  EXPECT_EQ(ResultValues(sheet),
            (Values{"1000", "232", "77.128", "36", "369.024", "36.9024", "31.6024"}));
  EXPECT_TRUE(sheet.side.note.ends_with("計算していない。"));
}

struct ProfitCase {
  const char* name;
  CompanyKind kind;
  Extended profit;
  Values values;
  bool pieVisible;
};

class CompanyProfits : public ::testing::TestWithParam<ProfitCase> {};

TEST_P(CompanyProfits, Results) {
  const ProfitCase& c = GetParam();
  const MainSheet sheet = Company(c.kind, c.profit);
  EXPECT_EQ(ResultValues(sheet), c.values);
  EXPECT_EQ(sheet.pieVisible, c.pieVisible);
}

INSTANTIATE_TEST_SUITE_P(
    EdgesAndLevy, CompanyProfits,
    ::testing::Values(
        // The levy alone: the rate keeps 0 (no gross), the next million is
        // 23,400 + 234,000 + 578,438 + 52,500 - 530,000.
        ProfitCase{"LargeZero", CompanyKind::Large, 0, {"0", "0", "53", "0", "53", "0", "35.8338"}, false},
        ProfitCase{"SmallZero", CompanyKind::Small, 0, {"0", "0", "7", "0", "7", "0", "24.095"}, false},
        // Above 10,000,000 of corporation tax the small company pays 20.7 %.
        ProfitCase{"SmallFiveThousand",
                   CompanyKind::Small,
                   5000,
                   {"5000", "1102.8", "235.2796", "452.4", "1900.7596", "38.015192", "40.1838"},
                   true},
        // The large company's business tax bands join without a step.
        // clang-format off
        ProfitCase{"LargeAtLowerEdge", CompanyKind::Large, 400,
                   {"400", "93.6", "72.3752", "21", "196.3352", "49.0838", "38.2488"}, true},
        ProfitCase{"LargeAtUpperEdge", CompanyKind::Large, 800,
                   {"800", "187.2", "91.7504", "51.66", "349.3304", "43.6663", "40.6638"}, true}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompanyCases, YenUnitShowsWholeHundredsOfTheUnroundedTotal) {
  // 1,002,999 yen is taken as 1,002,000: N 234,468; L 578,535; B 52,605;
  // the total 23,446.8 + 234,468 + 578,535 + 52,605 = 889,054.8 is not rounded.
  const MainSheet sheet = Company(CompanyKind::Large, 1002999, AmountUnit::Yen);
  EXPECT_EQ(ShownTexts(sheet),
            (Values{"1,002,000", "234,400", "578,500", "52,600", "889,000", "88.7", "35.8"}));
  EXPECT_EQ(FormatGeneral(sheet.results[4]), "889000");
  EXPECT_EQ(FormatGeneral(sheet.results[6]), "35.8338");
  EXPECT_EQ(sheet.log, (Lines{"－－－－－", "会社の所得金額", "100.2", "法人税額", "23", "地方税額", "63",
                              "税額合計", "88"}));
}

TEST(CompanyCases, ManUnitKeepsTheTenthInTheTotal) {
  const MainSheet sheet = Company(CompanyKind::Large, 100.2L);
  EXPECT_EQ(FormatGeneral(sheet.results[4]), "88.90548");
}

TEST(CompanyCases, SideBoxNotesHaveNoFinalLineBreak) {
  const MainSheet large = Company(CompanyKind::Large, 1000);
  EXPECT_TRUE(large.side.visible);
  EXPECT_EQ(large.side.caption, "地方税の均等割");
  EXPECT_EQ(large.side.note,
            " 資本金１億円超から１０億\r\n円以下、従業員５０人超と\r\nして５３万円を地方税の均\r\n"
            "等割として計算している。");
  EXPECT_FALSE(large.side.yearsFieldVisible);
  EXPECT_FALSE(large.side.extraFieldVisible);

  const MainSheet small = Company(CompanyKind::Small, 1000);
  EXPECT_EQ(small.side.caption, "地方税の均等割");
  EXPECT_EQ(
      small.side.note,
      " 資本金１０００万円以下で\r\n従業員５０人以下の７万円\r\nを地方税の均等割として計\r\n算している。");
}

}  // namespace
}  // namespace tavenko::calc
