#include "SheetTool.h"

#include <array>
#include <map>
#include <optional>

#include "NumberText.h"

namespace tavenko::sheettool {

using calc::MainCase;
using calc::MainInputs;
using calc::MainSheet;
using field::FieldSettings;
using field::ShownText;

namespace {

// ---- Field settings of the main window ------------------------------------

constexpr FieldSettings kMoneyResult{.maxDigits = 12, .fixDecimal = 0, .zeroDisplay = true};
constexpr FieldSettings kRateResult{.maxDigits = 9, .fixDecimal = 1, .zeroDisplay = true};
constexpr FieldSettings kFeeField{};  // NValEdit15 / NValEdit18 keep the field defaults

const FieldSettings& ResultDisplay(int field) { return field < 5 ? kMoneyResult : kRateResult; }

// ---- Quoting -----------------------------------------------------------------

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (unsigned char ch : text) {
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (ch < 0x20) {
          static const char* hex = "0123456789abcdef";
          out += "\\u00";
          out += hex[ch >> 4];
          out += hex[ch & 15];
        } else {
          out += static_cast<char>(ch);
        }
    }
  }
  return out + "\"";
}

// A bad argument as a usage error quotes it: on one line, and only its first
// characters when it is long (the count of all follows).
std::string QuotedArgument(std::string_view text) {
  constexpr std::size_t kShownCharacters = 40;
  std::size_t characters = 0;
  std::size_t cut = text.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // inside a character
    if (characters++ == kShownCharacters) cut = i;
  }
  if (cut == text.size()) return Quoted(text);
  return Quoted(text.substr(0, cut)) + "... (" + std::to_string(characters) + " characters)";
}

// ---- Options ----------------------------------------------------------------

// One figure option: the field it fills, that field's digit limit, and where
// the figure goes in MainInputs.
struct FigureOption {
  std::string_view name;
  std::string_view field;
  int maxDigits;
  Extended MainInputs::*target;
};

constexpr std::array<FigureOption, 8> kFigureOptions{{
    {"--income", "NValEdit11", 12, &MainInputs::income},
    {"--deductions", "NValEdit12", 12, &MainInputs::deductions},
    {"--profit", "NValEdit13", 12, &MainInputs::profit},
    {"--value", "NValEdit14", 12, &MainInputs::value},
    {"--children", "NValEdit8", 2, &MainInputs::children},
    {"--parents", "NValEdit9", 2, &MainInputs::parents},
    {"--siblings", "NValEdit10", 2, &MainInputs::siblings},
    {"--years", "NValEdit16", 12, &MainInputs::years},
}};

struct UsageError {
  std::string text;
};

// A figure as a user types it into a field: digits only, at most the
// field's digit limit (leading zeros are not digits the field keeps).
Extended ParseFigure(const FigureOption& option, std::string_view text) {
  const auto fail = [&](std::string_view why) {
    return UsageError{std::string(option.name) + " " + std::string(why) + ": " + QuotedArgument(text)};
  };
  if (text.empty()) throw fail("needs a whole number");
  for (char ch : text)
    if (ch < '0' || ch > '9') throw fail("takes a whole number of digits 0-9 only");
  const std::size_t first = text.find_first_not_of('0');
  const std::size_t digits = first == std::string_view::npos ? 0 : text.size() - first;
  if (digits > static_cast<std::size_t>(option.maxDigits))
    throw fail("has more digits than " + std::string(option.field) + " holds (" +
               std::to_string(option.maxDigits) + ")");
  return *TextToFloat(text);
}

std::string Usage() {
  std::string text =
      "usage: tavenko-sheet CASE [--income N] [--deductions N] [--profit N] [--value N]\n"
      "                     [--children N] [--parents N] [--siblings N] [--years N]\n"
      "                     [--yen] [--no-spouse]\n"
      "\n"
      "Computes one click of a calculation button of the main window and prints\n"
      "what it shows as JSON. Figures are whole numbers as typed: amounts in 万円\n"
      "(in 円 with --yen), counts of heirs, years of service.\n"
      "\n"
      "  --income      NValEdit11   --children  NValEdit8\n"
      "  --deductions  NValEdit12   --parents   NValEdit9\n"
      "  --profit      NValEdit13   --siblings  NValEdit10\n"
      "  --value       NValEdit14   --years     NValEdit16\n"
      "  --yen         checks 円 (default 万円)\n"
      "  --no-spouse   checks 無し (default 有り)\n"
      "\n"
      "CASE, by button name or caption:\n";
  for (const MainCase& c : calc::MainCases()) {
    text += "  " + std::string(c.button);
    text.append(10 - std::min<std::size_t>(9, c.button.size()), ' ');
    text += std::string(c.caption);
    text += "\n";
  }
  return text;
}

// ---- JSON -------------------------------------------------------------------

std::string Bool(bool b) { return b ? "true" : "false"; }
std::string Number(Extended v) { return Quoted(FormatGeneral(v)); }

std::string StringArray(const std::vector<std::string>& items, std::string_view indent) {
  if (items.empty()) return "[]";
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i)
    out += (i ? ",\n" : "\n") + std::string(indent) + "  " + Quoted(items[i]);
  return out + "\n" + std::string(indent) + "]";
}

}  // namespace

std::optional<field::FieldSettings> MainWindowFieldSettings(std::string_view field) {
  for (int i = 0; i < calc::kResultCount; ++i)
    if (field == "NValEdit" + std::to_string(i + 1)) return ResultDisplay(i);
  if (field == "NValEdit17") return kMoneyResult;
  if (field == "NValEdit15" || field == "NValEdit18") return kFeeField;
  return std::nullopt;
}

