#include "face/MainFields.h"

#include <array>
#include <cassert>

namespace tavenko::face {

using calc::MainInputs;
using field::FieldSettings;

namespace {

// Inputs: no negatives, no decimals, Delete clears the whole field, zero shows
// "0", Enter moves on; amounts and years take 12 digits, head counts 2.
constexpr FieldSettings InputSettings(int digits) {
  return {.maxDigits = digits,
          .prmtNegative = false,
          .fixDecimal = 0,
          .delAllClear = true,
          .zeroDisplay = true,
          .enterNext = true};
}
constexpr FieldSettings kAmountInput = InputSettings(12);
constexpr FieldSettings kCountInput = InputSettings(2);

// Results: money in whole units over 12 digits; the two rates with one
// decimal and the field's default digits.
constexpr FieldSettings kMoneyResult{.maxDigits = 12, .fixDecimal = 0, .zeroDisplay = true};
constexpr FieldSettings kRateResult{.fixDecimal = 1, .zeroDisplay = true};
constexpr FieldSettings kFeeRange{};  // the field's defaults: free decimals, empty for zero

constexpr MainField Input(std::string_view name, Figure figure, std::string_view key,
                          std::string_view caption, Extended MainInputs::*input, bool money,
                          const FieldSettings& settings) {
  return {.name = name,
          .role = FieldRole::Input,
          .caption = caption,
          .settings = settings,
          .figure = figure,
          .key = key,
          .input = input,
          .money = money};
}

constexpr MainField Output(std::string_view name, FieldRole role, std::string_view caption,
                           const FieldSettings& settings, bool negativesInRed = false) {
  return {
      .name = name, .role = role, .caption = caption, .settings = settings, .negativesInRed = negativesInRed};
}

constexpr std::size_t kInputCount = 8;
constexpr std::size_t kFirstResult = kInputCount;

// Result captions are those the income cases write above the fields; a case
// may retitle them (calc::MainSheet::captions).
constexpr std::array<MainField, 18> kFields{{
    Input("NValEdit11", Figure::Income, "income", "所得金額", &MainInputs::income, true, kAmountInput),
    Input("NValEdit12", Figure::Deductions, "deductions", "所得控除額", &MainInputs::deductions, true,
          kAmountInput),
    Input("NValEdit13", Figure::Profit, "profit", "利益金額", &MainInputs::profit, true, kAmountInput),
    Input("NValEdit14", Figure::Value, "value", "評価額", &MainInputs::value, true, kAmountInput),
    Input("NValEdit8", Figure::Children, "children", "子の数", &MainInputs::children, false, kCountInput),
    Input("NValEdit9", Figure::Parents, "parents", "親の数", &MainInputs::parents, false, kCountInput),
    Input("NValEdit10", Figure::Siblings, "siblings", "兄弟の数", &MainInputs::siblings, false, kCountInput),
    Input("NValEdit16", Figure::Years, "years", "勤続年数", &MainInputs::years, false, kAmountInput),

    Output("NValEdit1", FieldRole::Result, "課税所得", kMoneyResult),
    Output("NValEdit2", FieldRole::Result, "所得税", kMoneyResult),
    Output("NValEdit3", FieldRole::Result, "地方税", kMoneyResult),
    Output("NValEdit4", FieldRole::Result, "事業税", kMoneyResult, /*negativesInRed=*/true),
    Output("NValEdit5", FieldRole::Result, "税金合計", kMoneyResult),
    Output("NValEdit6", FieldRole::Result, "平均", kRateResult),
    Output("NValEdit7", FieldRole::Result, "上積", kRateResult),

    Output("NValEdit17", FieldRole::SideResult, "配偶者の取得分", kMoneyResult),
    Output("NValEdit15", FieldRole::Fee, "税理士報酬", kFeeRange),
    Output("NValEdit18", FieldRole::Fee, "税理士報酬", kFeeRange),
}};

constexpr bool InputsFollowFigureOrder() {
  for (std::size_t i = 0; i < kInputCount; ++i)
    if (kFields[i].role != FieldRole::Input || static_cast<std::size_t>(kFields[i].figure) != i) return false;
  return true;
}
static_assert(InputsFollowFigureOrder());
static_assert(kFields[kFirstResult].name == "NValEdit1" && kFields[kFirstResult + 6].name == "NValEdit7");

}  // namespace

std::span<const MainField> MainFields() { return kFields; }

std::span<const MainField> InputFields() { return std::span(kFields).first(kInputCount); }

const MainField& InputField(Figure figure) { return kFields[static_cast<std::size_t>(figure)]; }

const MainField& ResultField(int index) {
  assert(index >= 0 && index < calc::kResultCount);
  return kFields[kFirstResult + index];
}

const MainField* FindMainField(std::string_view name) {
  for (const MainField& f : kFields)
    if (f.name == name) return &f;
  return nullptr;
}

const MainField* FindInputField(std::string_view keyOrCaption) {
  for (const MainField& f : InputFields())
    if (f.key == keyOrCaption || f.caption == keyOrCaption) return &f;
  return nullptr;
}

std::string ShownText(const MainField& field, Extended value) {
  return field::ShownText(field.settings, value);
}

}  // namespace tavenko::face
