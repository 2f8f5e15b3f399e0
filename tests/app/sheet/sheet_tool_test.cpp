// tavenko-sheet: the JSON of one click, the field texts, and the usage errors,
// in process and as the installed program.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Version.h"
#include "app/sheet/SheetTool.h"
#include "calc/MainSheet.h"
#include "core/NumberText.h"
#include "face/QuickTable.h"
#include "tests/face/csv_reader.h"

using namespace tavenko::sheettool;
using tavenko::Extended;

namespace {

ToolOutput RunTool(std::vector<std::string_view> args) { return RunSheetTool(args); }

const char* const kOrdinaryExample = R"({
  "button": "BitBtn1",
  "edition": "h29",
  "messages": [],
  "results": [
    {"field": "NValEdit1", "caption": "　　課税所得", "value": "600", "text": "600"},
    {"field": "NValEdit2", "caption": "　　　所得税", "value": "78.8722", "text": "79"},
    {"field": "NValEdit3", "caption": "　　　地方税", "value": "60", "text": "60"},
    {"field": "NValEdit4", "caption": "", "value": "0", "text": "0"},
    {"field": "NValEdit5", "caption": "　　税金合計", "value": "138.8722", "text": "139"},
    {"field": "NValEdit6", "caption": "　平均", "value": "17.359025", "text": "17.4"},
    {"field": "NValEdit7", "caption": "　上積", "value": "30.5732", "text": "30.6"}
  ],
  "log": [
    "－－－－－",
    "課税所得",
    "800",
    "所得控除",
    "200",
    "所得控除後の金額",
    "600",
    "所得税額",
    "78",
    "地方税額",
    "60",
    "税額合計",
    "138"
  ],
  "pie": {"visible": true, "slices": [
    {"label": "国税", "color": "clRed", "value": "78.8722"},
    {"label": "県税", "color": "clLime", "value": "24"},
    {"label": "市税", "color": "clYellow", "value": "36"},
    {"label": "事業", "color": "clBlue", "value": "0"},
    {"label": "手取額", "color": "clWhite", "value": "661.1278"}
  ]},
  "GroupBox2": {
    "visible": true,
    "caption": "コメント",
    "Label13": "　　",
    "NValEdit16": {"visible": false, "value": "0"},
    "NValEdit17": {"visible": false, "value": "0", "text": "0"}
  },
  "GroupBox3": {
    "visible": false,
    "NValEdit15": {"value": "0", "text": ""},
    "NValEdit18": {"value": "0", "text": ""}
  }
}
)";

