// tavenko-sheet: the JSON of one click, the field texts, and the usage errors,
// in process and as the installed program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <string>
#include <vector>

#include "SheetTool.h"

using namespace tavenko::sheettool;

namespace {

ToolOutput RunTool(std::vector<std::string_view> args) { return RunSheetTool(args); }

const char* const kOrdinaryExample = R"({
  "button": "BitBtn1",
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
        ErrorRow{"HugeFigure", {"BitBtn1", "--income", kHundredThousandDigits},
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
        ErrorRow{"FlagWithValue", {"BitBtn1", "--yen=1"}, "--yen takes no value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SheetTool, LargestFiguresAreAccepted) {
  EXPECT_EQ(RunTool({"BitBtn1", "--income", "999999999999", "--children", "99", "--years", "000012"}).status, 0);
}

TEST(SheetTool, HelpListsEveryCase) {
  const ToolOutput out = RunTool({"--help"});
  EXPECT_EQ(out.status, 0);
  for (const auto& c : tavenko::calc::MainCases()) {
    EXPECT_NE(out.out.find(std::string(c.button) + " "), std::string::npos);
    EXPECT_NE(out.out.find(c.caption), std::string::npos);
  }
}

// The installed program, as a script calls it.
TEST(SheetToolProgram, PrintsTheJsonAndReportsErrors) {
  const char* tool = std::getenv("TAVENKO_SHEET");
  if (!tool) GTEST_SKIP() << "TAVENKO_SHEET is not set";
  const auto dir = std::filesystem::temp_directory_path();
  const auto outPath = dir / "tavenko-sheet-test.out";
  const auto errPath = dir / "tavenko-sheet-test.err";
  const auto run = [&](const std::string& args) {
    const std::string command = std::string("'") + tool + "' " + args + " >'" + outPath.string() +
                                "' 2>'" + errPath.string() + "'";
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
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
}

}  // namespace
