// The calculation sheet of the main window: everything one click of a
// calculation button shows, as a plain value. A calculation is a function from
// the typed figures (MainInputs) to a MainSheet; the window only applies it:
// highlight and side panel, then the message boxes, then results, log,
// captions and pie.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/ChartColour.h"
#include "core/Amount.h"
#include "law/Edition.h"

namespace tavenko::calc {

// The figures of the main window as its fields hold them (typed, unconverted).
struct MainInputs {
  Extended income = 0;                    // NValEdit11
  Extended deductions = 0;                // NValEdit12
  Extended profit = 0;                    // NValEdit13
  Extended value = 0;                     // NValEdit14
  Extended children = 0;                  // NValEdit8
  Extended parents = 0;                   // NValEdit9
  Extended siblings = 0;                  // NValEdit10
  Extended years = 0;                     // NValEdit16
  AmountUnit unit = AmountUnit::Man;      // 円 exactly when RadioButton4 is checked
  ScaledCount spouseCount = kCountScale;  // SpouseCount: kCountScale with a spouse, 0 without
  law::EditionId edition = law::EditionId::Heisei29;  // the law the click computes under
};

struct PieSlice {
  std::string label;
  ChartColour colour;
  Extended value;  // 万円: amount / kYenPerMan
};

// GroupBox2: a comment box, the years-of-service box or the spouse box.
struct SidePanel {
  bool visible = false;
  std::string caption;             // GroupBox2's title
  std::string note;                // Label13, lines joined by "\r\n"
  bool yearsFieldVisible = false;  // NValEdit16
  bool extraFieldVisible = false;  // NValEdit17
};

inline constexpr int kResultCount = 7;  // NValEdit1 .. NValEdit7, Edit1 .. Edit7

struct MainSheet {
  // HighlightInputs: Label1..Label4 with NValEdit11..NValEdit14 black when used.
  std::array<bool, 4> inputsUsed{};
  // The inheritance cases colour GroupBox1 and Label5..Label7 black.
  bool heirPromptsInUse = false;

  SidePanel side;
  bool feePanelVisible = false;  // GroupBox3

  // Modal message boxes, in order, shown after the side panel.
  std::vector<std::string> messages;
  // The click writes this into NValEdit16 (years above 99 are cleared to 0).
  std::optional<Extended> yearsFieldValue;

  // The values NValEdit1..7 are left with: 万円 (amount / kYenPerMan), or
  // whole yen for the money fields a case re-expresses in 円 mode.
  std::array<Extended, kResultCount> results{};
  std::array<std::string, kResultCount> captions;  // Edit1..Edit7
  std::optional<Extended> extraFieldValue;         // NValEdit17, when the click sets it
  std::optional<Extended> feeLow;                  // NValEdit15
  std::optional<Extended> feeHigh;                 // NValEdit18

  std::vector<std::string> log;  // lines appended to Memo1
  std::vector<PieSlice> pie;     // in the order added
  bool pieVisible = false;
};

using MainCalculation = MainSheet (*)(const MainInputs&);
// A button's hint that quotes the law's figures, made from the edition.
using MainCaseHint = std::string (*)(const law::Edition&);

// One calculation button of the main window. A row names all three: no
// button is listed without its calculation.
struct MainCase {
  constexpr MainCase(std::string_view buttonName, std::string_view buttonCaption, MainCalculation calculation,
                     MainCaseHint figureHint = nullptr)
      : button(buttonName), caption(buttonCaption), compute(calculation), hint(figureHint) {}

  std::string_view button;   // "BitBtn1"
  std::string_view caption;  // "一般所得税"
  MainCalculation compute;
  MainCaseHint hint;  // nullptr: the button's hint quotes no figure and is the window's own
};

// Every calculation button, in the window's button order.
std::span<const MainCase> MainCases();
// By button name or caption; nullptr when there is none.
const MainCase* FindMainCase(std::string_view buttonOrCaption);

}  // namespace tavenko::calc
