// The common steps of the main window's calculation sheet, shared by every
// calculation button. A case starts its sheet with StartSheet (highlight,
// side panel, cleared results), logs with LogHeader / LogFigure, writes each
// result with SetResult as soon as it is computed, then the two derived
// figures (WriteRates), the 円 rescale, the captions and the pie.
//
// Amounts are whole yen (YenAmount); every value that reaches a result field,
// a log line or a pie slice is amount / kYenPerMan, that is 万円.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "calc/MainSheet.h"

namespace tavenko::calc {

// The header line each calculation opens its block of the log with.
inline constexpr std::string_view kLogHeader = "－－－－－";
// The line before a click's header when its edition differs from that of the
// click logged before it: "＝ 令和7年分 ＝".
std::string EditionLogLine(law::EditionId edition);

// The four amount inputs that HighlightInputs colours (Label1..4 with
// NValEdit11..14), as indices into MainSheet::inputsUsed.
enum InputField { kIncomeInput = 0, kDeductionInput, kProfitInput, kValueInput };
// The flags of MainSheet::inputsUsed for the inputs a case reads.
std::array<bool, 4> InputsUsed(std::initializer_list<InputField> used);

// The seven result fields NValEdit1..NValEdit7, as indices into
// MainSheet::results and MainSheet::captions.
enum ResultField {
  kTaxableField = 0,  // NValEdit1: taxable base
  kNationalField,     // NValEdit2: national tax
  kLocalField,        // NValEdit3: inhabitant (local) tax
  kBusinessField,     // NValEdit4: business tax
  kTotalField,        // NValEdit5: total
  kAverageRateField,  // NValEdit6: average rate in percent
  kNextMillionField,  // NValEdit7: tax on the next 1,000,000 yen
};

// The four taxes that make up the total and the pie.
struct SheetTaxes {
  YenAmount national = 0;
  YenAmount prefectural = 0;
  YenAmount municipal = 0;
  YenAmount business = 0;

  // The local taxes as the log and the inhabitant field count them.
  YenAmount Local() const { return prefectural + municipal + business; }
  YenAmount Sum() const { return national + prefectural + municipal + business; }
};

// Steps 1 to 3 of every calculation: HighlightInputs, the side panel and the
// fee panel, ClearResults (all seven results 0, captions empty, log empty).
MainSheet StartSheet(std::array<bool, 4> inputsUsed, SidePanel side, bool feePanelVisible = false);

// The side panel as a comment box holding `note`, figure fields hidden; its
// title is "コメント" unless a case names the box after its note.
SidePanel CommentPanel(std::string_view note, std::string_view caption = "コメント");

// Appends one line as it stands.
void LogLine(MainSheet& sheet, std::string_view text);
// Appends the header line "－－－－－".
void LogHeader(MainSheet& sheet);
// Appends the caption line, then the value in the log's general number format.
void LogFigure(MainSheet& sheet, std::string_view caption, Extended value);
// An amount as a "whole" log value in 万円: Int(amount / kYenPerMan), truncated toward zero.
Extended WholeMan(YenAmount amount);

// Writes amount / kYenPerMan (万円) into a result field.
void SetResult(MainSheet& sheet, ResultField field, YenAmount amount);

// NValEdit6 (taxes / gross × 100, only when gross is not 0) and NValEdit7
// ((taxes on the next-million base - taxes) in 万円, only when taxes > 0).
void WriteRates(MainSheet& sheet, YenAmount taxes, YenAmount taxesNext, YenAmount gross);

// In 円 mode, re-expresses the named money fields in yen truncated toward zero
// to a multiple of 100 yen, each from the amount behind it. The inhabitant-tax
// field of the income cases passes InhabitantTaxInYen(prefectural, municipal),
// which is already a multiple of 100 and stays as it is. Does nothing in 万円.
struct YenField {
  ResultField field;
  YenAmount amount;
};
void RescaleForYenUnit(MainSheet& sheet, AmountUnit unit, std::initializer_list<YenField> fields);
// The same truncation for a figure that may carry a fraction of a yen (a
// company's total with its further tenth, two thirds of an estate):
// Int(yen / 100) × 100.
Extended FieldInYen(Extended yen);

// The captions of the income cases (Edit1..Edit7); Edit4 is set per case.
inline constexpr std::array<std::string_view, kResultCount> kIncomeCaptions{
    "　　課税所得", "　　　所得税", "　　　地方税", "", "　　税金合計", "　平均", "　上積"};
void SetCaptions(MainSheet& sheet, const std::array<std::string_view, kResultCount>& captions);

// One slice before the take-home slice: an amount in yen (not rounded: a case
// may split a tax into fractions).
struct PieAmount {
  std::string_view label;
  ChartColour colour;
  Extended amount;
};
// Refills the pie with `slices` and the take-home slice "手取額" (white) last,
// worth gross minus the slices before it; the chart is shown only when the
// take-home amount is greater than zero.
void FillPie(MainSheet& sheet, std::initializer_list<PieAmount> slices, Extended gross);
// The same with the take-home amount given in yen, for a case whose slices
// split a tax into fractions that need not add up to it exactly.
void FillPieWithTakeHome(MainSheet& sheet, std::span<const PieAmount> slices, Extended takeHome);
// The standard five slices: 国税, 県税, 市税, 事業 and 手取額.
void FillBreakdownPie(MainSheet& sheet, const SheetTaxes& taxes, YenAmount gross);

// A whole sheet of texts joined as Label13 shows them (CR LF between lines).
std::string JoinLines(std::initializer_list<std::string_view> lines);

}  // namespace tavenko::calc
