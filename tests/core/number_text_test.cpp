#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/NumberText.h"

using namespace tavenko;

TEST(NumberText, GeneralFormatOfLogLines) {
  struct Row {
    Extended value;
    const char* text;
  };
  const Row rows[] = {
      {813, "813"},
      {0.4567L, "0.4567"},
      {4567.0L / 10000, "0.4567"},
      {0.0001L, "0.0001"},
      {1.0L / 10000, "0.0001"},
      {123456789012.3456L, "123456789012.346"},
      {-813, "-813"},
      {-0.4567L, "-0.4567"},
      {0, "0"},
      {661.1278L, "661.1278"},
      {6611278.0L / 10000, "661.1278"},
      {812.3L, "812.3"},
      {30.5732L, "30.5732"},
      {1388722.0L / 8000000 * 100, "17.359025"},
      {999999999999999.0L, "999999999999999"},
      {99999999999.9999L, "99999999999.9999"},
      {999999999999.0L * 10000 / 10000, "999999999999"},
      {1e15L, "1E15"},
      {0.00001L, "1E-5"},
      {0.012345678901234567L, "0.0123456789012346"},
      {1000.0L / 1110000 * 100, "0.0900900900900901"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatGeneral(r.value), r.text) << r.text;
}

TEST(NumberText, FixedFormatsRoundHalvesAwayFromZeroOnEighteenDigits) {
  struct Row {
    Extended value;
    int decimals;
    bool grouped;
    const char* text;
  };
  const Row rows[] = {
      {0.5L, 0, true, "1"},
      {2.5L, 0, true, "3"},
      {-2.5L, 0, true, "-3"},
      {500000.5L, 0, true, "500,001"},
      {11232.8767L, 0, true, "11,233"},
      {12.2499999999999999998L, 1, true, "12.3"},
      {12.24L, 1, true, "12.2"},
      {1234567, 0, true, "1,234,567"},
      {1234567, 0, false, "1234567"},
      {-1234, 0, true, "-1,234"},
      {1234567.891L, 2, true, "1,234,567.89"},
      {7.3L, 2, true, "7.30"},
      {999999999999.0L, 0, true, "999,999,999,999"},
      {123, 0, true, "123"},
      {0, 0, true, "0"},
      {0.04L, 1, true, "0.0"},
      {0.05L, 1, true, "0.1"},
      {99.95L, 1, true, "100.0"},
      {17.359025L, 1, true, "17.4"},
      {356.67L, 0, true, "357"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatFixed(r.value, r.decimals, r.grouped), r.text) << r.text;
  EXPECT_EQ(FormatFixed(12, 0, true, 5), "   12");
}

TEST(NumberText, PatternKeepsUpToFourteenDecimals) {
  struct Row {
    Extended value;
    const char* text;
  };
  const Row rows[] = {
      // clang-format off
      {3.456L, "3.456"}, {12.7L, "12.7"}, {1000, "1000"}, {0, "0"}, {0.4L, "0.4"},
      {1234567.891L, "1234567.891"}, {-5.25L, "-5.25"}, {1.0L / 3, "0.33333333333333"},
      {2.0L / 3, "0.66666666666667"}, {1e-15L, "0"},
      // clang-format on
  };
  for (const Row& r : rows) EXPECT_EQ(FormatPattern(r.value), r.text) << r.text;
}

TEST(NumberText, TextToFloatReadsPlainNumbersOnly) {
  struct Row {
    const char* text;
    std::optional<Extended> value;
  };
  const Row rows[] = {
      // clang-format off
      {"12345", 12345}, {"-123456", -123456}, {"+7", 7}, {" 42 ", 42}, {"1.5", 1.5L},
      {".5", 0.5L}, {"1.", 1}, {"1.0e-5", 1.0e-5L}, {"5.0e-9", 5.0e-9L}, {"1.0e12", 1.0e12L},
      {"", std::nullopt}, {"-", std::nullopt}, {"12a", std::nullopt}, {"1,000", std::nullopt},
      {"inf", std::nullopt}, {"nan", std::nullopt}, {"0x10", std::nullopt}, {"--1", std::nullopt},
      {"1e99999", std::nullopt}, {".", std::nullopt},
      // clang-format on
  };
  for (const Row& r : rows) EXPECT_EQ(TextToFloat(r.text), r.value) << '"' << r.text << '"';
}

// The digits every text starts from are the exact binary value correctly
// rounded to 18 digits, the same as the run-time conversion gives, for every
// kind of figure: money in 万円, rates, halves that tie at the eighteenth
// digit, the edges of powers of ten and of the integer range, and values far
// outside the range of money.
TEST(NumberText, EighteenDigitsEqualTheRunTimeConversion) {
  const auto conversion = [](Extended v) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 17).ptr;
    return std::string(buffer, end);
  };
  std::mt19937_64 random(20170101);
  std::vector<std::pair<std::string, Extended>> values;
  const auto add = [&](std::string group, Extended v) {
    values.emplace_back(group, v);
    values.emplace_back(group + " negated", -v);
  };

  for (int i = 0; i < 20000; ++i) {
    const auto yen = static_cast<Extended>(random() % 1'000'000'000'000'000);
    add("yen in 万円", yen / 10000);
    add("rate in percent", yen / static_cast<Extended>(random() % 999'999'999 + 1) * 100);
    add("one third", yen / 3);
  }
  for (int i = 0; i < 5000; ++i) {
    const auto whole = static_cast<Extended>(random() % 100'000'000'000'000'000);  // 17 digits
    add("a half at the 18th digit", whole + 0.5L);
    add("a tie below one", (whole + 0.5L) / 100'000'000'000'000'000);
  }
  for (int power = -19; power <= 19; ++power) {
    const Extended ten = std::pow(10.0L, power);
    add("power of ten", ten);
    add("just below a power of ten", std::nextafter(ten, 0.0L));
    add("just above a power of ten", std::nextafter(ten, 1e30L));
  }
  for (Extended v : {999'999'999'999'999'999.0L, 1'000'000'000'000'000'000.0L, 18446744073709551615.0L, 1e30L,
                     1e-30L, 0.0L, std::numeric_limits<Extended>::denorm_min(),
                     std::numeric_limits<Extended>::max(), std::numeric_limits<Extended>::min()})
    add("edge", v);
  for (int i = 0; i < 20000; ++i) {
    // Any finite extended value with an exponent around the range of money.
    const int exponent = static_cast<int>(random() % 161) - 80;
    add("random bits", std::ldexp(static_cast<Extended>(random() | (1ULL << 63)), exponent - 63));
  }

  int mismatches = 0;
  for (const auto& [group, v] : values) {
    const std::string expected = conversion(v);
    if (EighteenDigitText(v) != expected && ++mismatches <= 10)
      ADD_FAILURE() << group << ": " << expected << " became " << EighteenDigitText(v);
  }
  EXPECT_EQ(mismatches, 0);
}