std::string SheetJson(const MainCase& button, const MainInputs& inputs, const MainSheet& sheet) {
  std::string j = "{\n";
  j += "  \"button\": " + Quoted(button.button) + ",\n";
  j += "  \"messages\": " + StringArray(sheet.messages, "  ") + ",\n";

  j += "  \"results\": [";
  for (int i = 0; i < calc::kResultCount; ++i) {
    const std::string n = std::to_string(i + 1);
    j += std::string(i ? "," : "") + "\n    {\"field\": \"NValEdit" + n + "\", \"caption\": " +
         Quoted(sheet.captions[i]) + ", \"value\": " + Number(sheet.results[i]) +
         ", \"text\": " + Quoted(ShownText(ResultDisplay(i), sheet.results[i])) + "}";
  }
  j += "\n  ],\n";

  j += "  \"log\": " + StringArray(sheet.log, "  ") + ",\n";

  j += "  \"pie\": {\"visible\": " + Bool(sheet.pieVisible) + ", \"slices\": [";
  for (std::size_t i = 0; i < sheet.pie.size(); ++i) {
    const calc::PieSlice& s = sheet.pie[i];
    j += std::string(i ? "," : "") + "\n    {\"label\": " + Quoted(s.label) +
         ", \"color\": " + Quoted(calc::PieColourName(s.colour)) + ", \"value\": " +
         Number(s.value) + "}";
  }
  j += sheet.pie.empty() ? "]},\n" : "\n  ]},\n";

  // A fresh window: the side panel keeps its designed title and an empty
  // note while hidden; NValEdit16 holds the typed years unless the click
  // cleared it, NValEdit17 its starting 0 unless the click set it.
  const calc::SidePanel& side = sheet.side;
  const Extended years = sheet.yearsFieldValue.value_or(inputs.years);
  const Extended extra = sheet.extraFieldValue.value_or(0);
  j += "  \"GroupBox2\": {\n";
  j += "    \"visible\": " + Bool(side.visible) + ",\n";
  j += "    \"caption\": " + Quoted(side.visible ? side.caption : "他の所得") + ",\n";
  j += "    \"Label13\": " + Quoted(side.visible ? side.note : "") + ",\n";
  j += "    \"NValEdit16\": {\"visible\": " + Bool(side.yearsFieldVisible) +
       ", \"value\": " + Number(years) + "},\n";
  j += "    \"NValEdit17\": {\"visible\": " + Bool(side.extraFieldVisible) +
       ", \"value\": " + Number(extra) + ", \"text\": " + Quoted(ShownText(kMoneyResult, extra)) +
       "}\n";
  j += "  },\n";

  const Extended low = sheet.feeLow.value_or(0);
  const Extended high = sheet.feeHigh.value_or(0);
  j += "  \"GroupBox3\": {\n";
  j += "    \"visible\": " + Bool(sheet.feePanelVisible) + ",\n";
  j += "    \"NValEdit15\": {\"value\": " + Number(low) + ", \"text\": " +
       Quoted(ShownText(kFeeField, low)) + "},\n";
  j += "    \"NValEdit18\": {\"value\": " + Number(high) + ", \"text\": " +
       Quoted(ShownText(kFeeField, high)) + "}\n";
  j += "  }\n}\n";
  return j;
}

ToolOutput RunSheetTool(std::span<const std::string_view> args) {
  try {
    const MainCase* button = nullptr;
    MainInputs inputs;
    std::map<std::string_view, bool> given;

    for (std::size_t i = 0; i < args.size(); ++i) {
      std::string_view arg = args[i];
      if (arg == "--help" || arg == "-h") return {0, Usage(), ""};
      if (arg.starts_with("-")) {  // no case begins with a dash
        std::optional<std::string_view> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
          inlineValue = arg.substr(eq + 1);
          arg = arg.substr(0, eq);
        }
        const FigureOption* option = nullptr;
        for (const FigureOption& o : kFigureOptions)
          if (o.name == arg) option = &o;
        const bool flag = arg == "--yen" || arg == "--no-spouse";
        if (!option && !flag) throw UsageError{"unknown option " + QuotedArgument(arg) + " (see --help)"};
        if (given[arg]) throw UsageError{"option " + std::string(arg) + " given twice"};
        given[arg] = true;
        if (flag) {
          if (inlineValue) throw UsageError{"option " + std::string(arg) + " takes no value"};
          if (arg == "--yen") inputs.unit = AmountUnit::Yen;
          else inputs.spouseCount = 0;
          continue;
        }
        if (!inlineValue) {
          if (i + 1 >= args.size()) throw UsageError{"option " + std::string(arg) + " needs a value"};
          inlineValue = args[++i];
        }
        inputs.*(option->target) = ParseFigure(*option, *inlineValue);
        continue;
      }
      if (button) throw UsageError{"more than one case given: " + QuotedArgument(arg)};
      button = calc::FindMainCase(arg);
      if (!button) throw UsageError{"unknown case " + QuotedArgument(arg) + " (see --help)"};
    }
    if (!button) throw UsageError{"no case given (see --help)"};

    return {0, SheetJson(*button, inputs, button->compute(inputs)), ""};
  } catch (const UsageError& e) {
    return {2, "", "tavenko-sheet: " + e.text + "\n"};
  }
}

}  // namespace tavenko::sheettool
