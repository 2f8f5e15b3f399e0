// The six inheritance buttons: figures, log lines and shown texts of whole
// clicks, the allocation boundaries, the missing-count prompts and the fee.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "calc/InheritanceCases.h"
#include "calc/SheetSteps.h"
#include "face/MainFields.h"
#include "tests/calc/sheet_expectations.h"

using namespace tavenko;
using namespace tavenko::calc;

namespace {

// The fee range as NValEdit15 and NValEdit18 show it.
std::string FeeShown(Extended value) { return face::ShownText(*face::FindMainField("NValEdit15"), value); }

using tavenko::calc::testing::Lines;
using tavenko::calc::testing::ResultShown;
constexpr auto kLargerOf = SpouseAcquisition::LargerOfShareAnd160Million;
constexpr auto kStatutory = SpouseAcquisition::StatutoryShare;

struct Click {
  HeirOrder order;
  SpouseAcquisition acquisition;
  Extended estate;  // NValEdit14 as typed
  Extended count;   // the count field of the order
  bool spouse;
  AmountUnit unit = AmountUnit::Man;
};

MainSheet ClickButton(const Click& click) {
  MainInputs in = tavenko::calc::testing::Typed(click.unit);
  in.value = click.estate;
  in.spouseCount = click.spouse ? kCountScale : 0;
  switch (click.order) {
    case HeirOrder::Children: in.children = click.count; break;
    case HeirOrder::Parents: in.parents = click.count; break;
    case HeirOrder::Siblings: in.siblings = click.count; break;
  }
  return InheritanceSheet(click.order, click.acquisition, in);
}

// Log lines of one click, with the fee block at its end.
Lines Log(Lines inheritance, const char* baseFee, const char* perHeirs, const char* withReturn) {
  for (const char* line :
       {"＝＝＝＝＝", "税理士報酬の計算", "基本報酬", baseFee, "相続人数の加算した後の報酬", perHeirs,
        "申告書作成報酬を加算した後の報酬", withReturn})
    inheritance.emplace_back(line);
  return inheritance;
}

struct SheetCase {
  const char* name;
  Click click;
  // Taxable value, spouse's tax, heirs' tax, reduction, net tax and the
  // spouse's acquisition: in yen, as the fields hold them in 円 mode
  // (truncated to 100 yen) and as amount / 10000 in 万円 mode.
  YenAmount taxable, spouseTax, heirsTax, reduction, net, acquisition;
  Extended averageRate, nextMillion;
  const char* shownAverage;
  const char* shownNextMillion;
  const char* shownFeeLow;
  const char* shownFeeHigh;
  Lines log;
  Lines messages = {};
};

const SheetCase kSheetCases[] = {
    {"ChildrenWithSpouseLargerOf",
     {HeirOrder::Children, kLargerOf, 20000, 2, true},
     152000000,
     21600000,
     5400000,
     -21600000,
     5400000,
     160000000,
     2.7L,
     15.8458L,
     "2.7",
     "15.8",
     "171",
     "342",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除額", "4800", "基礎控除後の課税価額", "15200",
          "妻の法定相続分に按分", "7600", "妻の法定相続分の相続税額", "1580", "子１人の法定相続分に按分",
          "3800", "子１人の法定相続分の相続税額", "560", "相続税の総額", "2700", "配偶者の税額軽減額",
          "-2160"},
         "95", "114", "171")},
    {"ChildrenWithSpouseStatutoryShare",
     {HeirOrder::Children, kStatutory, 20000, 2, true},
     152000000,
     13500000,
     13500000,
     -13500000,
     13500000,
     100000000,
     6.75L,
     12.5L,
     "6.8",
     "12.5",
     "171",
     "342",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除額", "4800", "基礎控除後の課税価額", "15200",
          "妻の法定相続分に按分", "7600", "妻の法定相続分の相続税額", "1580", "子１人の法定相続分に按分",
          "3800", "子１人の法定相続分の相続税額", "560", "相続税の総額", "2700", "配偶者の税額軽減額",
          "-1350"},
         "95", "114", "171")},
    {"ChildrenWithoutSpouse",
     {HeirOrder::Children, kLargerOf, 20000, 2, false},
     158000000,
     0,
     33400000,
     0,
     33400000,
     0,
     16.7L,
     30,
     "16.7",
     "30.0",
     "156.75",
     "313.5",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除額", "4200", "基礎控除後の課税価額", "15800",
          "妻の法定相続分に按分", "0", "妻の法定相続分の相続税額", "0", "子１人の法定相続分に按分", "7900",
          "子１人の法定相続分の相続税額", "1670", "相続税の総額", "3340", "配偶者の税額軽減額", "0"},
         "95", "104.5", "156.75")},
    // clang-format off
    {"SiblingsWithSpouseLargerOf", {HeirOrder::Siblings, kLargerOf, 20000, 2, true},
     152000000, 26640000, 7992000, -26640000, 7992000, 160000000, 3.996L, 24.1657L, "4.0", "24.2", "171", "342",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除額", "4800", "基礎控除後の課税価額", "15200",
          "妻の法定相続分に按分", "11400", "妻の法定相続分の相続税額", "2860", "兄弟１人の法定相続分に按分", "1900",
          "兄弟１人の法定相続分の相続税額", "235", "兄弟の実際の取得分に加算する２割相当額", "133.2", "相続税の総額",
          "3463", "配偶者の税額軽減額", "-2664"},
         "95", "114", "171")},
    {"SiblingsWithoutSpouse", {HeirOrder::Siblings, kLargerOf, 20000, 2, false},
     158000000, 0, 40080000, 0, 40080000, 0, 20.04L, 36, "20.0", "36.0", "156.75", "313.5",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除額", "4200", "基礎控除後の課税価額", "15800",
          "妻の法定相続分に按分", "0", "妻の法定相続分の相続税額", "0", "兄弟１人の法定相続分に按分", "7900",
          "兄弟１人の法定相続分の相続税額", "1670", "兄弟の実際の取得分に加算する２割相当額", "668", "相続税の総額",
          "4008", "配偶者の税額軽減額", "0"},
         "95", "104.5", "156.75")},
    // Below 160,000,000 yen the spouse takes the whole estate: nothing is due.
    {"EstateBelow160MillionSpouseTakesAll", {HeirOrder::Children, kLargerOf, 10000, 2, true},
     52000000, 6300000, 0, -6300000, 0, 100000000, 0, 0, "0", "0", "171", "342",
     // clang-format on
     Log({"－－－－－", "相続財産の総額", "10000", "基礎控除額", "4800", "基礎控除後の課税価額", "5200",
          "妻の法定相続分に按分", "2600", "妻の法定相続分の相続税額", "340", "子１人の法定相続分に按分",
          "1300", "子１人の法定相続分の相続税額", "145", "相続税の総額", "630", "配偶者の税額軽減額", "-630"},
         "95", "114", "171")},
    // Exactly 160,000,000 yen: the 160-million case, which still covers the whole tax.
    {"EstateOfExactly160Million",
     {HeirOrder::Children, kLargerOf, 16000, 2, true},
     112000000,
     17200000,
     0,
     -17200000,
     0,
     160000000,
     0,
     0,
     "0",
     "0",
     "171",
     "342",
     Log({"－－－－－", "相続財産の総額", "16000", "基礎控除額", "4800", "基礎控除後の課税価額", "11200",
          "妻の法定相続分に按分", "5600", "妻の法定相続分の相続税額", "980", "子１人の法定相続分に按分",
          "2800", "子１人の法定相続分の相続税額", "370", "相続税の総額", "1720", "配偶者の税額軽減額",
          "-1720"},
         "95", "114", "171")},
    {"ChildrenEstateOfExactlyTheLimit",
     {HeirOrder::Children, kLargerOf, 32000, 2, true},
     272000000,
     32100000,
     32100000,
     -32100000,
     32100000,
     160000000,
     10.03125L,
     17.5L,
     "10.0",
     "17.5",
     "216",
     "432",
     Log({"－－－－－", "相続財産の総額", "32000", "基礎控除額", "4800", "基礎控除後の課税価額", "27200",
          "妻の法定相続分に按分", "13600", "妻の法定相続分の相続税額", "3740", "子１人の法定相続分に按分",
          "6800", "子１人の法定相続分の相続税額", "1340", "相続税の総額", "6420", "配偶者の税額軽減額",
          "-3210"},
         "120", "144", "216")},
    {"ParentsEstateOfExactlyTheLimit",
     {HeirOrder::Parents, kLargerOf, 24000, 1, true},
     198000000,
     32400000,
     16200000,
     -32400000,
     16200000,
     160000000,
     6.75L,
     12.2222L,
     "6.8",
     "12.2",
     "156.75",
     "313.5",
     Log({"－－－－－", "相続財産の総額", "24000", "基礎控除額", "4200", "基礎控除後の課税価額", "19800",
          "妻の法定相続分に按分", "13200", "妻の法定相続分の相続税額", "3580", "親１人の法定相続分に按分",
          "6600", "親１人の法定相続分の相続税額", "1280", "相続税の総額", "4860", "配偶者の税額軽減額",
          "-3240"},
         "95", "104.5", "156.75")},
    // Brothers and sisters: the limit is 213,333,333.3 yen. Just below it the
    // spouse takes 160,000,000 yen, just above it three quarters of the estate.
    // clang-format off
    {"SiblingsJustBelowTheLimit", {HeirOrder::Siblings, kLargerOf, 213333000, 2, true, AmountUnit::Yen},
     165333000, 28349900, 11339900, -28349900, 11339900, 160000000, 5.315592993114L, 10.1302L, "5.3", "10.1", "171",
     "342",
     Log({"－－－－－", "相続財産の総額", "21333.3", "基礎控除額", "4800", "基礎控除後の課税価額", "16533.3",
          "妻の法定相続分に按分", "12399.975", "妻の法定相続分の相続税額", "3259.99", "兄弟１人の法定相続分に按分",
          "2066.6625", "兄弟１人の法定相続分の相続税額", "259.9994", "兄弟の実際の取得分に加算する２割相当額",
          "188.998566666667", "相続税の総額", "3968", "配偶者の税額軽減額", "-2834"},
         "95", "114", "171")},
    {"SiblingsJustAboveTheLimit", {HeirOrder::Siblings, kLargerOf, 213334000, 2, true, AmountUnit::Yen},
     165334000, 28350100, 11340000, -28350100, 11340000, 160000500, 5.315639794876L, 10.125L, "5.3", "10.1", "171",
     "342",
     Log({"－－－－－", "相続財産の総額", "21333.4", "基礎控除額", "4800", "基礎控除後の課税価額", "16533.4",
          "妻の法定相続分に按分", "12400.05", "妻の法定相続分の相続税額", "3260.02", "兄弟１人の法定相続分に按分",
          "2066.675", "兄弟１人の法定相続分の相続税額", "260.0012", "兄弟の実際の取得分に加算する２割相当額",
          "189.001116666667", "相続税の総額", "3969", "配偶者の税額軽減額", "-2835"},
         // clang-format on
         "95", "114", "171")},
    // Only estates typed with decimals reach the limit itself: 213,333,333
    // yen is still below it, and in the next-million run 213,333,333 yen is
    // the limit (the spouse's tax differs there by one yen).
    // clang-format off
    {"SiblingsAtTheLimit", {HeirOrder::Siblings, kLargerOf, 21333.3333L, 6, true},
     141333333, 21700001, 8680000, -21700001, 8680000, 160000000, 4.068750006357L, 9.7501L, "4.1", "9.8", "228", "456",
     Log({"－－－－－", "相続財産の総額", "21333.3333", "基礎控除額", "7200", "基礎控除後の課税価額", "14133.3333",
          "妻の法定相続分に按分", "10600", "妻の法定相続分の相続税額", "2540", "兄弟１人の法定相続分に按分",
          "588.8889", "兄弟１人の法定相続分の相続税額", "58.8889", "兄弟の実際の取得分に加算する２割相当額",
          "144.666666666667", "相続税の総額", "3038", "配偶者の税額軽減額", "-2170"},
         "95", "152", "228")},
    {"SiblingsNextMillionReachesTheLimit", {HeirOrder::Siblings, kLargerOf, 21233.3333L, 6, true},
     140333333, 21557299, 8461240, -21557299, 8461240, 160000000, 3.984885406570L, 21.8761L, "4.0", "21.9", "228",
     "456",
     Log({"－－－－－", "相続財産の総額", "21233.3333", "基礎控除額", "7200", "基礎控除後の課税価額", "14033.3333",
          "妻の法定相続分に按分", "10525", "妻の法定相続分の相続税額", "2510", "兄弟１人の法定相続分に按分",
          "584.7222", "兄弟１人の法定相続分の相続税額", "58.4722", "兄弟の実際の取得分に加算する２割相当額",
          "141.020666666667", "相続税の総額", "3001", "配偶者の税額軽減額", "-2155"},
         // clang-format on
         "95", "152", "228")},
    // 円 mode: the estate keeps whole thousands, the fields show yen cut to
    // 100 yen (the reduction toward zero), the log and the fee stay in 万円.
    // clang-format off
    {"YenUnitSiblingsStatutoryShare", {HeirOrder::Siblings, kStatutory, 98765432, 3, true, AmountUnit::Yen},
     44765000, 4375400, 1750100, -4375400, 1750100, 74073700, 1.772047790209L, 5.25L, "1.8", "5.3", "136.5", "273",
     Log({"－－－－－", "相続財産の総額", "9876.5", "基礎控除額", "5400", "基礎控除後の課税価額", "4476.5",
          "妻の法定相続分に按分", "3357.375", "妻の法定相続分の相続税額", "471.475", "兄弟１人の法定相続分に按分",
          "373.0417", "兄弟１人の法定相続分の相続税額", "37.3042", "兄弟の実際の取得分に加算する２割相当額",
          "29.1693833333333", "相続税の総額", "612", "配偶者の税額軽減額", "-437"},
         "70", "91", "136.5")},
    {"YenUnitEstateKeepsWholeThousands", {HeirOrder::Children, kLargerOf, 123456789, 2, true, AmountUnit::Yen},
     75456000, 10204800, 0, -10204800, 0, 123456000, 0, 0, "0", "0", "171", "342",
     // clang-format on
     Log({"－－－－－", "相続財産の総額", "12345.6", "基礎控除額", "4800", "基礎控除後の課税価額", "7545.6",
          "妻の法定相続分に按分", "3772.8", "妻の法定相続分の相続税額", "554.56", "子１人の法定相続分に按分",
          "1886.4", "子１人の法定相続分の相続税額", "232.96", "相続税の総額", "1020", "配偶者の税額軽減額",
          "-1020"},
         "95", "114", "171")},
    // A count of 0: the prompt, no deduction, no tax; the spouse's acquisition
    // still follows the estate, and the fee is still estimated.
    // clang-format off
    {"NoChildrenCountedWithSpouse", {HeirOrder::Children, kLargerOf, 20000, 0, true},
     200000000, 0, 0, 0, 0, 160000000, 0, 0, "0", "0", "142.5", "285",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除後の課税価額", "20000", "妻の法定相続分に按分", "0",
          "妻の法定相続分の相続税額", "0", "子１人の法定相続分に按分", "0", "子１人の法定相続分の相続税額", "0",
          "相続税の総額", "0", "配偶者の税額軽減額", "0"},
         "95", "95", "142.5"),
     {"子の数を入れてください"}},
    {"NoParentsCountedWithoutSpouse", {HeirOrder::Parents, kStatutory, 20000, 0, false},
     200000000, 0, 0, 0, 0, 0, 0, 0, "0", "0", "128.25", "256.5",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除後の課税価額", "20000", "妻の法定相続分に按分", "0",
          "妻の法定相続分の相続税額", "0", "親１人の法定相続分に按分", "0", "親１人の法定相続分の相続税額", "0",
          "相続税の総額", "0", "配偶者の税額軽減額", "0"},
         "95", "85.5", "128.25"),
     {"両親はご健在ですか"}},
    {"NoSiblingsCountedWithSpouse", {HeirOrder::Siblings, kStatutory, 20000, 0, true},
     200000000, 0, 0, 0, 0, 150000000, 0, 0, "0", "0", "142.5", "285",
     Log({"－－－－－", "相続財産の総額", "20000", "基礎控除後の課税価額", "20000", "妻の法定相続分に按分", "0",
          "妻の法定相続分の相続税額", "0", "兄弟１人の法定相続分に按分", "0", "兄弟１人の法定相続分の相続税額", "0",
          "兄弟の実際の取得分に加算する２割相当額", "0", "相続税の総額", "0", "配偶者の税額軽減額", "0"},
         // clang-format on
         "95", "95", "142.5"),
     {"兄弟の数を入れてください"}},
    // An empty estate: everything 0, no average rate, the pie hidden.
    // clang-format off
    {"EmptyEstate", {HeirOrder::Children, kLargerOf, 0, 2, true},
     0, 0, 0, 0, 0, 0, 0, 0, "0", "0", "54", "108",
     Log({"－－－－－", "相続財産の総額", "0", "基礎控除額", "4800", "基礎控除後の課税価額", "0", "妻の法定相続分に按分",
          "0", "妻の法定相続分の相続税額", "0", "子１人の法定相続分に按分", "0", "子１人の法定相続分の相続税額", "0",
          "相続税の総額", "0", "配偶者の税額軽減額", "0"},
         // clang-format on
         "30", "36", "54")},
};

