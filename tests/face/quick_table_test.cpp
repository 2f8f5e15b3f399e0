// The quick-reference table: every row is the click of its inputs, the
// captions and the CSV text, the ranges that are refused and the ranges each
// family starts from.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "calc/MainSheet.h"
#include "calc/SheetSteps.h"
#include "face/QuickTable.h"
#include "tests/face/csv_reader.h"

using namespace tavenko;
using namespace tavenko::face;
using calc::MainInputs;

namespace {

const calc::MainCase& Button(std::string_view name) {
  const calc::MainCase* c = calc::FindMainCase(name);
  if (!c) throw std::invalid_argument("no button " + std::string(name));
  return *c;
}

// Figures every row keeps, chosen so that each family computes something.
MainInputs Typed(AmountUnit unit) {
  const Extended money = unit == AmountUnit::Yen ? kYenPerMan : 1;
  MainInputs in;
  in.income = 1200 * money;
  in.deductions = 150 * money;
  in.profit = 2500 * money;
  in.value = 30000 * money;
  in.children = 2;
  in.parents = 1;
  in.siblings = 3;
  in.years = 25;
  in.unit = unit;
  return in;
}

struct RangeRow {
  const char* name;
  const char* button;
  QuickRange range;
  // Where the varied figure goes, written out here rather than taken from
  // the field table.
  std::function<void(MainInputs&, Extended)> set;
  AmountUnit unit = AmountUnit::Man;
  std::size_t rows;
};

void PrintTo(const RangeRow& r, std::ostream* os) { *os << r.name; }

const auto kSetIncome = [](MainInputs& in, Extended v) { in.income = v; };
const auto kSetDeductions = [](MainInputs& in, Extended v) { in.deductions = v; };
const auto kSetProfit = [](MainInputs& in, Extended v) { in.profit = v; };
const auto kSetValue = [](MainInputs& in, Extended v) { in.value = v; };
const auto kSetChildren = [](MainInputs& in, Extended v) { in.children = v; };
const auto kSetParents = [](MainInputs& in, Extended v) { in.parents = v; };
const auto kSetSiblings = [](MainInputs& in, Extended v) { in.siblings = v; };
const auto kSetYears = [](MainInputs& in, Extended v) { in.years = v; };
constexpr AmountUnit kYen = AmountUnit::Yen;

class RowsAreClicks : public ::testing::TestWithParam<RangeRow> {};

TEST_P(RowsAreClicks, EveryRowEqualsTheClickOfItsInputs) {
  const RangeRow& r = GetParam();
  const calc::MainCase& button = Button(r.button);
  const QuickTable table(button, Typed(r.unit), r.range);
  ASSERT_EQ(table.RowCount(), r.rows);

  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    MainInputs in = Typed(r.unit);
    const Extended figure = r.range.from + row * r.range.step;
    r.set(in, figure);
    const calc::MainSheet click = button.compute(in);

    EXPECT_EQ(table.FigureAt(row), figure);
    EXPECT_EQ(table.Results(row), click.results);
    EXPECT_EQ(table.Messages(row), click.messages);
    EXPECT_EQ(table.Valid(row), click.messages.empty());
    EXPECT_EQ(table.Sheet(row).log, click.log);
    EXPECT_EQ(table.Value(row, 0), figure);
    EXPECT_EQ(table.Text(row, 0), ShownText(table.VariedField(), figure));
    for (int c = 0; c < calc::kResultCount; ++c) {
      EXPECT_EQ(table.Value(row, 1 + c), click.results[c]);
      EXPECT_EQ(table.Text(row, 1 + c), ShownText(ResultField(c), click.results[c]));
    }
  }
}

