#include "SheetSteps.h"

#include "NumberText.h"

namespace tavenko::calc {

MainSheet StartSheet(std::array<bool, 4> inputsUsed, SidePanel side, bool feePanelVisible) {
  MainSheet sheet;
  sheet.inputsUsed = inputsUsed;
  sheet.side = std::move(side);
  sheet.feePanelVisible = feePanelVisible;
  sheet.results.fill(0);
  return sheet;
}

SidePanel CommentPanel(std::string_view note) {
  return SidePanel{.visible = true,
                   .caption = "コメント",
                   .note = std::string(note),
                   .yearsFieldVisible = false,
                   .extraFieldVisible = false};
}

void LogHeader(MainSheet& sheet) { sheet.log.emplace_back(kLogHeader); }

void LogFigure(MainSheet& sheet, std::string_view caption, Extended value) {
  sheet.log.emplace_back(caption);
  sheet.log.push_back(FormatGeneral(value));
}

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

void SetCaptions(MainSheet& sheet, const std::array<std::string_view, kResultCount>& captions) {
  for (int i = 0; i < kResultCount; ++i) sheet.captions[i] = std::string(captions[i]);
}

void FillPie(MainSheet& sheet, std::initializer_list<PieAmount> slices, Extended gross) {
  sheet.pie.clear();
  Extended taken = 0;
  for (const PieAmount& s : slices) {
    sheet.pie.push_back({std::string(s.label), s.colour, s.amount / 10000});
    taken += s.amount;
  }
  const Extended takeHome = gross - taken;
  sheet.pie.push_back({"手取額", PieColour::White, takeHome / 10000});
  sheet.pieVisible = takeHome > 0;
}

void FillBreakdownPie(MainSheet& sheet, const SheetTaxes& taxes, YenAmount gross) {
  // The take-home amount is gross - (N + P + M + B), the sum taken first.
  sheet.pie.clear();
  sheet.pie.push_back({"国税", PieColour::Red, ToDisplay(taxes.national)});
  sheet.pie.push_back({"県税", PieColour::Lime, ToDisplay(taxes.prefectural)});
  sheet.pie.push_back({"市税", PieColour::Yellow, ToDisplay(taxes.municipal)});
  sheet.pie.push_back({"事業", PieColour::Blue, ToDisplay(taxes.business)});
  const Extended takeHome = static_cast<Extended>(gross) - static_cast<Extended>(taxes.Sum());
  sheet.pie.push_back({"手取額", PieColour::White, takeHome / 10000});
  sheet.pieVisible = takeHome > 0;
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