void PrintTo(const SheetCase& c, std::ostream* os) { *os << c.name; }

class InheritanceSheetTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(InheritanceSheetTest, FiguresLogAndShownTexts) {
  const SheetCase& c = GetParam();
  const MainSheet sheet = ClickButton(c.click);
  const bool yen = c.click.unit == AmountUnit::Yen;
  auto field = [&](YenAmount amount) { return yen ? static_cast<Extended>(amount) : ToDisplay(amount); };

  const YenAmount money[] = {c.taxable, c.spouseTax, c.heirsTax, c.reduction, c.net};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(sheet.results[i], field(money[i])) << "NValEdit" << i + 1;
    EXPECT_EQ(ResultShown(i, sheet.results[i]), ResultShown(i, field(money[i]))) << "NValEdit" << i + 1;
  }
  EXPECT_NEAR(static_cast<double>(sheet.results[5]), static_cast<double>(c.averageRate), 1e-11);
  EXPECT_NEAR(static_cast<double>(sheet.results[6]), static_cast<double>(c.nextMillion), 1e-11);
  EXPECT_EQ(ResultShown(kAverageRateField, sheet.results[5]), c.shownAverage);
  EXPECT_EQ(ResultShown(kNextMillionField, sheet.results[6]), c.shownNextMillion);

  ASSERT_TRUE(sheet.extraFieldValue.has_value());
  EXPECT_EQ(*sheet.extraFieldValue, field(c.acquisition));

  ASSERT_TRUE(sheet.feeLow && sheet.feeHigh);
  EXPECT_EQ(FeeShown(*sheet.feeLow), c.shownFeeLow);
  EXPECT_EQ(FeeShown(*sheet.feeHigh), c.shownFeeHigh);

  EXPECT_EQ(sheet.log, c.log);
  EXPECT_EQ(sheet.messages, c.messages);

  // The pie: the net tax, then the rest of the estate.
  ASSERT_EQ(sheet.pie.size(), 2u);
  EXPECT_EQ(sheet.pie[0].label, "国税");
  EXPECT_EQ(sheet.pie[0].colour, ChartColour::Red);
  EXPECT_EQ(sheet.pie[1].label, "手取額");
  EXPECT_EQ(sheet.pie[1].colour, ChartColour::White);
  const YenAmount estate = ToYen(c.click.estate, c.click.unit);
  if (!yen) {
    EXPECT_EQ(sheet.pie[0].value, ToDisplay(c.net));
  }
  EXPECT_NEAR(static_cast<double>(sheet.pie[0].value + sheet.pie[1].value),
              static_cast<double>(ToDisplay(estate)), 1e-9);
  EXPECT_EQ(sheet.pieVisible, c.click.estate > 0);
}

