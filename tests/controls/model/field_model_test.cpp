// The numeric field's value and text rules, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "controls/model/FieldModel.h"

using namespace tavenko;
using namespace tavenko::field;

namespace {

// Records what the field asks of its window.
struct RecordingHost : FieldHost {
  int beeps = 0;
  std::vector<std::string> messages;
  std::vector<Colour> colours;
  void Beep() override { ++beeps; }
  void Message(const std::string& text) override { messages.push_back(text); }
  void SetFontColor(Colour colour) override { colours.push_back(colour); }
};

FieldSettings Figure(int maxDigits, int fixDecimal) {
  FieldSettings s;
  s.maxDigits = maxDigits;
  s.fixDecimal = fixDecimal;
  return s;
}

FieldSettings With(FieldSettings s, const std::function<void(FieldSettings&)>& change) {
  change(s);
  return s;
}

// A loaded field with the settings, ready for the window to use.
void Load(FieldModel& model, const FieldSettings& s) {
  model.ApplySettings(s);
  model.Loaded();
}

struct ShownCase {
  const char* name;
  FieldSettings settings;
  Extended value;
  const char* text;
};

TEST(FieldText, ShowsValuesAsTheFieldFormatsThem) {
  const FieldSettings money = Figure(12, 0);
  const FieldSettings zeroShown = With(money, [](auto& s) { s.zeroDisplay = true; });
  const ShownCase cases[] = {
      {"grouped", money, 1234567, "1,234,567"},
      {"negative", money, -1234, "-1,234"},
      {"zero shown", zeroShown, 0, "0"},
      {"zero empty", money, 0, ""},
      {"free decimals cut to the digits", Figure(9, -1), 1234567.891L, "1,234,567.89"},
      {"fixed decimals padded", Figure(4, 2), 7.3L, "7.30"},
      {"no separators", With(money, [](auto& s) { s.putAComma = false; }), 1234567, "1234567"},
      {"leading yen sign", With(money, [](auto& s) { s.leadingChar = U'\\'; }), 1000, "\\1,000"},
      {"leading sign not on empty zero", With(money, [](auto& s) { s.leadingChar = U'\\'; }), 0, ""},
      {"leading sign on shown zero", With(zeroShown, [](auto& s) { s.leadingChar = U'¥'; }), 0, "¥0"},
      {"clamped to twelve nines", money, 1.5e12L, "999,999,999,999"},
      {"rounded text below a half", zeroShown, 0.4L, "0"},
      {"rounded text at a half", money, 0.5L, "1"},
      {"rounded text halves away from zero", money, 2.5L, "3"},
      {"negatives refused show positive", With(money, [](auto& s) { s.prmtNegative = false; }), -500, "500"},
      {"one decimal percentage", Figure(9, 1), 12.345L, "12.3"},
      {"tiny negative shows its sign", zeroShown, -1e-12L, "-0"},
      {"infinity clamps", Figure(4, 2), INFINITY, "99.99"},
      {"not a number is zero", zeroShown, NAN, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownText(c.settings, c.value), c.text) << c.name;
}

TEST(FieldValue, KeepsTheNumberSetNotTheRoundedText) {
  struct Case {
    const char* name;
    FieldSettings settings;
    Extended set, stored;
  } cases[] = {
      {"beyond the limit", Figure(12, 0), 1.5e12L, 999999999999.0L},
      {"at the limit", Figure(12, 0), 999999999999.0L, 999999999999.0L},
      {"below the half-unit", Figure(12, 0), 0.4L, 0.4L},
      {"rounded in the text only", Figure(12, 0), 12.7L, 12.7L},
      {"decimals cut in the text only", Figure(9, -1), 1234567.891L, 1234567.891L},
      {"rate field limit", Figure(4, 2), 123.0L, 99.99L},
      {"negative refused", With(Figure(12, 0), [](auto& s) { s.prmtNegative = false; }), -500, 500},
  };
  for (const auto& c : cases) {
    FieldModel model;
    Load(model, c.settings);
    model.SetValue(c.set);
    EXPECT_EQ(model.Value(), c.stored) << c.name;
  }
}

TEST(FieldTyping, TypedDecimalsHoldTheNearestValueOfTheirText) {
  // Each decimal key adds digit / 10^n to the value, and such sums drift off
  // the decimal the user sees: the value must be the nearest extended number
  // to the shown text, as if the text had been read afresh.
  struct Case {
    const char* name;
    FieldSettings settings;
    const char* keys;
    const char* text;
  } cases[] = {
      {"two decimals", Figure(12, -1), "0.12", "0.12"},
      {"six decimals", Figure(12, -1), "0.123456", "0.123456"},
      {"grouped integer and four decimals", Figure(12, -1), "1234.5678", "1,234.5678"},
      {"negative decimals", Figure(12, -1), "-0.12", "-0.12"},
      {"rate field", Figure(4, 2), "12.34", "12.34"},
  };
  for (const auto& c : cases) {
    FieldModel model;
    Load(model, c.settings);
    for (const char* key = c.keys; *key != '\0'; ++key)
      model.TypeCharacter(static_cast<char32_t>(*key), /*selected=*/false);
    EXPECT_EQ(model.Text(), c.text) << c.name;
    std::string plain = c.text;
    std::erase(plain, ',');
    const Extended nearest = std::strtold(plain.c_str(), nullptr);
    EXPECT_EQ(model.Value(), nearest)
        << c.name << ": off by " << static_cast<double>(model.Value() - nearest);
  }
}

TEST(FieldSettingsAtRunTime, ResolveConflictsSilently) {
  RecordingHost host;
  FieldModel model(&host);
  Load(model, Figure(12, 0));

  model.SetMaxDigits(16);
  model.SetMaxDigits(0);
  EXPECT_EQ(model.Settings().maxDigits, 12);

  model.SetFixDecimal(20);
  EXPECT_EQ(model.Settings().fixDecimal, 11);

  model.SetFixDecimal(-1);
  model.SetValue(3.456L);
  model.SetFixDecimal(1);
  EXPECT_EQ(model.Value(), 3.4L);  // cut, not rounded
  EXPECT_EQ(model.Text(), "3.4");

  model.SetValue(-12345);
  model.SetMaxDigits(3);  // the value no longer fits: clamped to the new limit
  EXPECT_EQ(model.Value(), -99.9L);

  model.SetPrmtNegative(false);
  EXPECT_EQ(model.Value(), 99.9L);
  EXPECT_EQ(host.beeps, 0);
  EXPECT_TRUE(host.messages.empty());
}

TEST(FieldSettingsInDesignMode, ReportTheirConflicts) {
  struct Case {
    const char* name;
    std::function<void(FieldModel&)> change;
    const char* message;
    bool beeps;
  } cases[] = {
      {"digits out of range", [](FieldModel& m) { m.SetMaxDigits(16); }, "MaxDigits は 1 から 15 までです。",
       true},
      {"digits below decimals", [](FieldModel& m) { m.SetFixDecimal(3), m.SetMaxDigits(3); },
       "小数桁指定と矛盾しています", true},
      {"value beyond new digits", [](FieldModel& m) { m.SetValue(12345), m.SetMaxDigits(4); },
       "最大桁数を超えるため Value をゼロにします", true},
      {"negatives turned off", [](FieldModel& m) { m.SetValue(-5), m.SetPrmtNegative(false); },
       "Value を正の数に変換します", false},
      {"decimals out of range", [](FieldModel& m) { m.SetFixDecimal(12); }, "値が不正です", true},
      {"decimals cut", [](FieldModel& m) { m.SetValue(3.456L), m.SetFixDecimal(1); },
       "Value の小数桁数を指定桁数に変更します", true},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    FieldModel model(&host);
    model.SetDesigning(true);
    Load(model, Figure(12, -1));
    c.change(model);
    ASSERT_EQ(host.messages.size(), 1u) << c.name;
    EXPECT_EQ(host.messages[0], c.message) << c.name;
    EXPECT_EQ(host.beeps, c.beeps ? 1 : 0) << c.name;
  }
}

TEST(FieldSettingsInDesignMode, ValuesThatDoNotFitAreRefused) {
  struct Case {
    const char* name;
    FieldSettings settings;
    Extended value;
    const char* message;
  } cases[] = {
      {"negative", With(Figure(12, 0), [](auto& s) { s.prmtNegative = false; }), -1,
       "PrmtNegative と矛盾します"},
      {"beyond the limit", Figure(4, 2), 100, "MaxDigits, FixDecimal と矛盾します"},
      {"too many digits", Figure(9, -1), 1234567.891L, "MaxDigits と矛盾します"},
      {"too many decimals", Figure(9, 2), 1.234L, "FixDecimal と矛盾します"},
  };
  for (const auto& c : cases) {
    FieldModel model;
    model.SetDesigning(true);
    Load(model, c.settings);
    model.SetValue(7);
    try {
      model.SetValue(c.value);
      ADD_FAILURE() << c.name << ": no conflict reported";
    } catch (const SettingConflict& conflict) {
      EXPECT_STREQ(conflict.what(), c.message) << c.name;
    }
    EXPECT_EQ(model.Value(), 7) << c.name << ": the value must not change";
  }
}

TEST(FieldLoading, SettingsApplyInPublishedOrderWhateverOrderTheFormGives) {
  FieldModel model;
  model.SetValue(123456789012.0L);  // before the digits that make it fit
  model.SetFixDecimal(10);          // before MaxDigits 12 (above the default 9)
  model.SetMaxDigits(12);
  EXPECT_EQ(model.Text(), "");  // nothing shows while the form is set up
  model.Loaded();
  EXPECT_EQ(model.Settings().fixDecimal, 10);
  EXPECT_EQ(model.Value(), 99.9999999999L);
  EXPECT_EQ(model.SavedValue(), model.Value());
}

TEST(FieldColours, NegativesKeepTheirColourWhenTheFontChanges) {
  constexpr Colour red = 0xFFFF0000, blue = 0xFF0000FF, black = kWindowText;
  RecordingHost host;
  FieldModel model(&host);
  model.InitColours(black);
  model.SetMinusColor(red);
  Load(model, Figure(12, 0));

  model.SetValue(-1);
  EXPECT_EQ(model.FontColor(), red);
  model.SetValue(1);
  EXPECT_EQ(model.FontColor(), black);

  model.SetValue(-1);
  model.FontColorChanged(blue);  // from outside, while negative
  EXPECT_EQ(model.FontColor(), red);
  model.SetValue(1);
  EXPECT_EQ(model.FontColor(), blue);

  // Without a colour of its own, a negative simply follows the font.
  FieldModel plain(&host);
  plain.InitColours(black);
  Load(plain, Figure(12, 0));
  plain.SetValue(-1);
  plain.FontColorChanged(blue);
  EXPECT_EQ(plain.MinusColor(), blue);
  EXPECT_EQ(plain.NormalColor(), blue);
}

TEST(ParseText, ReadsOnlyWellFormedFigures) {
  FieldModel model;
  Load(model, Figure(12, -1));
  struct Case {
    const char* text;
    Extended value;
  } cases[] = {
      {"12,345", 12345},
      {"-123,456", -123456},
      {"1,2345", 0},
      {"12345", 12345},
      {"12a", 0},
      {"\\1,000", 1000},
      {"¥1,000", 1000},
      {"$1,000", 1000},
      {"１，２３４", 1234},
      {"－１２．５", -12.5L},
      {"1,23,4", 0},
      {"", 0},
      {"-1,234.5", -1234.5L},
      {"1,234,567.25", 1234567.25L},
      {"1,234.5,6", 0},
      {",123", 0},
      {"1234,567", 0},
      {"12,345\r\n", 12345},
      {"1 234", 0},
      {"1e5", 0},
      {"--1", 0},
      {".", 0},
      {"12.", 12},
      {"+7", 7},
      {"\xff\xfe", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(model.ParseText(c.text), c.value) << c.text;

  model.SetLeadingChar(U'#');
  EXPECT_EQ(model.ParseText("#1,000"), 1000);
  EXPECT_EQ(model.ParseText("$1,000"), 0);
}

// Blanks around a figure are dropped, up to a length no figure comes near;
// a longer text is no figure, whatever it holds, and is refused at once.
TEST(ParseText, LongTextsAreRefusedWhole) {
  FieldModel model;
  Load(model, Figure(12, -1));
  const std::string fullWidthBlank = "\u3000";
  std::string fullWidthPadded;
  for (int i = 0; i < 250; ++i) fullWidthPadded += fullWidthBlank;
  struct Case {
    const char* name;
    std::string text;
    Extended value;
  } cases[] = {
      {"a figure in 250 blanks", std::string(125, ' ') + "1,234" + std::string(125, ' '), 1234},
      {"a figure after 250 full-width blanks", fullWidthPadded + "５", 5},
      {"300 blanks then 5", std::string(300, ' ') + "5", 0},
      {"1,000,000 blanks then 5", std::string(1000000, ' ') + "5", 0},
      {"1,000,000 digits", std::string(1000000, '6'), 0},
      {"300 line breaks then 5", std::string(300, '\n') + "5", 0},
  };
  for (const Case& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(model.ParseText(c.text), c.value) << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50)) << c.name;
  }
}

TEST(ParseText, HostileTextsNeverCrashNorOverfillTheField) {
  const std::vector<std::string> pieces = {
      "0",  "1", "9",  "5",        ",",    ".",  "-",
      "+",  " ", "１", "，",       "．",   "－", "e",
      "\\", "¥", "日", "\xe3\x81", "\xff", "\n", "000000000000000000000"};
  std::mt19937 random(20170101);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
    if (round % 97 == 0) text = std::string(5000, '9');
    if (round % 89 == 0) text = "1" + std::string(400, '0');

    const int maxDigits = 1 + static_cast<int>(random() % 15);
    const int fixDecimal = static_cast<int>(random() % (maxDigits + 1)) - 1;
    FieldModel model;
    Load(model, Figure(maxDigits, fixDecimal));
    const Extended parsed = model.ParseText(text);
    ASSERT_FALSE(std::isnan(parsed)) << text;
    model.Paste(text);
    const Extended limit = std::pow(10.0L, maxDigits - std::max(fixDecimal, 0));
    ASSERT_LT(std::fabs(model.Value()), limit) << text;
    int digits = 0;
    for (char ch : model.Text()) digits += ch >= '0' && ch <= '9';
    ASSERT_LE(digits, std::max(maxDigits, 1) + 1) << text << " -> " << model.Text();
  }
}

}  // namespace
