// The Qt-free value and text rules of the numeric field (TNValEdit).
//
// The field holds an extended Value and never lets the edit control change
// its text: every key changes the value arithmetically and the text is
// rebuilt from the value. FieldModel owns the value, the settings, the typing
// state and the shown text; the widget translates events into the calls
// below and copies Text() and the font colour onto the screen. A FieldHost
// receives the beeps, the design-time messages and every new text.
//
// For code that only needs the text a field shows (calc/, the command-line
// tool), ShownText() runs a fresh field with the given settings and value.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/Amount.h"

namespace tavenko::field {

// A colour as 0xAARRGGBB (the same layout as QRgb).
using Colour = std::uint32_t;
inline constexpr Colour kWindowText = 0xFF000000;  // black

// The settings a window gives a field (its designed properties).
struct FieldSettings {
  int maxDigits = 9;            // digits in all, 1 to 15
  bool prmtNegative = true;     // negatives allowed
  int fixDecimal = -1;          // decimals; -1 = as many as the value has
  bool delAllClear = false;     // Delete clears the value without a selection
  char32_t leadingChar = U' ';  // shown before the number; a space = none
  bool zeroDisplay = false;     // zero shows "0" (else an empty field)
  bool putAComma = true;        // thousands separators
  bool enterNext = false;       // Enter moves to the next field
  bool arrowNext = false;       // Up / Down move to the previous / next field
  friend bool operator==(const FieldSettings&, const FieldSettings&) = default;
};

// What a freshly loaded field with these settings holds and shows once
// `value` is set: the value as the field keeps it (a negative made positive
// where negatives are refused, a magnitude beyond the digits clamped to the
// largest the field can show), and its text.
struct HeldFigure {
  Extended value;
  std::string text;
};
HeldFigure FigureHeld(const FieldSettings& settings, Extended value);

// The text alone.
std::string ShownText(const FieldSettings& settings, Extended value);

// A setting that contradicts the value, reported in design mode only.
class SettingConflict : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the field asks of its surroundings. The defaults do nothing.
class FieldHost {
 public:
  virtual ~FieldHost() = default;
  virtual void Beep() {}
  // A design-time message box with an OK button.
  virtual void Message(const std::string& /*text*/) {}
  // The shown text changed (or was written again); the caret goes to its end.
  virtual void TextShown(const std::string& /*text*/) {}
  // The field itself sets its font colour (the negative / normal colour).
  virtual void SetFontColor(Colour /*colour*/) {}
};

class FieldModel {
 public:
  explicit FieldModel(FieldHost* host = nullptr);

  // Design mode: inconsistent settings are reported (messages, a
  // SettingConflict from SetValue); at run time they are resolved silently.
  void SetDesigning(bool designing) { designing_ = designing; }
  bool Designing() const { return designing_; }

  // While the form is being set up the setters only store what they are
  // given. Loaded() then applies the settings in their published order (so
  // the order in which a form lists them does not matter), shows the first
  // text and remembers the value for Escape.
  bool IsLoading() const { return loading_; }
  void Loaded();

  const FieldSettings& Settings() const { return settings_; }
  // Every setter below, in the published order.
  void ApplySettings(const FieldSettings& settings);
  void SetMaxDigits(int n);
  void SetPrmtNegative(bool allowed);
  void SetFixDecimal(int n);
  void SetDelAllClear(bool on) { settings_.delAllClear = on; }
  void SetLeadingChar(char32_t ch);
  void SetZeroDisplay(bool on);
  void SetPutAComma(bool on);
  void SetEnterNext(bool on) { settings_.enterNext = on; }
  void SetArrowNext(bool on) { settings_.arrowNext = on; }

  // Colours. InitColours sets the font colour the field starts with (also
  // its normal and negative colour); FontColorChanged is told of every
  // change of the font colour, the field's own ones included.
  void InitColours(Colour fontColour);
  Colour MinusColor() const { return minusColor_; }
  void SetMinusColor(Colour colour);
  Colour NormalColor() const { return normalColor_; }
  Colour FontColor() const { return fontColor_; }
  void FontColorChanged(Colour colour);

  // The value. SetValue checks the sign and the limits and rebuilds the
  // text; it throws SettingConflict in design mode only.
  Extended Value() const { return value_; }
  void SetValue(Extended v);
  // Value := v without checks, then ShowValue(v).
  void StoreAndShow(Extended v);
  // Writes the text for v from the current typing state.
  void ShowValue(Extended v);
  // A text (pasted or put into the field) read as a number; 0 when unreadable.
  Extended ParseText(std::string_view utf8) const;
  const std::string& Text() const { return text_; }

  // Typing state.
  int DigitCount() const { return digitCount_; }
  int DecimalCount() const { return decimalCount_; }
  bool PointShown() const { return pointShown_; }
  bool NegativeSign() const { return negativeSign_; }
  Extended SavedValue() const { return savedValue_; }

  // Editing. `selected` says whether the field has a selection.
  // A character key: digits, "-" and "."; anything else is swallowed.
  void TypeCharacter(char32_t ch, bool selected);
  void Backspace(bool selected);
  void Delete(bool selected);
  void Escape();
  void FocusGained();
  void FocusLost();
  // The clipboard's text, or nothing when it holds no text (then 0).
  void Paste(const std::optional<std::string>& clipboardText);
  // Cut and clear: the value becomes 0 (the widget copies the selection).
  void ClearValue();
  // One level of undo, like an edit control's: back to the text shown
  // before the last edit; a second undo redoes it.
  bool CanUndo() const { return undoText_.has_value(); }
  void Undo();
  // A value set by the window (or a text put in from outside) is not an edit
  // of the user's: undo then has nothing to go back to, as an edit control
  // forgets its undo when its text is set.
  void ForgetUndo() { undoText_.reset(); }

 private:
  bool StoringOnly() const { return loading_ && !applyingSettings_; }
  void Beep();
  void Message(const std::string& text);
  void ApplyStoredSettings();
  void ClearEntry();
  void TypeMinus(bool selected);
  void TypePoint(bool selected);
  void TypeDigit(int digit, bool selected);
  template <class Edit>
  void UserEdit(Edit edit);
  void SetFontColourGuarded(Colour colour);

  FieldHost* host_;
  FieldHost silentHost_;
  FieldSettings settings_;
  bool designing_ = false;
  bool loading_ = true;
  bool applyingSettings_ = false;

  Extended value_ = 0;
  Extended savedValue_ = 0;
  int digitCount_ = 0;
  int decimalCount_ = 0;
  bool pointShown_ = false;
  bool negativeSign_ = false;
  std::string text_;
  std::optional<std::string> undoText_;

  Colour minusColor_ = kWindowText;
  Colour normalColor_ = kWindowText;
  Colour fontColor_ = kWindowText;
  bool colorGuard_ = false;
};

// Full-width ASCII forms (digits, comma, minus, point...) and the
// ideographic space mapped to their half-width forms; U+2212 MINUS SIGN
// reads as "-". Other characters are returned unchanged.
char32_t HalfWidth(char32_t ch);

}  // namespace tavenko::field
