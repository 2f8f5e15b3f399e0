#include "calc/SheetSteps.h"

#include "core/NumberText.h"

namespace tavenko::calc {

std::string EditionLogLine(law::EditionId edition) {
  return "＝ " + std::string(law::EditionOf(edition).name) + " ＝";
}

MainSheet StartSheet(std::array<bool, 4> inputsUsed, SidePanel side, bool feePanelVisible) {
  MainSheet sheet;
  sheet.inputsUsed = inputsUsed;
  sheet.side = std::move(side);
  sheet.feePanelVisible = feePanelVisible;
  sheet.results.fill(0);
  return sheet;
}

std::array<bool, 4> InputsUsed(std::initializer_list<InputField> used) {
  std::array<bool, 4> flags{};
  for (InputField input : used) flags[input] = true;
  return flags;
}

SidePanel CommentPanel(std::string_view note, std::string_view caption) {
  return SidePanel{.visible = true,
                   .caption = std::string(caption),
                   .note = std::string(note),
                   .yearsFieldVisible = false,
                   .extraFieldVisible = false};
}

void LogLine(MainSheet& sheet, std::string_view text) { sheet.log.emplace_back(text); }

void LogHeader(MainSheet& sheet) { LogLine(sheet, kLogHeader); }

void LogFigure(MainSheet& sheet, std::string_view caption, Extended value) {
  LogLine(sheet, caption);
  sheet.log.push_back(FormatGeneral(value));
}

Extended WholeMan(YenAmount amount) { return Int(ToDisplay(amount)); }

void SetResult(MainSheet& sheet, ResultField field, YenAmount amount) {
  sheet.results[field] = ToDisplay(amount);
}

void WriteRates(MainSheet& sheet, YenAmount taxes, YenAmount taxesNext, YenAmount gross) {
  if (const auto rate = AverageRate(taxes, gross)) sheet.results[kAverageRateField] = *rate;
  if (const auto next = TaxOnNextMillion(taxesNext, taxes)) sheet.results[kNextMillionField] = *next;
}

void RescaleForYenUnit(MainSheet& sheet, AmountUnit unit, std::initializer_list<YenField> fields) {
  if (unit != AmountUnit::Yen) return;
  for (const YenField& f : fields)
    sheet.results[f.field] = static_cast<Extended>(TruncateToHundredYen(f.amount));
}

Extended FieldInYen(Extended yen) { return Int(yen / 100) * 100; }

void SetCaptions(MainSheet& sheet, const std::array<std::string_view, kResultCount>& captions) {
  for (int i = 0; i < kResultCount; ++i) sheet.captions[i] = std::string(captions[i]);
}

void FillPie(MainSheet& sheet, std::initializer_list<PieAmount> slices, Extended gross) {
  Extended taken = 0;
  for (const PieAmount& s : slices) taken += s.amount;
  FillPieWithTakeHome(sheet, std::span(slices.begin(), slices.size()), gross - taken);
}

void FillPieWithTakeHome(MainSheet& sheet, std::span<const PieAmount> slices, Extended takeHome) {
  sheet.pie.clear();
  for (const PieAmount& s : slices)
    sheet.pie.push_back({std::string(s.label), s.colour, s.amount / kYenPerMan});
  sheet.pie.push_back({"手取額", ChartColour::White, takeHome / kYenPerMan});
  sheet.pieVisible = takeHome > 0;
}

void FillBreakdownPie(MainSheet& sheet, const SheetTaxes& taxes, YenAmount gross) {
  // The take-home amount is gross - (N + P + M + B), the sum taken first.
  const PieAmount slices[] = {{"国税", ChartColour::Red, static_cast<Extended>(taxes.national)},
                              {"県税", ChartColour::Lime, static_cast<Extended>(taxes.prefectural)},
                              {"市税", ChartColour::Yellow, static_cast<Extended>(taxes.municipal)},
                              {"事業", ChartColour::Blue, static_cast<Extended>(taxes.business)}};
  FillPieWithTakeHome(sheet, slices, static_cast<Extended>(gross) - static_cast<Extended>(taxes.Sum()));
}

std::string JoinLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) text += "\r\n";
    text += line;
    first = false;
  }
  return text;
}

}  // namespace tavenko::calc