// A comparison: every row adds the total of the same click under the other
// edition and the difference, shown as the total is, and the CSV carries them.
TEST(QuickTableComparison, AddsTheOtherEditionsTotalAndTheDifference) {
  const calc::MainCase& button = Button("BitBtn13");
  MainInputs in = Typed(AmountUnit::Man);
  in.edition = law::EditionId::Heisei29;
  const QuickTable table(button, in, {Figure::Profit, 500, 1500, 500}, law::EditionId::Reiwa7);
  ASSERT_EQ(table.ColumnCount(), QuickTable::kDifferenceColumn + 1);
  EXPECT_EQ(table.Captions()[QuickTable::kComparedTotalColumn], "税金合計（令和7年分）");
  EXPECT_EQ(table.Captions()[QuickTable::kDifferenceColumn], "差額");
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    MainInputs other = table.RowInputs(row);
    other.edition = law::EditionId::Reiwa7;
    const Extended otherTotal = button.compute(other).results[calc::kTotalField];
    EXPECT_EQ(table.Value(row, QuickTable::kComparedTotalColumn), otherTotal);
    EXPECT_EQ(table.Value(row, QuickTable::kDifferenceColumn), otherTotal - table.Results(row)[calc::kTotalField]);
  }
  // Profit 1,000 万円: 287.7364 under 平成29年版, 269.5912 under 令和7年分.
  EXPECT_EQ(table.Text(1, QuickTable::kDifferenceColumn), "-18");
  EXPECT_NE(table.Csv().find("税金合計（令和7年分）,差額\r\n"), std::string::npos);
  EXPECT_EQ(QuickTable(button, in, {Figure::Profit, 500, 1500, 500}).ColumnCount(), QuickTable::kResultColumns);
}

