#include "app/sheet/SheetTool.h"

#include <algorithm>
#include <optional>
#include <set>

#include "Version.h"
#include "app/sheet/WindowSheets.h"
#include "core/NumberText.h"
#include "face/MainFields.h"
#include "face/QuickTable.h"

namespace tavenko::sheettool {

using calc::MainCase;
using calc::MainInputs;
using calc::MainSheet;

namespace {

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

struct UsageError {
  std::string text;
};

std::string OptionName(const face::MainField& field) { return "--" + std::string(field.key); }

// A figure as a user types it into a field: digits only, at most the
// field's digit limit (leading zeros are not digits the field keeps).
Extended ParseFigure(const face::MainField& field, std::string_view text) {
  const auto fail = [&](std::string_view why) {
    return UsageError{OptionName(field) + " " + std::string(why) + ": " + QuotedArgument(text)};
  };
  if (text.empty()) throw fail("needs a whole number");
  for (char ch : text)
    if (ch < '0' || ch > '9') throw fail("takes a whole number of digits 0-9 only");
  const std::size_t first = text.find_first_not_of('0');
  const std::size_t digits = first == std::string_view::npos ? 0 : text.size() - first;
  if (digits > static_cast<std::size_t>(field.settings.maxDigits))
    throw fail("has more digits than " + std::string(field.name) + " holds (" +
               std::to_string(field.settings.maxDigits) + ")");
  return *TextToFloat(text);
}

// "  --income      NValEdit11   --children  NValEdit8": the figure options in
// two columns, from the field table.
std::string FigureOptionLines() {
  const auto pad = [](std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
  };
  const std::span<const face::MainField> fields = face::InputFields();
  const std::size_t half = fields.size() / 2;
  std::string text;
  for (std::size_t i = 0; i < half; ++i) {
    const face::MainField& left = fields[i];
    const face::MainField& right = fields[half + i];
    text += "  " + pad(OptionName(left), 14) + pad(std::string(left.name), 13) + pad(OptionName(right), 12) +
            std::string(right.name) + "\n";
  }
  return text;
}

// "h29 (平成29年版, the default), r7 (令和7年分)".
std::string EditionList() {
  std::string text;
  for (const law::Edition* edition : law::Editions()) {
    if (!text.empty()) text += ", ";
    text += std::string(edition->key) + " (" + std::string(edition->name) +
            (edition->id == law::EditionId::Heisei29 ? ", the default)" : ")");
  }
  return text;
}

// An edition by its key or name.
law::EditionId ParseEdition(std::string_view option, std::string_view text) {
  if (const auto edition = law::FindEdition(text)) return *edition;
  throw UsageError{std::string(option) + " takes " + EditionList() + ": " + QuotedArgument(text)};
}

std::string Usage() {
  std::string text =
      "usage: tavenko-sheet CASE [--income N] [--deductions N] [--profit N] [--value N]\n"
      "                     [--children N] [--parents N] [--siblings N] [--years N]\n"
      "                     [--yen] [--no-spouse] [--edition E]\n"
      "       tavenko-sheet CASE [figures...] --vary FIGURE [--from A] [--to B] [--step S]\n"
      "                     [--csv] [--compare-edition E]\n"
      "       tavenko-sheet --help | --version\n"
      "\n"
      "Computes one click of a calculation button of the main window and prints\n"
      "what it shows as JSON. Figures are whole numbers as typed: amounts in 万円\n"
      "(in 円 with --yen), counts of heirs, years of service.\n"
      "\n" +
      FigureOptionLines() +
      "  --yen         checks 円 (default 万円)\n"
      "  --no-spouse   checks 無し (default 有り)\n"
      "  --edition E   the law computed under: " + EditionList() + "\n"
      "\n"
      "With --vary, prints a quick-reference table (早見表): the click for each\n"
      "FIGURE from A to B in steps of S, at most 100,000 rows, every row from the\n"
      "figures given. FIGURE is a figure the case reads, named as its option without\n"
      "the dashes (income, deductions, profit, value, children, parents, siblings,\n"
      "years). What is not given of the range is the case's starting range: the\n"
      "income 100 to 5,000 by 100 for the income and transfer cases (the officer's\n"
      "allowance to 10,000), the profit likewise for companies, the value 100 to\n"
      "10,000 by 100 for gifts and 5,000 to 100,000 by 5,000 for inheritance; heirs\n"
      "1 to 6; years 1 to 40; deductions 0 to 1,000 by 50 (amounts × 10,000 in 円).\n"
      "\n"
      "  --vary FIGURE  the figure to vary\n"
      "  --from A       the first figure\n"
      "  --to B         the last figure at most\n"
      "  --step S       the step, 1 or more\n"
      "  --csv          CSV (RFC 4180, UTF-8, CR LF): a header row of the captions,\n"
      "                 the varied figure first, then one row per step with the\n"
      "                 figures as the fields show them; a last column メッセージ\n"
      "                 when a row's click shows a message box. Without --csv, a\n"
      "                 JSON array of the one-click objects, each with \"vary\" (the\n"
      "                 varied figure) and \"valid\" (false when the click shows a\n"
      "                 message box).\n"
      "  --compare-edition E\n"
      "                 adds the total under edition E and its difference from\n"
      "                 the total (E less the table's), as columns of the CSV or\n"
      "                 as \"compare\" in each JSON row.\n"
      "\n"
      "Exit status 2, with one line on standard error, for a usage error or a range\n"
      "that cannot be tabled.\n"
      "\n"
      "CASE, by button name or caption:\n";
  for (const MainCase& c : calc::MainCases()) {
    text += "  " + std::string(c.button);
    text.append(10 - std::min<std::size_t>(9, c.button.size()), ' ');
    text += std::string(c.caption);
    text += "\n";
  }
  return text + "\n" + WindowCasesUsage();
}

// ---- JSON -------------------------------------------------------------------

const face::MainField& Field(std::string_view name) { return *face::FindMainField(name); }

std::string Bool(bool b) { return b ? "true" : "false"; }
std::string Number(Extended v) { return Quoted(FormatGeneral(v)); }

// The "value" and "text" members of a field the click sets: what the field
// holds and shows once set, which is not the figure computed when that
// figure has more digits than the field.
std::string FieldFigure(const face::MainField& field, Extended computed) {
  const field::HeldFigure held = field::FigureHeld(field.settings, computed);
  return "\"value\": " + Number(held.value) + ", \"text\": " + Quoted(held.text);
}

std::string StringArray(const std::vector<std::string>& items, std::string_view indent) {
  if (items.empty()) return "[]";
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i)
    out += (i ? ",\n" : "\n") + std::string(indent) + "  " + Quoted(items[i]);
  return out + "\n" + std::string(indent) + "]";
}

// The members of the JSON object of one click, one per line.
std::string SheetJsonMembers(const MainCase& button, const MainInputs& inputs, const MainSheet& sheet) {
  std::string j;
  j += "  \"button\": " + Quoted(button.button) + ",\n";
  j += "  \"edition\": " + Quoted(law::EditionOf(inputs.edition).key) + ",\n";
  j += "  \"messages\": " + StringArray(sheet.messages, "  ") + ",\n";

  j += "  \"results\": [";
  for (int i = 0; i < calc::kResultCount; ++i) {
    const face::MainField& field = face::ResultField(i);
    j += std::string(i ? "," : "") + "\n    {\"field\": " + Quoted(field.name) +
         ", \"caption\": " + Quoted(sheet.captions[i]) + ", " + FieldFigure(field, sheet.results[i]) + "}";
  }
  j += "\n  ],\n";

  j += "  \"log\": " + StringArray(sheet.log, "  ") + ",\n";

  j += "  \"pie\": {\"visible\": " + Bool(sheet.pieVisible) + ", \"slices\": [";
  for (std::size_t i = 0; i < sheet.pie.size(); ++i) {
    const calc::PieSlice& s = sheet.pie[i];
    j += std::string(i ? "," : "") + "\n    {\"label\": " + Quoted(s.label) +
         ", \"color\": " + Quoted(calc::ChartColourName(s.colour)) + ", \"value\": " + Number(s.value) + "}";
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
  j += "    \"NValEdit16\": {\"visible\": " + Bool(side.yearsFieldVisible) + ", \"value\": " + Number(years) +
       "},\n";
  j += "    \"NValEdit17\": {\"visible\": " + Bool(side.extraFieldVisible) + ", " +
       FieldFigure(Field("NValEdit17"), extra) + "}\n";
  j += "  },\n";

  const Extended low = sheet.feeLow.value_or(0);
  const Extended high = sheet.feeHigh.value_or(0);
  j += "  \"GroupBox3\": {\n";
  j += "    \"visible\": " + Bool(sheet.feePanelVisible) + ",\n";
  j += "    \"NValEdit15\": {" + FieldFigure(Field("NValEdit15"), low) + "},\n";
  j += "    \"NValEdit18\": {" + FieldFigure(Field("NValEdit18"), high) + "}\n";
  j += "  }\n";
  return j;
}

}  // namespace

std::string SheetJson(const MainCase& button, const MainInputs& inputs, const MainSheet& sheet) {
  return "{\n" + SheetJsonMembers(button, inputs, sheet) + "}\n";
}

namespace {

// The rows of a table, each the JSON object of its click opened by the varied
// figure and whether the row is valid.
std::string TableJson(const face::QuickTable& table) {
  const face::MainField& varied = table.VariedField();
  std::string j = "[";
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    j += row ? ",\n{\n" : "\n{\n";
    j += "  \"vary\": {\"figure\": " + Quoted(varied.key) + ", \"field\": " + Quoted(varied.name) +
         ", \"value\": " + Number(table.FigureAt(row)) + ", \"text\": " + Quoted(table.Text(row, 0)) + "},\n";
    j += "  \"valid\": " + Bool(table.Valid(row)) + ",\n";
    if (const auto compared = table.ComparedEdition()) {
      const face::MainField& total = table.ColumnField(face::QuickTable::kComparedTotalColumn);
      j += "  \"compare\": {\"edition\": " + Quoted(law::EditionOf(*compared).key) + ", \"total\": {" +
           FieldFigure(total, table.Value(row, face::QuickTable::kComparedTotalColumn)) +
           "}, \"difference\": {" + FieldFigure(total, table.Value(row, face::QuickTable::kDifferenceColumn)) +
           "}},\n";
    }
    j += SheetJsonMembers(table.Button(), table.RowInputs(row), table.Sheet(row));
    j += "}";
  }
  return j + "\n]\n";
}

// What the command line asks for.
struct Request {
  const MainCase* button = nullptr;
  MainInputs inputs;
  std::set<std::string_view> given;  // the options given, by name
  bool help = false;
  bool version = false;
  const face::MainField* varied = nullptr;  // --vary
  std::optional<Extended> from, to, step;   // --from, --to, --step
  bool csv = false;
  std::optional<law::EditionId> compareWith;  // --compare-edition
};

// A bound of the range as written: a plain decimal number; whether it is one
// the table can take (whole, not negative, within the field) the table says.
Extended ParseBound(std::string_view option, std::string_view text) {
  const auto number =
      text.find_first_not_of("+-.0123456789") == std::string_view::npos ? TextToFloat(text) : std::nullopt;
  if (!number) throw UsageError{std::string(option) + " takes a number: " + QuotedArgument(text)};
  return *number;
}

Request ParseArguments(std::span<const std::string_view> args) {
  Request r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      r.help = true;
      return r;
    }
    if (arg == "--version") {
      r.version = true;
      return r;
    }
    if (!arg.starts_with("-")) {  // no case begins with a dash
      if (r.button) throw UsageError{"more than one case given: " + QuotedArgument(arg)};
      r.button = calc::FindMainCase(arg);
      if (!r.button) throw UsageError{"unknown case " + QuotedArgument(arg) + " (see --help)"};
      continue;
    }
    std::optional<std::string_view> inlineValue;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    const bool flag = arg == "--yen" || arg == "--no-spouse" || arg == "--csv";
    const bool range = arg == "--vary" || arg == "--from" || arg == "--to" || arg == "--step" ||
                       arg == "--edition" || arg == "--compare-edition";
    const face::MainField* field = arg.starts_with("--") ? face::FindInputField(arg.substr(2)) : nullptr;
    if (field && OptionName(*field) != arg) field = nullptr;  // a caption is no option name
    if (!flag && !range && !field)
      throw UsageError{"unknown option " + QuotedArgument(arg) + " (see --help)"};
    if (!r.given.insert(arg).second) throw UsageError{"option " + std::string(arg) + " given twice"};

