#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/Amount.h"

using namespace tavenko;

TEST(Rounding, RoundIsTiesToEvenAndIntTruncatesTowardZero) {
  // clang-format off
  struct Row { Extended x; Extended round; Extended truncated; };
  const Row rows[] = {
      {2.5L, 2, 2}, {3.5L, 4, 3}, {-2.5L, -2, -2}, {2.9L, 3, 2}, {-2.9L, -3, -2},
      {31650.5L, 31650, 31650}, {31651.5L, 31652, 31651}, {0.5L, 0, 0}, {1.5L, 2, 1},
      // clang-format on
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Round(r.x), r.round) << static_cast<double>(r.x);
    EXPECT_EQ(Int(r.x), r.truncated) << static_cast<double>(r.x);
  }
}

TEST(ToYen, ConvertsTypedFiguresPerUnit) {
  struct Row {
    const char* name;
    Extended typed;
    AmountUnit unit;
    bool money;
    YenAmount yen;
  };
  const Row rows[] = {
      {"yen mode keeps whole thousands", 8123456, AmountUnit::Yen, true, 8123000},
      {"yen mode below a thousand is 0", 999, AmountUnit::Yen, true, 0},
      {"yen mode a thousand stays", 1000, AmountUnit::Yen, true, 1000},
      {"man mode", 812, AmountUnit::Man, true, 8120000},
      {"a count of children", 3, AmountUnit::Man, false, 30000},
      {"counts ignore the yen unit", 3, AmountUnit::Yen, false, 30000},
      {"twenty years", 20, AmountUnit::Yen, false, 200000},
      {"largest typed figure in man", 999999999999.0L, AmountUnit::Man, true, 9999999999990000},
      {"largest typed figure in yen", 999999999999.0L, AmountUnit::Yen, true, 999999999000},
      {"empty field", 0, AmountUnit::Yen, true, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(ToYen(r.typed, r.unit, r.money), r.yen) << r.name;
}

TEST(NextMillion, IsTheRoundedExtendedSumForEveryAmountThatFits) {
  // The calculations define the next-million base as the extended sum stored
  // with Round; the integer sum must give the same figure to the yen, also
  // where a double's 53-bit significand would already lose the last yen.
  constexpr YenAmount kMax = std::numeric_limits<YenAmount>::max();
  struct Row {
    const char* name;
    YenAmount base;
  };
  const Row rows[] = {
      {"zero", 0},
      {"a negative base", -1},
      {"a loss of exactly a million", -kOneMillionYen},
      {"an odd amount past 2^53", (YenAmount{1} << 53) + 1},
      {"an odd amount past 2^62", (YenAmount{1} << 62) + 12345},
      {"largest typed figure in man", 9999999999990000},
      {"the largest base that still fits", kMax - kOneMillionYen},
      {"the smallest amount", std::numeric_limits<YenAmount>::min()},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(NextMillion(r.base), StoreYen(static_cast<Extended>(r.base) + kOneMillionYen)) << r.name;
    EXPECT_EQ(NextMillion(r.base) - r.base, kOneMillionYen) << r.name;
  }
}

TEST(YenRescale, TruncatesTowardZeroToHundredYen) {
  EXPECT_EQ(TruncateToHundredYen(8123000), 8123000);
  EXPECT_EQ(TruncateToHundredYen(1234567), 1234500);
  EXPECT_EQ(TruncateToHundredYen(21000), 21000);
  EXPECT_EQ(TruncateToHundredYen(-1234567), -1234500);
  EXPECT_EQ(InhabitantTaxInYen(10050, 15075), 25000);
  EXPECT_EQ(ToDisplay(1234567), 123.4567L);
}

TEST(DerivedFigures, AverageRateAndNextMillionAreLeftOutWhenUndefined) {
  EXPECT_FALSE(AverageRate(100, 0).has_value());
  EXPECT_FALSE(TaxOnNextMillion(305732, 0).has_value());
  EXPECT_FALSE(TaxOnNextMillion(10, -5).has_value());
  // The ordinary-income example: 1,388,722 yen of taxes on 8,000,000.
  EXPECT_EQ(*AverageRate(1388722, 8000000), 1388722.0L / 8000000 * 100);
  EXPECT_EQ(*TaxOnNextMillion(994454 + 280000 + 420000, 1388722), 30.5732L);
}