TEST(SheetTool, OrdinaryIncomeExampleInFull) {
  for (std::string_view button : {"BitBtn1", "一般所得税"}) {
    const ToolOutput out = RunTool({button, "--income", "800", "--deductions=200"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.err, "");
    EXPECT_EQ(out.out, kOrdinaryExample);
  }
}

TEST(SheetTool, RetirementYearsAndLineBreaksInTheNote) {
  const ToolOutput out = RunTool({"BitBtn4", "--income", "1000", "--years", "120"});
  ASSERT_EQ(out.status, 0);
  EXPECT_NE(out.out.find("\"messages\": [\n    \"勤続年数を入力してください\"\n  ]"), std::string::npos);
  EXPECT_NE(out.out.find("\"NValEdit16\": {\"visible\": true, \"value\": \"0\"}"), std::string::npos);
  EXPECT_NE(out.out.find("\"Label13\": \"　退職所得控除は勤続\\r\\n年数"), std::string::npos);
}

TEST(SheetTool, YenUnitAndTypedYears) {
  const ToolOutput out = RunTool({"役員", "--income", "8123456", "--years", "7", "--yen", "--no-spouse"});
  ASSERT_EQ(out.status, 0);
  EXPECT_NE(out.out.find("\"NValEdit16\": {\"visible\": true, \"value\": \"7\"}"), std::string::npos);
  EXPECT_NE(out.out.find("\"812.3\""), std::string::npos);  // the log in 万円
  EXPECT_EQ(out.out.find("\"messages\": []"), out.out.find("\"messages\""));
}

// A field's "value" is what the field holds once the click has set it: a
// figure with more digits than the field is held clamped to the largest
// figure the field shows, as its text already says.
struct HeldRow {
  const char* name;
  std::vector<std::string_view> args;
  std::vector<const char*> fragments;
};

class SheetToolHeldValue : public ::testing::TestWithParam<HeldRow> {};

TEST_P(SheetToolHeldValue, ValueIsWhatTheFieldHolds) {
  const ToolOutput out = RunTool(GetParam().args);
  ASSERT_EQ(out.status, 0) << out.err;
  for (const char* fragment : GetParam().fragments)
    EXPECT_NE(out.out.find(fragment), std::string::npos) << fragment;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SheetToolHeldValue,
    ::testing::Values(HeldRow{"FeesBeyondTheNineDigitsOfTheFeeFields",
                              {"相続税（子）", "--value", "99999999999", "--children", "99"},
                              {R"("NValEdit15": {"value": "999999999", "text": "999,999,999"})",
                               R"("NValEdit18": {"value": "999999999", "text": "999,999,999"})"}},
                      HeldRow{"FeesWithinTheirDigits",
                              {"相続税（子）", "--value", "10000", "--children", "2"},
                              {R"("NValEdit15": {"value": "171", "text": "171"})",
                               R"("NValEdit18": {"value": "342", "text": "342"})"}},
                      HeldRow{"YenResultsOfTwelveDigitsNegativeIncluded",
                              {"BitBtn16", "--value", "999999999999", "--children", "1", "--yen"},
                              {R"("value": "999957999000", "text": "999,957,999,000")",
                               R"("value": "-274916449700", "text": "-274,916,449,700")",
                               R"("value": "27.4916449999916", "text": "27.5")"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorRow {
  const char* name;
  std::vector<std::string_view> args;
  const char* names;  // a part of the one-line message
};

// Failures name the row, not its bytes.
void PrintTo(const ErrorRow& row, std::ostream* out) { *out << row.name; }

class SheetToolError : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(SheetToolError, OneLineOnStderrStatusTwo) {
  const ToolOutput out = RunTool(GetParam().args);
  EXPECT_EQ(out.status, 2);
  EXPECT_EQ(out.out, "");
  EXPECT_NE(out.err.find(GetParam().names), std::string::npos) << out.err;
  EXPECT_EQ(out.err.find('\n'), out.err.size() - 1) << out.err;
  EXPECT_LT(out.err.size(), 200u) << out.err;  // a bad argument is quoted, not echoed whole
}

const std::string kHundredThousandDigits(100000, '1');
const std::string kFortyOneKanji = [] {
  std::string text;
  for (int i = 0; i < 41; ++i) text += "税";
  return text;
}();

INSTANTIATE_TEST_SUITE_P(
    Usage, SheetToolError,
    ::testing::Values(
        ErrorRow{"NoCase", {"--income", "5"}, "no case"},
        ErrorRow{"UnknownCase", {"BitBtn99"}, "unknown case \"BitBtn99\""},
        ErrorRow{"DisabledButton", {"BitBtn14"}, "unknown case"},
        ErrorRow{"UnknownOption", {"BitBtn1", "--salary", "5"}, "unknown option \"--salary\""},
        ErrorRow{"UnknownOptionWithValue", {"BitBtn1", "--salary=5"}, "unknown option \"--salary\""},
        ErrorRow{"SingleDashOption", {"BitBtn1", "-x"}, "unknown option \"-x\""},
        ErrorRow{"SingleDashBeforeTheCase", {"-x", "BitBtn1"}, "unknown option \"-x\""},
        ErrorRow{"UnknownOptionTwice", {"BitBtn1", "--salary", "--salary"}, "unknown option \"--salary\""},
        ErrorRow{"HugeFigure",
                 {"BitBtn1", "--income", kHundredThousandDigits},
                 "\"1111111111111111111111111111111111111111\"... (100000 characters)"},
        ErrorRow{"LongCaseCutAtACharacter", {kFortyOneKanji}, "税\"... (41 characters)"},
        ErrorRow{"LineBreakInACase", {"BitBtn1\nBitBtn2"}, "unknown case \"BitBtn1\\nBitBtn2\""},
        ErrorRow{"LineBreakInAFigure", {"BitBtn1", "--income", "8\n00"}, "\"8\\n00\""},
        ErrorRow{"MissingValue", {"BitBtn1", "--income"}, "--income needs a value"},
        ErrorRow{"Negative", {"BitBtn1", "--income", "-5"}, "--income"},
        ErrorRow{"Decimal", {"BitBtn1", "--deductions", "1.5"}, "--deductions"},
        ErrorRow{"FullWidthDigits", {"BitBtn1", "--income", "８００"}, "--income"},
        ErrorRow{"ThirteenDigits", {"BitBtn1", "--income", "1000000000000"}, "NValEdit11 holds (12)"},
        ErrorRow{"ThreeDigitHeadCount", {"BitBtn1", "--children", "100"}, "NValEdit8 holds (2)"},
        ErrorRow{"Empty", {"BitBtn1", "--years="}, "--years"},
        ErrorRow{"Twice", {"BitBtn1", "--income", "1", "--income", "2"}, "given twice"},
        ErrorRow{"TwoCases", {"BitBtn1", "BitBtn2"}, "more than one case"},
        ErrorRow{"FlagWithValue", {"BitBtn1", "--yen=1"}, "--yen takes no value"},
        ErrorRow{"UnknownEdition", {"BitBtn1", "--edition", "r8"}, "--edition takes h29"},
        ErrorRow{"ComparisonWithoutATable", {"BitBtn1", "--compare-edition", "r7"}, "needs --vary"}),
    [](const auto& info) { return std::string(info.param.name); });

// The edition by key or name, named in the output; a table row's comparison
// is the other edition's click.
TEST(SheetTool, EditionsByKeyOrNameAndCompared) {
  for (std::string_view edition : {"r7", "令和7年分"}) {
    const ToolOutput out = RunTool({"法人（小規模）", "--profit", "1000", "--edition", edition});
    EXPECT_NE(out.out.find("\"edition\": \"r7\""), std::string::npos);
    EXPECT_NE(out.out.find("\"value\": \"269.5912\""), std::string::npos);
  }
  const ToolOutput table = RunTool({"BitBtn13", "--vary", "profit", "--from", "1000", "--to", "1000",
                                    "--compare-edition", "r7"});
  EXPECT_NE(table.out.find("\"compare\": {\"edition\": \"r7\", \"total\": {\"value\": \"269.5912\", "
                           "\"text\": \"270\"}, \"difference\": {\"value\": \"-18.1452\""),
            std::string::npos)
      << table.out;
}

TEST(SheetTool, LargestFiguresAreAccepted) {
  EXPECT_EQ(RunTool({"BitBtn1", "--income", "999999999999", "--children", "99", "--years", "000012"}).status,
            0);
}

TEST(SheetTool, HelpListsEveryCase) {
  const ToolOutput out = RunTool({"--help"});
  EXPECT_EQ(out.status, 0);
  for (const auto& c : tavenko::calc::MainCases()) {
    EXPECT_NE(out.out.find(std::string(c.button) + " "), std::string::npos);
    EXPECT_NE(out.out.find(c.caption), std::string::npos);
  }
}

// ---- Quick-reference tables ------------------------------------------------------

// The JSON of a table is an array of the one-click objects of its rows, each
// opened by the varied figure and whether the row is valid.
TEST(SheetToolTable, JsonIsTheArrayOfTheRowsOneClickObjects) {
  struct Row {
    const char* name;
    std::vector<std::string_view> args;
    const char* button;
    tavenko::calc::MainInputs base;
    Extended tavenko::calc::MainInputs::*varied;
    const char* figure;
    const char* field;
    std::vector<std::pair<Extended, const char*>> figures;  // value, shown text
  };
  tavenko::calc::MainInputs retirement;
  retirement.income = 2000;
  tavenko::calc::MainInputs estate;
  estate.unit = tavenko::AmountUnit::Yen;
  estate.value = 300000000;
  estate.spouseCount = 0;
  const Row rows[] = {
      {"years through none",
       {"BitBtn4", "--income", "2000", "--vary", "years", "--to", "2"},
       "BitBtn4",
       retirement,
       &tavenko::calc::MainInputs::years,
       "years",
       "NValEdit16",
       {{1, "1"}, {2, "2"}}},
      {"heirs in yen",
       {"BitBtn20", "--yen", "--value=300000000", "--no-spouse", "--vary", "siblings", "--from", "0", "--to",
        "2"},
       "BitBtn20",
       estate,
       &tavenko::calc::MainInputs::siblings,
       "siblings",
       "NValEdit10",
       {{0, "0"}, {1, "1"}, {2, "2"}}},
      {"grouped figure",
       {"給与所得", "--vary", "income", "--from", "900", "--to", "1100", "--step", "200"},
       "BitBtn2",
       {},
       &tavenko::calc::MainInputs::income,
       "income",
       "NValEdit11",
       {{900, "900"}, {1100, "1,100"}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto* button = tavenko::calc::FindMainCase(r.button);
    std::string expected = "[";
    for (std::size_t i = 0; i < r.figures.size(); ++i) {
      tavenko::calc::MainInputs in = r.base;
      in.*r.varied = r.figures[i].first;
      const tavenko::calc::MainSheet click = button->compute(in);
      const std::string object = SheetJson(*button, in, click);
      expected += std::string(i ? ",\n" : "\n") + "{\n  \"vary\": {\"figure\": \"" + r.figure +
                  "\", \"field\": \"" + r.field + "\", \"value\": \"" +
                  tavenko::FormatGeneral(r.figures[i].first) + "\", \"text\": \"" + r.figures[i].second +
                  "\"},\n  \"valid\": " + (click.messages.empty() ? "true" : "false") + ",\n" +
                  object.substr(2, object.size() - 3);  // without the object's own "{\n" and "\n"
    }
    expected += "\n]\n";
    const ToolOutput out = RunTool(r.args);
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, expected);
  }
}

TEST(SheetToolTable, CsvIsTheTablesOwnTextWithoutAByteOrderMark) {
  const ToolOutput out = RunTool({"BitBtn13", "--yen", "--vary", "profit", "--from", "0", "--to", "30000000",
                                  "--step", "7500000", "--csv"});
  ASSERT_EQ(out.status, 0) << out.err;
  tavenko::calc::MainInputs in;
  in.unit = tavenko::AmountUnit::Yen;
  const tavenko::face::QuickTable table(*tavenko::calc::FindMainCase("BitBtn13"), in,
                                        {tavenko::face::Figure::Profit, 0, 30000000, 7500000});
  EXPECT_EQ(out.out, table.Csv());
  EXPECT_TRUE(out.out.starts_with(
      "利益金額,課税所得,法人税,地方税,事業税,税金合計,平均,上積\r\n"
      "0,0,0,\"70,000\",0,\"70,000\",0,24.1\r\n"
      "\"7,500,000\",\"7,500,000\",\"1,125,000\",\"264,600\",\"455,500\",\"1,957,600\",26.1,32.9\r\n"))
      << out.out;
}

// What the command line leaves out of the range is the case's starting range,
// in the unit chosen.
TEST(SheetToolTable, RangeNotGivenIsTheCasesStartingRange) {
  struct Row {
    std::vector<std::string_view> args;
    std::size_t rows;
    const char* first;
    const char* last;
  };
  const Row rows[] = {
      {{"相続税（子）", "--children", "2", "--vary", "value", "--csv"}, 20, "5,000", "100,000"},
      {{"相続税（子）", "--children", "2", "--yen", "--vary", "value", "--csv"},
       20,
       "50,000,000",
       "1,000,000,000"},
      {{"相続税（子）", "--value", "20000", "--vary", "子の数", "--csv"}, 6, "1", "6"},
      {{"BitBtn1", "--vary", "income", "--from", "4000", "--csv"}, 11, "4,000", "5,000"},
      {{"BitBtn28", "--years", "30", "--vary", "income", "--step", "2500", "--csv"}, 4, "100", "7,600"},
  };
  for (const Row& r : rows) {
    const ToolOutput out = RunTool(r.args);
    ASSERT_EQ(out.status, 0) << out.err;
    const auto records = tavenko::testing::ParseCsv(out.out);
    ASSERT_EQ(records.size(), r.rows + 1) << r.args[0];
    EXPECT_EQ(records[1][0], r.first);
    EXPECT_EQ(records.back()[0], r.last);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetToolError,
    ::testing::Values(
        ErrorRow{"StepZero",
                 {"BitBtn1", "--vary", "income", "--step", "0"},
                 "所得金額の刻みは 1 以上にしてください（0）"},
        ErrorRow{"FractionalCount",
                 {"BitBtn17", "--vary", "children", "--step", "0.5"},
                 "子の数の刻みは整数にしてください"},
        ErrorRow{"TooManyRows",
                 {"BitBtn1", "--vary", "income", "--from", "0", "--to", "999999999999", "--step", "1"},
                 "上限の 100,000 行を超えます"},
        ErrorRow{"FigureNotRead", {"BitBtn1", "--vary", "profit"}, "一般所得税は利益金額を使いません"},
        ErrorRow{"UnknownFigure", {"BitBtn1", "--vary", "salary"}, "--vary takes income, deductions"},
        ErrorRow{"VaryWithoutFigure", {"BitBtn1", "--vary"}, "--vary needs a value"},
        ErrorRow{"FixedAndVaried",
                 {"BitBtn1", "--income", "500", "--vary", "income"},
                 "--income is the varied figure"},
        ErrorRow{"RangeWithoutVary", {"BitBtn1", "--from", "100"}, "option --from needs --vary"},
        ErrorRow{"CsvWithoutVary", {"BitBtn1", "--csv"}, "option --csv needs --vary"},
        ErrorRow{
            "NotANumber", {"BitBtn1", "--vary", "income", "--to", "1e3"}, "--to takes a number: \"1e3\""},
        ErrorRow{
            "StepTwice", {"BitBtn1", "--vary", "income", "--step", "1", "--step=2"}, "--step given twice"}),
    [](const auto& info) { return std::string(info.param.name); });

// The published quick-reference table of inheritance tax: a spouse and one to
// four children, the spouse taking the statutory half and the spouse's
// reduction, so the family pays the children's tax (合計納税額, the fifth
// result). One command per column gives it from 5,000万 to 30億 by 5,000万.
TEST(SheetToolTable, ReproducesThePublishedInheritanceTable) {
  struct Row {
    long estate;                     // 万円
    std::array<const char*, 4> tax;  // yen, for one to four children
  };
  const Row published[] = {
      {5000, {"400,000", "100,000", "0", "0"}},
      {10000, {"3,850,000", "3,150,000", "2,625,000", "2,250,000"}},
      {20000, {"16,700,000", "13,500,000", "12,175,000", "11,250,000"}},
      {30000, {"34,600,000", "28,600,000", "25,400,000", "23,500,000"}},
      {50000, {"76,050,000", "65,550,000", "59,625,000", "55,000,000"}},
      {100000, {"197,500,000", "178,100,000", "166,350,000", "156,500,000"}},
      {300000, {"741,450,000", "703,800,000", "674,325,000", "651,750,000"}},
      // A third of a share that is not a whole yen: the click rounds it to
      // the yen and the field keeps whole hundreds of yen, where the
      // published table truncates the share to 1,000 yen first (1,800万).
      {25000, {"24,600,000", "19,850,000", "17,999,900", "16,875,000"}},
  };
  for (int children = 1; children <= 4; ++children) {
    const std::string count = std::to_string(children);
    const ToolOutput out = RunTool({"1/2", "--yen", "--children", count, "--vary", "value", "--from",
                                    "50000000", "--to", "3000000000", "--step", "50000000", "--csv"});
    ASSERT_EQ(out.status, 0) << out.err;
    const auto records = tavenko::testing::ParseCsv(out.out);
    ASSERT_EQ(records.size(), 61u);
    EXPECT_EQ(records[0][5], "合計納税額");
    for (const Row& r : published) {
      const auto& record = records[r.estate / 5000];
      EXPECT_EQ(record[0], tavenko::FormatFixed(r.estate * 10000.0L, 0, true));
      EXPECT_EQ(record[5], r.tax[children - 1]) << r.estate << "万円, " << children << " children";
    }
  }
}

TEST(SheetToolTable, HelpNamesTheTableOptionsAndEveryFigure) {
  const std::string help = RunTool({"--help"}).out;
  for (const char* text :
       {"--vary FIGURE", "--from", "--to", "--step", "--csv", "100,000 rows", "Exit status 2"})
    EXPECT_NE(help.find(text), std::string::npos) << text;
  for (const auto& f : tavenko::face::InputFields()) {
    EXPECT_NE(help.find("--" + std::string(f.key) + " "), std::string::npos) << f.key;
    EXPECT_NE(help.find(f.name), std::string::npos) << f.name;
  }
}

TEST(SheetTool, VersionIsPrintedInsteadOfTheSheet) {
  const std::vector<std::vector<std::string_view>> commandLines = {
      {"--version"}, {"BitBtn1", "--income", "800", "--version"}};
  for (const auto& args : commandLines) {
    const ToolOutput out = RunTool(args);
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.out, "tavenko-sheet " + std::string(tavenko::kVersion) + "\n");
    EXPECT_EQ(out.err, "");
  }
  EXPECT_STRNE(tavenko::kVersion, "");
}

// The installed program, as a script calls it.
TEST(SheetToolProgram, PrintsTheJsonAndReportsErrors) {
  const char* tool = std::getenv("TAVENKO_SHEET");
  if (!tool) GTEST_SKIP() << "TAVENKO_SHEET is not set";
  const auto dir = std::filesystem::temp_directory_path();
  const auto outPath = dir / "tavenko-sheet-test.out";
  const auto errPath = dir / "tavenko-sheet-test.err";
  const auto run = [&](const std::string& args) {
    const std::string command =
        std::string("'") + tool + "' " + args + " >'" + outPath.string() + "' 2>'" + errPath.string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  const auto slurp = [](const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };

  EXPECT_EQ(run("一般所得税 --income 800 --deductions 200"), 0);
  EXPECT_EQ(slurp(outPath), kOrdinaryExample);
  EXPECT_EQ(slurp(errPath), "");

  EXPECT_EQ(run("BitBtn1 --income abc"), 2);
  EXPECT_EQ(slurp(outPath), "");
  EXPECT_NE(slurp(errPath).find("--income"), std::string::npos);

  // A table as CSV: UTF-8 from its first byte, no byte-order mark.
  EXPECT_EQ(run("一般所得税 --deductions 150 --vary income --from 800 --to 1000 --step 200 --csv"), 0);
  EXPECT_EQ(slurp(outPath),
            "所得金額,課税所得,所得税,地方税,事業税,税金合計,平均,上積\r\n"
            "800,650,89,65,0,154,19.3,32.1\r\n"
            "\"1,000\",850,135,85,0,220,22.0,38.6\r\n");
  EXPECT_EQ(slurp(errPath), "");

  EXPECT_EQ(run("一般所得税 --vary income --step 0 --csv"), 2);
  EXPECT_EQ(slurp(outPath), "");
  EXPECT_EQ(slurp(errPath), "tavenko-sheet: 所得金額の刻みは 1 以上にしてください（0）\n");
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
}

}  // namespace