    if (arg == "--yen" || arg == "--no-spouse" || arg == "--csv") {
      if (inlineValue) throw UsageError{"option " + std::string(arg) + " takes no value"};
      if (arg == "--yen") r.inputs.unit = AmountUnit::Yen;
      if (arg == "--no-spouse") r.inputs.spouseCount = 0;
      if (arg == "--csv") r.csv = true;
      continue;
    }
    const auto value = [&] {
      if (!inlineValue && i + 1 >= args.size())
        throw UsageError{"option " + std::string(arg) + " needs a value"};
      return inlineValue ? *inlineValue : args[++i];
    };
    if (arg == "--vary") {
      const std::string_view figure = value();
      r.varied = face::FindInputField(figure);
      if (!r.varied)
        throw UsageError{
            "--vary takes income, deductions, profit, value, children, parents, siblings or years: " +
            QuotedArgument(figure)};
    } else if (arg == "--from") {
      r.from = ParseBound(arg, value());
    } else if (arg == "--to") {
      r.to = ParseBound(arg, value());
    } else if (arg == "--step") {
      r.step = ParseBound(arg, value());
    } else if (arg == "--edition") {
      r.inputs.edition = ParseEdition(arg, value());
    } else if (arg == "--compare-edition") {
      r.compareWith = ParseEdition(arg, value());
    } else {
      r.inputs.*(field->input) = ParseFigure(*field, value());
    }
  }
  if (!r.button) throw UsageError{"no case given (see --help)"};
  return r;
}

