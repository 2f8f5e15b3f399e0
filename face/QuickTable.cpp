#include "face/QuickTable.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "calc/SheetSteps.h"
#include "core/NumberText.h"

namespace tavenko::face {

using calc::MainCase;
using calc::MainInputs;

namespace {

// ---- Families of buttons: the figures they read and the range they start from

struct Span {
  Extended from;
  Extended to;
  Extended step;
};

struct CaseFamily {
  std::array<std::string_view, 6> buttons;  // unused places stay empty
  std::span<const Figure> reads;
  Figure varied;
  Span span;  // amounts in 万円
};

constexpr Figure kIncomeAndDeductions[] = {Figure::Income, Figure::Deductions};
constexpr Figure kWithServiceYears[] = {Figure::Income, Figure::Deductions, Figure::Years};
constexpr Figure kProfitOnly[] = {Figure::Profit};
constexpr Figure kValueOnly[] = {Figure::Value};
constexpr Figure kEstateAndChildren[] = {Figure::Value, Figure::Children};
constexpr Figure kEstateAndParents[] = {Figure::Value, Figure::Parents};
constexpr Figure kEstateAndSiblings[] = {Figure::Value, Figure::Siblings};

constexpr Span kIncomeSpan{100, 5000, 100};
constexpr Span kEstateSpan{5000, 100000, 5000};

constexpr CaseFamily kFamilies[] = {
    {{"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn5"}, kIncomeAndDeductions, Figure::Income, kIncomeSpan},
    {{"BitBtn4"}, kWithServiceYears, Figure::Income, kIncomeSpan},
    // An officer's allowance is often larger than an employee's.
    {{"BitBtn28"}, kWithServiceYears, Figure::Income, {100, 10000, 100}},
    {{"BitBtn6", "BitBtn7", "BitBtn8", "BitBtn9", "BitBtn10", "BitBtn11"},
     kIncomeAndDeductions,
     Figure::Income,
     kIncomeSpan},
    {{"BitBtn12", "BitBtn13"}, kProfitOnly, Figure::Profit, kIncomeSpan},
    {{"BitBtn15", "BitBtn29"}, kValueOnly, Figure::Value, {100, 10000, 100}},
    {{"BitBtn16", "BitBtn17"}, kEstateAndChildren, Figure::Value, kEstateSpan},
    {{"BitBtn18", "BitBtn19"}, kEstateAndParents, Figure::Value, kEstateSpan},
    {{"BitBtn20", "BitBtn21"}, kEstateAndSiblings, Figure::Value, kEstateSpan},
};

// Every figure: a button's figures that are not its family's own start here.
constexpr Span FigureSpan(Figure figure) {
  switch (figure) {
    case Figure::Income: return kIncomeSpan;
    case Figure::Deductions: return {0, 1000, 50};
    case Figure::Profit: return kIncomeSpan;
    case Figure::Value: return {100, 10000, 100};
    case Figure::Children:
    case Figure::Parents:
    case Figure::Siblings: return {1, 6, 1};
    case Figure::Years: return {1, 40, 1};
  }
  return kIncomeSpan;
}

const CaseFamily* FamilyOf(const MainCase& button) {
  for (const CaseFamily& family : kFamilies)
    for (std::string_view b : family.buttons)
      if (!b.empty() && b == button.button) return &family;
  return nullptr;
}

// ---- Messages -------------------------------------------------------------------

// A figure as the user typed it: grouped when whole, as it stands otherwise.
std::string Typed(Extended x) { return x == Int(x) ? FormatFixed(x, 0, true) : FormatGeneral(x); }

// The largest figure a field of `digits` digits without decimals holds.
Extended FieldLimit(int digits) { return std::pow(10.0L, digits) - 1; }

// Takes one blank (ASCII or ideographic) off the front or the back of `text`.
bool StripBlank(std::string_view& text, bool front) {
  for (const std::string_view blank : {std::string_view(" "), std::string_view("\u3000")}) {
    if (front ? text.starts_with(blank) : text.ends_with(blank)) {
      front ? text.remove_prefix(blank.size()) : text.remove_suffix(blank.size());
      return true;
    }
  }
  return false;
}

// A caption without the blanks that place it above its field.
std::string_view TrimBlanks(std::string_view text) {
  while (StripBlank(text, true)) {
  }
  while (StripBlank(text, false)) {
  }
  return text;
}

}  // namespace

std::span<const Figure> FiguresRead(const MainCase& button) {
  static constexpr Figure kEveryFigure[] = {Figure::Income,   Figure::Deductions, Figure::Profit,
                                            Figure::Value,    Figure::Children,   Figure::Parents,
                                            Figure::Siblings, Figure::Years};
  const CaseFamily* family = FamilyOf(button);
  return family ? family->reads : kEveryFigure;
}

QuickRange DefaultRange(const MainCase& button, AmountUnit unit) {
  const CaseFamily* family = FamilyOf(button);
  return DefaultRange(button, family ? family->varied : Figure::Income, unit);
}

QuickRange DefaultRange(const MainCase& button, Figure figure, AmountUnit unit) {
  const CaseFamily* family = FamilyOf(button);
  const Span span = family && family->varied == figure ? family->span : FigureSpan(figure);
  const Extended scale = InputField(figure).money && unit == AmountUnit::Yen ? kYenPerMan : 1;
  return {figure, span.from * scale, span.to * scale, span.step * scale};
}

std::optional<std::string> RangeProblem(const MainCase& button, const QuickRange& range) {
  const MainField& field = InputField(range.figure);
  const std::string figure(field.caption);
  const std::span<const Figure> reads = FiguresRead(button);
  if (std::find(reads.begin(), reads.end(), range.figure) == reads.end())
    return std::string(button.caption) + "は" + figure + "を使いません";

  struct Bound {
    std::string name;  // "所得金額の開始"
    Extended value;
  };
  const Bound from{figure + "の開始", range.from}, to{figure + "の終了", range.to},
      step{figure + "の刻み", range.step};
  for (const Bound& b : {from, to, step}) {
    if (!std::isfinite(b.value)) return b.name + "が数ではありません";
    if (b.value != Int(b.value)) return b.name + "は整数にしてください（" + Typed(b.value) + "）";
    if (b.value < 0) return b.name + "にマイナスは使えません（" + Typed(b.value) + "）";
  }
  if (step.value < 1) return step.name + "は 1 以上にしてください（" + Typed(step.value) + "）";
  if (from.value > to.value)
    return from.name + "（" + Typed(from.value) + "）が終了（" + Typed(to.value) + "）を超えています";
  const int digits = field.settings.maxDigits;
  for (const Bound& b : {to, step})
    if (b.value > FieldLimit(digits))
      return b.name + "（" + Typed(b.value) + "）が" + std::to_string(digits) + "桁を超えています";
  const Extended rows = Int((to.value - from.value) / step.value) + 1;
  if (rows > kMaxQuickRows)
    return "行数が " + Typed(rows) + " 行になり、上限の " + Typed(kMaxQuickRows) + " 行を超えます";
  return std::nullopt;
}

QuickTable::QuickTable(const MainCase& button, const MainInputs& inputs, const QuickRange& range,
                       std::optional<law::EditionId> compareWith)
    : button_(&button), inputs_(inputs), range_(range), compareWith_(compareWith) {
  if (auto problem = RangeProblem(button, range)) throw RangeRefused(*problem);
  const auto count = static_cast<std::size_t>(Int((range.to - range.from) / range.step)) + 1;
  rows_.reserve(count);
  captions_.resize(ColumnCount());
  for (std::size_t i = 0; i < count; ++i) {
    calc::MainSheet sheet = button.compute(RowInputs(i));
    if (i == 0) {
      captions_[0] = VariedField().caption;
      for (int c = 0; c < calc::kResultCount; ++c) {
        const std::string_view own = TrimBlanks(sheet.captions[c]);
        captions_[1 + c] = own.empty() ? ResultField(c).caption : own;
      }
    }
    Row row{sheet.results, std::move(sheet.messages)};
    if (compareWith_) {
      MainInputs other = RowInputs(i);
      other.edition = *compareWith_;
      row.comparedTotal = button.compute(other).results[calc::kTotalField];
    }
    rows_.push_back(std::move(row));
  }
  if (compareWith_) {
    captions_[kComparedTotalColumn] =
        captions_[1 + calc::kTotalField] + "（" + std::string(law::EditionOf(*compareWith_).name) + "）";
    captions_[kDifferenceColumn] = "差額";
  }
}

Extended QuickTable::FigureAt(std::size_t row) const {
  return range_.from + static_cast<Extended>(row) * range_.step;
}

MainInputs QuickTable::RowInputs(std::size_t row) const {
  MainInputs in = inputs_;
  in.*VariedField().input = FigureAt(row);
  return in;
}

calc::MainSheet QuickTable::Sheet(std::size_t row) const { return button_->compute(RowInputs(row)); }

bool QuickTable::AllValid() const {
  for (const Row& r : rows_)
    if (!r.messages.empty()) return false;
  return true;
}

Extended QuickTable::Value(std::size_t row, int column) const {
  assert(column >= 0 && column < ColumnCount());
  if (column == 0) return FigureAt(row);
  if (column == kComparedTotalColumn) return rows_[row].comparedTotal;
  if (column == kDifferenceColumn) return rows_[row].comparedTotal - rows_[row].results[calc::kTotalField];
  return rows_[row].results[column - 1];
}

const MainField& QuickTable::ColumnField(int column) const {
  assert(column >= 0 && column < ColumnCount());
  if (column == 0) return VariedField();
  return ResultField(column < kResultColumns ? column - 1 : calc::kTotalField);
}

std::string QuickTable::Text(std::size_t row, int column) const {
  return ShownText(ColumnField(column), Value(row, column));
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char ch : text) {
    if (ch == '"') quoted += '"';
    quoted += ch;
  }
  return quoted + "\"";
}

std::string TsvField(std::string_view text) {
  std::string field(text);
  std::replace_if(
      field.begin(), field.end(), [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; }, ' ');
  return field;
}

std::string QuickTable::Records(char separator, std::string (*field)(std::string_view),
                                std::string_view lineEnd) const {
  std::string text;
  const auto addRecord = [&](const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i) text += separator;
      text += field(fields[i]);
    }
    text += lineEnd;
  };

  const bool withMessages = !AllValid();
  std::vector<std::string> fields(captions_.begin(), captions_.end());
  if (withMessages) fields.emplace_back(kMessagesCaption);
  addRecord(fields);
  for (std::size_t row = 0; row < RowCount(); ++row) {
    for (int c = 0; c < ColumnCount(); ++c) fields[c] = Text(row, c);
    if (withMessages) {
      std::string& messages = fields.back();
      messages.clear();
      for (const std::string& m : Messages(row)) {
        if (!messages.empty()) messages += '\n';
        messages += m;
      }
    }
    addRecord(fields);
  }
  return text;
}

std::string QuickTable::Csv() const { return Records(',', CsvField, "\r\n"); }

std::string QuickTable::Tsv() const { return Records('\t', TsvField, "\n"); }

}  // namespace tavenko::face
