#include <gtest/gtest.h>

#include "calc/PropertyCases.h"
#include "tests/calc/sheet_expectations.h"

namespace tavenko::calc {
namespace {

using namespace testing;  // the sheet expectations

MainSheet Gift(GiftKind kind, Extended value, AmountUnit unit = AmountUnit::Man) {
  MainInputs in = Typed(unit);
  in.value = value;
  return ComputeGift(kind, in);
}

struct GiftCase {
  const char* name;
  GiftKind kind;
  Extended gifts;
  Values values;
  Lines log;  // after the header
};

class GiftRates : public ::testing::TestWithParam<GiftCase> {};

TEST_P(GiftRates, ResultsAndLog) {
  const GiftCase& c = GetParam();
  const MainSheet sheet = Gift(c.kind, c.gifts);
  EXPECT_EQ(ResultValues(sheet), c.values);
  Lines expected{"－－－－－"};
  expected.insert(expected.end(), c.log.begin(), c.log.end());
  EXPECT_EQ(sheet.log, expected);
}

INSTANTIATE_TEST_SUITE_P(
    BothSchedules, GiftRates,
    ::testing::Values(
        // Taxable 3,900,000; the next step 4,000,000 taxes 20,000 more, × 10.
        GiftCase{"GeneralFiveHundred",
                 GiftKind::General,
                 500,
                 {"390", "53", "0", "0", "53", "10.6", "20"},
                 {"贈与額", "500", "贈与税の基礎控除後の課税価額", "390", "贈与税額", "53"}},
        // 485,000 is logged truncated; the next step gives 500,000.
        GiftCase{"LinealAscendantFiveHundred",
                 GiftKind::LinealAscendant,
                 500,
                 {"390", "48.5", "0", "0", "48.5", "9.7", "15"},
                 {"贈与額", "500", "贈与税の基礎控除後の課税価額", "390", "贈与税額", "48"}},
        // Up to the basic deduction nothing is taxed; the rate is still written.
        GiftCase{"AtBasicDeduction",
                 GiftKind::General,
                 110,
                 {"0", "0", "0", "0", "0", "0", "0"},
                 {"贈与額", "110", "贈与税の基礎控除後の課税価額", "0", "贈与税額", "0"}},
        // Just above it the marginal step is 10 % of 100,000, × 10.
        GiftCase{"JustAboveBasicDeduction",
                 GiftKind::LinealAscendant,
                 112,
                 {"2", "0.2", "0", "0", "0.2", "0.178571428571429", "10"},
                 {"贈与額", "112", "贈与税の基礎控除後の課税価額", "2", "贈与税額", "0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GiftCases, SheetAroundTheResults) {
  const MainSheet sheet = Gift(GiftKind::General, 500);
  EXPECT_EQ(ShownTexts(sheet), (Values{"390", "53", "0", "0", "53", "10.6", "20.0"}));
  EXPECT_EQ(sheet.captions, (std::array<std::string, kResultCount>{"　　課税所得", "　　　贈与税", "", "",
                                                                   "　　税金合計", "　平均", "　上積"}));
  EXPECT_EQ(PieSlices(sheet), (std::vector<Slice>{{"国税", ChartColour::Red, "53"},
                                                  {"県税", ChartColour::Lime, "0"},
                                                  {"市税", ChartColour::Yellow, "0"},
                                                  {"事業", ChartColour::Blue, "0"},
                                                  {"手取額", ChartColour::White, "447"}}));
  EXPECT_TRUE(sheet.pieVisible);
  EXPECT_FALSE(sheet.side.visible);
  EXPECT_FALSE(sheet.feePanelVisible);
  EXPECT_EQ(sheet.inputsUsed, (std::array<bool, 4>{false, false, false, true}));
}

TEST(GiftCases, BelowTheDeductionThePieShowsTheGiftAlone) {
  const MainSheet sheet = Gift(GiftKind::General, 100);
  EXPECT_TRUE(sheet.pieVisible);
  EXPECT_EQ(FormatGeneral(sheet.pie.back().value), "100");
}

TEST(GiftCases, NoGiftsHideThePie) {
  const MainSheet sheet = Gift(GiftKind::LinealAscendant, 0);
  EXPECT_EQ(sheet.results[5], 0);
  EXPECT_FALSE(sheet.pieVisible);
}

TEST(GiftCases, YenUnitTruncatesTheGiftToThousands) {
  const MainSheet sheet = Gift(GiftKind::General, 5000999, AmountUnit::Yen);
  EXPECT_EQ(ShownTexts(sheet), (Values{"3,900,000", "530,000", "0", "0", "530,000", "10.6", "20.0"}));
  EXPECT_EQ(sheet.log[2], "500");
}

TEST(GiftCases, YenUnitShowsTheTaxInWholeHundreds) {
  // 3,101,234 yen is taken as 3,101,000: taxable 2,001,000, tax 200,150.
  const MainSheet sheet = Gift(GiftKind::General, 3101234, AmountUnit::Yen);
  EXPECT_EQ(ShownTexts(sheet), (Values{"2,001,000", "200,100", "0", "0", "200,100", "6.5", "15.0"}));
  EXPECT_EQ(sheet.log, (Lines{"－－－－－", "贈与額", "310.1", "贈与税の基礎控除後の課税価額", "200.1",
                              "贈与税額", "20"}));
  EXPECT_EQ(FormatGeneral(sheet.pie[0].value), "20.015");
}

}  // namespace
}  // namespace tavenko::calc