INSTANTIATE_TEST_SUITE_P(Clicks, InheritanceSheetTest, ::testing::ValuesIn(kSheetCases),
                         [](const ::testing::TestParamInfo<SheetCase>& info) { return info.param.name; });

}  // namespace

namespace {

// What every click of a button shows besides the figures.
struct ButtonCase {
  const char* button;
  const char* caption;
  HeirOrder order;
  SpouseAcquisition acquisition;
  const char* note;         // Label13
  const char* heirCaption;  // Edit3
};

const ButtonCase kButtons[] = {
    {"BitBtn16", "相続税（子）", HeirOrder::Children, kLargerOf,
     " 法定相続分又は\r\n１億６０００万円の\r\nいずれか多い方", "　　子の税額"},
    {"BitBtn17", "1/2", HeirOrder::Children, kStatutory, " 法定相続分 1/2\r\n\r\n", "　　子の税額"},
    {"BitBtn18", "相続税（親）", HeirOrder::Parents, kLargerOf,
     " 法定相続分又は\r\n１億６０００万円の\r\nいずれか多い方", "　　親の税額"},
    {"BitBtn19", "2/3", HeirOrder::Parents, kStatutory, " 法定相続分 2/3\r\n\r\n", "　　親の税額"},
    {"BitBtn20", "相続税（兄弟）", HeirOrder::Siblings, kLargerOf,
     " 法定相続分又は\r\n１億６０００万円の\r\nいずれか多い方", "　兄弟の税額"},
    {"BitBtn21", "3/4", HeirOrder::Siblings, kStatutory, " 法定相続分 3/4\r\n\r\n", "　兄弟の税額"},
};

TEST(InheritanceButtons, RegistryPanelsAndCaptions) {
  for (const ButtonCase& b : kButtons) {
    SCOPED_TRACE(b.button);
    const MainCase* registered = FindMainCase(b.button);
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(registered->caption, b.caption);
    ASSERT_NE(registered->compute, nullptr);

    MainInputs in;
    in.value = 25000;
    in.children = 2;
    in.parents = 1;
    in.siblings = 3;
    const MainSheet sheet = registered->compute(in);
    EXPECT_EQ(sheet.log, InheritanceSheet(b.order, b.acquisition, in).log);

    EXPECT_EQ(sheet.inputsUsed, (std::array<bool, 4>{false, false, false, true}));
    EXPECT_TRUE(sheet.heirPromptsInUse);
    EXPECT_TRUE(sheet.side.visible);
    EXPECT_EQ(sheet.side.caption, "配偶者の取得分");
    EXPECT_EQ(sheet.side.note, b.note);
    EXPECT_FALSE(sheet.side.yearsFieldVisible);
    EXPECT_TRUE(sheet.side.extraFieldVisible);
    EXPECT_TRUE(sheet.feePanelVisible);
    EXPECT_TRUE(sheet.messages.empty());
    EXPECT_EQ(sheet.captions,
              (std::array<std::string, kResultCount>{"　　課税所得", "　　妻の税額", b.heirCaption,
                                                     "　配偶者軽減", "　合計納税額", "　平均", "　上積"}));
  }
}

// Without a spouse there is nothing for the spouse to acquire: both buttons
// of an order give the same figures and the same log.
TEST(InheritanceButtons, WithoutSpouseBothButtonsAgree) {
  for (HeirOrder order : {HeirOrder::Children, HeirOrder::Parents, HeirOrder::Siblings}) {
    for (Extended estate : {9000.0L, 20000.0L, 50000.0L}) {
      const MainSheet larger = ClickButton({order, kLargerOf, estate, 3, false});
      const MainSheet statutory = ClickButton({order, kStatutory, estate, 3, false});
      EXPECT_EQ(larger.results, statutory.results);
      EXPECT_EQ(larger.log, statutory.log);
      EXPECT_EQ(statutory.extraFieldValue, 0);
    }
  }
}

// The fee estimate: the base fee by estate, 10 % more per heir beyond the
// first, half as much again for the return; the high end twice the low end.
struct FeeCase {
  const char* name;
  Click click;
  const char* baseFee;
  const char* perHeirs;
  const char* withReturn;
  const char* shownLow;
  const char* shownHigh;
};

const FeeCase kFeeCases[] = {
    // clang-format off
    {"SpouseAndOneChild", {HeirOrder::Children, kLargerOf, 20000, 1, true}, "95", "104.5", "156.75", "156.75", "313.5"},
    {"OneChildNoSpouse", {HeirOrder::Children, kStatutory, 20000, 1, false}, "95", "95", "142.5", "142.5", "285"},
    {"NoSpouseNoSiblings", {HeirOrder::Siblings, kLargerOf, 20000, 0, false}, "95", "85.5", "128.25", "128.25", "256.5"},
    {"YenUnitSameAsMan", {HeirOrder::Children, kLargerOf, 200000999, 2, true, AmountUnit::Yen}, "95", "114", "171",
     "171", "342"},
    {"EstateOfOneBillion", {HeirOrder::Children, kLargerOf, 100000, 2, true}, "190", "228", "342", "342", "684"},
    {"SpouseAndNinetyNineSiblings", {HeirOrder::Siblings, kStatutory, 20000, 99, true}, "95", "1035.5", "1553.25",
     "1,553.25", "3,106.5"},
    // clang-format on
};

class AccountantFeeTest : public ::testing::TestWithParam<FeeCase> {};

TEST_P(AccountantFeeTest, LogLinesAndRange) {
  const FeeCase& c = GetParam();
  const MainSheet sheet = ClickButton(c.click);
  ASSERT_GE(sheet.log.size(), 8u);
  const Lines feeBlock(sheet.log.end() - 8, sheet.log.end());
  EXPECT_EQ(feeBlock,
            (Lines{"＝＝＝＝＝", "税理士報酬の計算", "基本報酬", c.baseFee, "相続人数の加算した後の報酬",
                   c.perHeirs, "申告書作成報酬を加算した後の報酬", c.withReturn}));
  ASSERT_TRUE(sheet.feeLow && sheet.feeHigh);
  EXPECT_EQ(FeeShown(*sheet.feeLow), c.shownLow);
  EXPECT_EQ(FeeShown(*sheet.feeHigh), c.shownHigh);
}

INSTANTIATE_TEST_SUITE_P(Estates, AccountantFeeTest, ::testing::ValuesIn(kFeeCases),
                         [](const ::testing::TestParamInfo<FeeCase>& info) { return info.param.name; });

}  // namespace