// The table's range: what the command line gives, the case's starting range
// for the rest.
face::QuickRange RangeOf(const Request& r) {
  face::QuickRange range = face::DefaultRange(*r.button, r.varied->figure, r.inputs.unit);
  range.from = r.from.value_or(range.from);
  range.to = r.to.value_or(range.to);
  range.step = r.step.value_or(range.step);
  return range;
}

std::string QuickTableOutput(const Request& r) {
  if (r.given.contains(OptionName(*r.varied)))
    throw UsageError{OptionName(*r.varied) +
                     " is the varied figure: give its range with --from, --to and --step"};
  try {
    const face::QuickTable table(*r.button, r.inputs, RangeOf(r), r.compareWith);
    return r.csv ? table.Csv() : TableJson(table);
  } catch (const face::RangeRefused& refused) {
    throw UsageError{refused.what()};
  }
}

}  // namespace

ToolOutput RunSheetTool(std::span<const std::string_view> args) {
  // The cases of the windows the main window opens (WindowSheets.h), the case first.
  const bool helpAsked = std::any_of(args.begin(), args.end(), [](std::string_view a) {
    return a == "--help" || a == "-h" || a == "--version";
  });
  if (const auto c = std::find_if(args.begin(), args.end(), IsWindowCase); c != args.end() && !helpAsked) {
    std::vector<std::string_view> caseFirst{*c};
    for (auto a = args.begin(); a != args.end(); ++a)
      if (a != c) caseFirst.push_back(*a);
    try {
      return {0, WindowSheetJson(ComputeWindowSheet(caseFirst)), ""};
    } catch (const WindowUsageError& e) {
      return {2, "", "tavenko-sheet: " + std::string(e.what()) + "\n"};
    }
  }
  try {
    const Request r = ParseArguments(args);
    if (r.help) return {0, Usage(), ""};
    if (r.version) return {0, "tavenko-sheet " + std::string(kVersion) + "\n", ""};
    if (r.varied) return {0, QuickTableOutput(r), ""};
    for (std::string_view option : {"--from", "--to", "--step", "--csv", "--compare-edition"})
      if (r.given.contains(option)) throw UsageError{"option " + std::string(option) + " needs --vary"};
    return {0, SheetJson(*r.button, r.inputs, r.button->compute(r.inputs)), ""};
  } catch (const UsageError& e) {
    return {2, "", "tavenko-sheet: " + e.text + "\n"};
  }
}

}  // namespace tavenko::sheettool