INSTANTIATE_TEST_SUITE_P(
    Families, RowsAreClicks,
    ::testing::Values(
        RangeRow{"OrdinaryIncome", "BitBtn1", {Figure::Income, 0, 3000, 250}, kSetIncome, {}, 13},
        RangeRow{"SalaryDeductions", "給与所得", {Figure::Deductions, 0, 1000, 100}, kSetDeductions, {}, 11},
        RangeRow{
            "BusinessInYen", "BitBtn3", {Figure::Income, 1000000, 9000000, 1234567}, kSetIncome, kYen, 7},
        RangeRow{"RetirementYearsAcrossTwenty", "BitBtn4", {Figure::Years, 18, 22, 1}, kSetYears, {}, 5},
        RangeRow{"OfficerYearsFromNone", "役員", {Figure::Years, 0, 6, 1}, kSetYears, {}, 7},
        RangeRow{"OccasionalInYen", "BitBtn5", {Figure::Income, 0, 3000000, 500000}, kSetIncome, kYen, 7},
        RangeRow{"LongTermTransfer", "BitBtn6", {Figure::Income, 100, 5000, 700}, kSetIncome, {}, 8},
        RangeRow{"SuperiorLandAcrossTheBand", "優", {Figure::Income, 2000, 2300, 50}, kSetIncome, {}, 7},
        // clang-format off
        RangeRow{"ResidenceOverTenYearsInYen", "BitBtn11",
                 {Figure::Income, 29000000, 95000000, 11000000}, kSetIncome, kYen, 7},
        RangeRow{"LargeCompany", "BitBtn12", {Figure::Profit, 0, 1200, 200}, kSetProfit, {}, 7},
        RangeRow{"SmallCompanyInYen", "BitBtn13",
                 {Figure::Profit, 3000000, 12000000, 3000000}, kSetProfit, kYen, 4},
        RangeRow{"GiftGeneral", "BitBtn15", {Figure::Value, 0, 1000, 110}, kSetValue, {}, 10},
        RangeRow{"GiftFromAscendantInYen", "贈（尊属）",
                 {Figure::Value, 1000000, 50000000, 7000000}, kSetValue, kYen, 8},
        RangeRow{"EstateWithChildren", "BitBtn16", {Figure::Value, 5000, 60000, 5000}, kSetValue, {}, 12},
        RangeRow{"ChildrenFromNone", "1/2", {Figure::Children, 0, 6, 1}, kSetChildren, {}, 7},
        RangeRow{"EstateWithParentsInYen", "BitBtn18",
                 {Figure::Value, 100000000, 500000000, 100000000}, kSetValue, kYen, 5},
        // clang-format on
        RangeRow{"Parents", "2/3", {Figure::Parents, 1, 2, 1}, kSetParents, {}, 2},
        RangeRow{"SiblingsInYen", "BitBtn20", {Figure::Siblings, 1, 6, 1}, kSetSiblings, kYen, 6},
        RangeRow{"EstateWithSiblings", "3/4", {Figure::Value, 10000, 40000, 10000}, kSetValue, {}, 4},
        RangeRow{"EndBetweenSteps", "BitBtn1", {Figure::Income, 100, 1050, 300}, kSetIncome, {}, 4},
        RangeRow{"OneRow", "BitBtn2", {Figure::Income, 800, 800, 100}, kSetIncome, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// A click that finds no years of service clears a years figure above 99 and
// computes with none; the next row must still start from the typed years.
TEST(QuickTable, NoRowInheritsWhatTheClickBeforeItDid) {
  MainInputs in = Typed(AmountUnit::Man);
  const QuickTable byYears(Button("BitBtn4"), in, {Figure::Years, 98, 102, 1});
  std::vector<bool> valid;
  for (std::size_t row = 0; row < byYears.RowCount(); ++row) valid.push_back(byYears.Valid(row));
  EXPECT_EQ(valid, std::vector<bool>({true, true, false, false, false}));

  in.years = 120;
  const QuickTable byIncome(Button("BitBtn4"), in, {Figure::Income, 1000, 1300, 100});
  for (std::size_t row = 0; row < byIncome.RowCount(); ++row) {
    EXPECT_EQ(byIncome.Messages(row), std::vector<std::string>{"勤続年数を入力してください"}) << row;
    EXPECT_EQ(byIncome.RowInputs(row).years, 120) << row;
  }
  EXPECT_FALSE(byIncome.AllValid());
}

TEST(QuickTable, CaptionsAreTheButtonsOwnWithTheUsualOnesWhereItLeavesNone) {
  struct Row {
    const char* button;
    Figure figure;
    std::vector<std::string> captions;
  };
  const Row rows[] = {
      {"BitBtn1",
       Figure::Income,
       {"所得金額", "課税所得", "所得税", "地方税", "事業税", "税金合計", "平均", "上積"}},
      {"BitBtn3",
       Figure::Deductions,
       {"所得控除額", "課税所得", "所得税", "地方税", "事業税", "税金合計", "平均", "上積"}},
      {"BitBtn13",
       Figure::Profit,
       {"利益金額", "課税所得", "法人税", "地方税", "事業税", "税金合計", "平均", "上積"}},
      {"BitBtn15",
       Figure::Value,
       {"評価額", "課税所得", "贈与税", "地方税", "事業税", "税金合計", "平均", "上積"}},
      {"BitBtn21",
       Figure::Siblings,
       {"兄弟の数", "課税所得", "妻の税額", "兄弟の税額", "配偶者軽減", "合計納税額", "平均", "上積"}},
      {"BitBtn28",
       Figure::Years,
       {"勤続年数", "課税所得", "所得税", "地方税", "事業税", "税金合計", "平均", "上積"}},
  };
  for (const Row& r : rows) {
    const QuickRange range = DefaultRange(Button(r.button), r.figure, AmountUnit::Man);
    EXPECT_EQ(QuickTable(Button(r.button), Typed(AmountUnit::Man), range).Captions(), r.captions) << r.button;
  }
}

// ---- CSV ------------------------------------------------------------------------

TEST(QuickTableCsv, ReadsBackAsTheCaptionsAndTheShownTexts) {
  struct Row {
    const char* name;
    const char* button;
    QuickRange range;
    AmountUnit unit;
  };
  const Row rows[] = {
      {"grouped figures", "BitBtn2", {Figure::Income, 100, 100000, 9990}, AmountUnit::Man},
      {"yen figures", "BitBtn16", {Figure::Value, 50000000, 3000000000, 250000000}, AmountUnit::Yen},
      {"messages", "BitBtn17", {Figure::Children, 0, 3, 1}, AmountUnit::Man},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const QuickTable table(Button(r.button), Typed(r.unit), r.range);
    const std::string csv = table.Csv();
    EXPECT_FALSE(csv.starts_with(kUtf8ByteOrderMark));
    const auto records = tavenko::testing::ParseCsv(csv);
    ASSERT_EQ(records.size(), table.RowCount() + 1);

    std::vector<std::string> header(table.Captions().begin(), table.Captions().end());
    if (!table.AllValid()) header.emplace_back(kMessagesCaption);
    EXPECT_EQ(records[0], header);
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
      std::vector<std::string> expected;
      for (int c = 0; c < table.ColumnCount(); ++c) expected.push_back(table.Text(row, c));
      if (!table.AllValid()) expected.push_back(table.Valid(row) ? "" : table.Messages(row).front());
      EXPECT_EQ(records[row + 1], expected) << "row " << row;
    }
  }
}

TEST(QuickTableCsv, QuotesWhatWouldSplitOrEndAField) {
  struct Row {
    std::string_view text;
    std::string_view field;
  };
  const Row rows[] = {
      {"1,234", "\"1,234\""},
      {"1234", "1234"},
      {"17.4", "17.4"},
      {"", ""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"課税所得", "課税所得"},
  };
  for (const Row& r : rows) EXPECT_EQ(CsvField(r.text), r.field) << r.text;
}

// A paste splits at tabs and line ends only: every line holds the fields of
// its CSV record, grouped figures and the messages column included.
TEST(QuickTableTsv, HoldsTheCsvFieldsOneLineARecord) {
  struct Row {
    const char* name;
    const char* button;
    QuickRange range;
  };
  const Row rows[] = {
      {"grouped figures", "BitBtn2", {Figure::Income, 100, 100000, 9990}},
      {"messages", "BitBtn17", {Figure::Children, 0, 3, 1}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const QuickTable table(Button(r.button), Typed(AmountUnit::Man), r.range);
    const auto records = tavenko::testing::ParseCsv(table.Csv());
    std::vector<std::vector<std::string>> lines;
    std::string tsv = table.Tsv();
    ASSERT_TRUE(tsv.ends_with('\n'));
    for (std::size_t start = 0, end; (end = tsv.find('\n', start)) != std::string::npos; start = end + 1) {
      std::vector<std::string> fields;
      const std::string line = tsv.substr(start, end - start);
      for (std::size_t from = 0;;) {
        const std::size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab - from));
        if (tab == std::string::npos) break;
        from = tab + 1;
      }
      lines.push_back(fields);
    }
    ASSERT_EQ(lines.size(), records.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::vector<std::string> flattened = records[i];
      for (std::string& f : flattened) f = TsvField(f);
      EXPECT_EQ(lines[i], flattened) << "line " << i;
    }
  }
}

TEST(QuickTableTsv, BlanksWhatWouldSplitAFieldOrALine) {
  const std::pair<std::string_view, std::string_view> rows[] = {
      {"1,234", "1,234"}, {"a\tb", "a b"}, {"two\nlines", "two lines"}, {"cr\r\nlf", "cr  lf"}, {"", ""},
  };
  for (const auto& [text, field] : rows) EXPECT_EQ(TsvField(text), field) << text;
}

// ---- Refused ranges ----------------------------------------------------------

struct RefusedRow {
  const char* name;
  const char* button;
  QuickRange range;
  const char* message;  // the one line the user reads; "" when the range is accepted
};

void PrintTo(const RefusedRow& r, std::ostream* os) { *os << r.name; }

class Ranges : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(Ranges, AreRefusedWithOneLineOrTabled) {
  const RefusedRow& r = GetParam();
  const auto problem = RangeProblem(Button(r.button), r.range);
  if (*r.message == '\0') {
    EXPECT_EQ(problem, std::nullopt);
    return;
  }
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(*problem, r.message);
  EXPECT_THROW(
      {
        try {
          QuickTable(Button(r.button), Typed(AmountUnit::Man), r.range);
        } catch (const RangeRefused& e) {
          EXPECT_EQ(std::string(e.what()), r.message);
          throw;
        }
      },
      RangeRefused);
}

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr Extended kInfinity = std::numeric_limits<Extended>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Refused, Ranges,
    ::testing::Values(
        RefusedRow{"StepZero",
                   "BitBtn1",
                   {Figure::Income, 100, 500, 0},
                   "所得金額の刻みは 1 以上にしてください（0）"},
        RefusedRow{"StepNegative",
                   "BitBtn1",
                   {Figure::Income, 100, 500, -100},
                   "所得金額の刻みにマイナスは使えません（-100）"},
        RefusedRow{"StartAfterEnd",
                   "BitBtn12",
                   {Figure::Profit, 5000, 100, 100},
                   "利益金額の開始（5,000）が終了（100）を超えています"},
        RefusedRow{"NegativeStart",
                   "BitBtn15",
                   {Figure::Value, -100, 100, 100},
                   "評価額の開始にマイナスは使えません（-100）"},
        RefusedRow{"FractionalCount",
                   "BitBtn16",
                   {Figure::Children, 1, 6, 0.5L},
                   "子の数の刻みは整数にしてください（0.5）"},
        RefusedRow{"FractionalAmount",
                   "BitBtn1",
                   {Figure::Deductions, 10.25L, 20, 1},
                   "所得控除額の開始は整数にしてください（10.25）"},
        RefusedRow{
            "NotANumber", "BitBtn1", {Figure::Income, 100, kNaN, 1}, "所得金額の終了が数ではありません"},
        RefusedRow{
            "Infinite", "BitBtn1", {Figure::Income, 100, 200, kInfinity}, "所得金額の刻みが数ではありません"},
        RefusedRow{"ThirteenDigitAmount",
                   "BitBtn1",
                   {Figure::Income, 1, 1000000000000, 1000000},
                   "所得金額の終了（1,000,000,000,000）が12桁を超えています"},
        RefusedRow{"ThirteenDigitStep",
                   "BitBtn1",
                   {Figure::Income, 1, 1, 1000000000000},
                   "所得金額の刻み（1,000,000,000,000）が12桁を超えています"},
        RefusedRow{"ThreeDigitCount",
                   "BitBtn20",
                   {Figure::Siblings, 1, 100, 1},
                   "兄弟の数の終了（100）が2桁を超えています"},
        RefusedRow{"TooManyRows",
                   "BitBtn1",
                   {Figure::Income, 0, 100000, 1},
                   "行数が 100,001 行になり、上限の 100,000 行を超えます"},
        RefusedRow{"FigureTheButtonDoesNotRead",
                   "BitBtn1",
                   {Figure::Profit, 100, 500, 100},
                   "一般所得税は利益金額を使いません"},
        RefusedRow{
            "AnotherOrdersHeirs", "BitBtn16", {Figure::Parents, 1, 2, 1}, "相続税（子）は親の数を使いません"},
        RefusedRow{
            "YearsOfAnIncomeCase", "BitBtn3", {Figure::Years, 1, 40, 1}, "事業所得は勤続年数を使いません"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Accepted, Ranges,
    ::testing::Values(
        RefusedRow{"AHundredThousandRows", "BitBtn1", {Figure::Income, 1, 100000, 1}, ""},
        RefusedRow{"TwelveDigitAmount", "BitBtn15", {Figure::Value, 0, 999999999999, 999999999999}, ""},
        RefusedRow{"NinetyNineHeirs", "BitBtn18", {Figure::Parents, 99, 99, 99}, ""},
        RefusedRow{"StepLargerThanTheRange", "BitBtn28", {Figure::Years, 0, 5, 100}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Where each family starts ----------------------------------------------

TEST(QuickTableDefaults, EveryButtonStartsFromARangeItCanTable) {
  for (const calc::MainCase& button : calc::MainCases()) {
    for (AmountUnit unit : {AmountUnit::Man, AmountUnit::Yen}) {
      const QuickRange range = DefaultRange(button, unit);
      EXPECT_EQ(RangeProblem(button, range), std::nullopt) << button.caption;
      for (Figure figure : FiguresRead(button))
        EXPECT_EQ(RangeProblem(button, DefaultRange(button, figure, unit)), std::nullopt)
            << button.caption << " " << InputField(figure).key;
    }
  }
}

}  // namespace
