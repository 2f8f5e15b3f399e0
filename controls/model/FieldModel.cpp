#include "controls/model/FieldModel.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"

namespace tavenko::field {
namespace {

// Powers of ten as the extended value nearest to the decimal number, read
// from text the way the limits of the field are defined ("1.0e-3" ...).
Extended DecimalPower(const char* mantissa, int exponent) {
  return TextToFloat(std::string(mantissa) + std::to_string(exponent)).value_or(0);
}
Extended TenTo(int exponent) { return DecimalPower("1.0e", exponent); }

Extended TextToNumber(const std::string& text) { return TextToFloat(text).value_or(0); }

std::string::size_type PointIndex(const std::string& s) { return s.find('.'); }

// Decodes UTF-8; an invalid sequence becomes U+FFFD, which no rule accepts.
std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto lead = static_cast<unsigned char>(s[i]);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || i + length > s.size()) {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(s[i + k]);
      valid = valid && (next & 0xC0) == 0x80;
      ch = (ch << 6) | (next & 0x3F);
    }
    out += valid ? ch : U'\uFFFD';
    i += valid ? length : 1;
  }
  return out;
}

std::string EncodeUtf8(char32_t ch) {
  std::string out;
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return out;
}

bool IsBlank(char32_t ch) { return ch == U' ' || ch == U'\t' || ch == U'\r' || ch == U'\n'; }

std::string TrimSpaces(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

char32_t HalfWidth(char32_t ch) {
  if (ch >= U'\uFF01' && ch <= U'\uFF5E') return ch - 0xFF01 + 0x21;
  if (ch == U'\u3000') return U' ';
  if (ch == U'\u2212') return U'-';
  if (ch == U'\uFFE5') return U'\u00A5';  // full-width yen sign
  return ch;
}

FieldModel::FieldModel(FieldHost* host) : host_(host ? host : &silentHost_) {}

void FieldModel::Beep() { host_->Beep(); }

void FieldModel::Message(const std::string& text) {
  if (designing_) host_->Message(text);
}

// ---- Loading --------------------------------------------------------------

void FieldModel::ApplyStoredSettings() {
  const FieldSettings stored = settings_;
  const Extended storedValue = value_;
  settings_ = FieldSettings{};
  value_ = 0;
  applyingSettings_ = true;
  // The published order: each setter sees the settings before it, as when a
  // form is read property by property.
  const auto apply = [this](auto&& step) {
    try {
      step();
    } catch (const SettingConflict& conflict) {
      Message(conflict.what());
    }
  };
  apply([&] { SetMaxDigits(stored.maxDigits); });
  apply([&] { SetPrmtNegative(stored.prmtNegative); });
  apply([&] { SetFixDecimal(stored.fixDecimal); });
  SetDelAllClear(stored.delAllClear);
  apply([&] { SetLeadingChar(stored.leadingChar); });
  apply([&] { SetZeroDisplay(stored.zeroDisplay); });
  apply([&] { SetValue(storedValue); });
  apply([&] { SetPutAComma(stored.putAComma); });
  SetEnterNext(stored.enterNext);
  SetArrowNext(stored.arrowNext);
  applyingSettings_ = false;
}

void FieldModel::Loaded() {
  if (loading_) ApplyStoredSettings();
  loading_ = false;
  digitCount_ = decimalCount_ = 0;
  pointShown_ = negativeSign_ = false;
  try {
    SetValue(value_);
  } catch (const SettingConflict& conflict) {
    Message(conflict.what());
  }
  savedValue_ = value_;
}

// ---- Setting, showing and reading a value --------------------------------------

void FieldModel::SetValue(Extended v) {
  if (std::isnan(v)) v = 0;
  if (StoringOnly()) {
    value_ = v;
    return;
  }
  const int maxDigits = settings_.maxDigits;
  const int fixDecimal = settings_.fixDecimal;

  // Sign.
  bool negative = false;
  Extended a = v;
  if (!(v >= 0)) {
    a = -v;
    if (settings_.prmtNegative)
      negative = true;
    else if (designing_)
      throw SettingConflict("PrmtNegative と矛盾します");
  }

  // Bounds: the half-unit below which the text is zero, the largest number
  // the field can show.
  Extended halfUnit, limit;
  int digitCount = maxDigits, decimalCount;
  if (fixDecimal < 0) {
    halfUnit = DecimalPower("5.0e-", maxDigits);
    limit = TenTo(maxDigits) - 1;
    decimalCount = 0;
  } else {
    halfUnit = DecimalPower("5.0e-", fixDecimal + 1);
    limit = TenTo(maxDigits - fixDecimal) - DecimalPower("1.0e-", fixDecimal);
    decimalCount = fixDecimal;
  }

  if (a < halfUnit) {
    negativeSign_ = negative;
    digitCount_ = settings_.zeroDisplay ? 1 : 0;
    decimalCount_ = 0;
    pointShown_ = false;
    value_ = negative ? -a : a;  // the small value itself, not 0
    ShowValue(0);
    return;
  }
  if (a >= limit) {
    if (designing_ && a > limit) throw SettingConflict("MaxDigits, FixDecimal と矛盾します");
    a = limit;
  }

  // Digits and decimals the text needs.
  std::string s = FormatPattern(a);
  if (PointIndex(s) != std::string::npos && static_cast<int>(s.size()) > maxDigits + 1) {
    if (designing_) throw SettingConflict("MaxDigits と矛盾します");
    // Too many digits for the field: the text is cut (not rounded).
    s = FormatPattern(TextToNumber(s.substr(0, maxDigits + 1)));
  }
  digitCount = static_cast<int>(s.size());
  const auto point = PointIndex(s);
  if (point == std::string::npos) {
    decimalCount = fixDecimal < 0 ? 0 : fixDecimal;
    digitCount += decimalCount;
  } else {
    const int decimalsInText = static_cast<int>(s.size() - point - 1);
    if (fixDecimal < 0) {
      decimalCount = decimalsInText;
    } else {
      if (designing_ && decimalsInText > fixDecimal) throw SettingConflict("FixDecimal と矛盾します");
      decimalCount = fixDecimal;
    }
    digitCount = static_cast<int>(point) + decimalCount;
  }
  negativeSign_ = negative;
  digitCount_ = digitCount;
  decimalCount_ = decimalCount;
  pointShown_ = decimalCount > 0;
  StoreAndShow(negative ? -a : a);
}

void FieldModel::StoreAndShow(Extended v) {
  value_ = v;
  ShowValue(v);
}

void FieldModel::ShowValue(Extended v) {
  if (loading_) return;
  if (minusColor_ != normalColor_) SetFontColourGuarded(v < 0 || negativeSign_ ? minusColor_ : normalColor_);

  std::string s;
  if (v != 0 || pointShown_) {
    s = FormatFixed(v, decimalCount_, settings_.putAComma, digitCount_);
    if (pointShown_ && decimalCount_ == 0 && digitCount_ < settings_.maxDigits) s += '.';
  } else {
    digitCount_ = decimalCount_ = 0;
    s = settings_.zeroDisplay ? "0" : "";
  }
  s = TrimSpaces(s);
  if (negativeSign_ && s.find('-') == std::string::npos) s.insert(s.begin(), '-');
  if (settings_.leadingChar > U' ' && (settings_.zeroDisplay || v != 0 || negativeSign_ || pointShown_))
    s.insert(0, EncodeUtf8(settings_.leadingChar));
  text_ = s;
  host_->TextShown(text_);
}

Extended FieldModel::ParseText(std::string_view utf8) const {
  // No figure a field shows comes near this length, with its separators,
  // sign, leading character and blanks around it: a longer text is refused
  // at once, as any text that is no figure is.
  constexpr std::size_t kLongestText = 256;
  if (utf8.size() > 4 * kLongestText) return 0;  // four bytes at most to a character
  std::u32string text = DecodeUtf8(utf8);
  if (text.size() > kLongestText) return 0;
  for (char32_t& ch : text) ch = HalfWidth(ch);
  // Blanks and line breaks around a pasted figure are not part of it.
  std::u32string_view figure(text);
  while (!figure.empty() && IsBlank(figure.front())) figure.remove_prefix(1);
  while (!figure.empty() && IsBlank(figure.back())) figure.remove_suffix(1);
  if (figure.empty()) return 0;

  const char32_t leading = HalfWidth(settings_.leadingChar);
  if (leading != U' ' ? figure.front() == leading
                      : figure.front() == U'$' || figure.front() == U'\\' || figure.front() == U'\u00A5')
    figure.remove_prefix(1);

  const auto point = figure.find(U'.');
  const std::size_t pointPos = point == std::u32string_view::npos ? figure.size() : point;
  std::string plain;  // the figure without its separators
  int commas = 0;
  int integerDigits = 0;
  for (std::size_t i = 0; i < figure.size(); ++i) {
    const char32_t ch = figure[i];
    if (ch >= U'0' && ch <= U'9') {
      if (i < pointPos) ++integerDigits;
    } else if (ch == U',') {
      // Only where it separates a group of three integer digits.
      if (i == 0 || i > pointPos || (pointPos - i) % 4 != 0) return 0;
      ++commas;
      continue;
    } else if (ch != U'+' && ch != U'-' && ch != U'.') {
      return 0;
    }
    plain += static_cast<char>(ch);
  }
  if (commas > 0 && (integerDigits == 0 || commas != (integerDigits - 1) / 3)) return 0;
  return TextToNumber(plain);
}

// ---- Property setters -------------------------------------------------------

void FieldModel::SetMaxDigits(int n) {
  if (StoringOnly()) {
    settings_.maxDigits = n;
    return;
  }
  if (n < 1 || n > 15) {
    if (designing_) {
      Beep();
      Message("MaxDigits は 1 から 15 までです。");
    }
    return;
  }
  if (n <= settings_.fixDecimal) {
    if (designing_) {
      Beep();
      Message("小数桁指定と矛盾しています");
    }
    return;
  }
  // The digits the current value needs, decimals padded to FixDecimal.
  std::string t = FormatPattern(std::fabs(value_));
  const int fix = settings_.fixDecimal;
  if (const auto point = PointIndex(t); point != std::string::npos) {
    const int decimals = static_cast<int>(t.size() - point - 1);
    t.erase(point, 1);
    if (fix > 0 && decimals < fix) t.append(fix - decimals, '0');
  } else if (fix > 0) {
    t.append(fix, '0');
  }
  settings_.maxDigits = n;
  if (n < static_cast<int>(t.size())) {
    if (designing_) {
      Beep();
      Message("最大桁数を超えるため Value をゼロにします");
      SetValue(0);
    } else {
      SetValue(value_);
    }
  }
}

void FieldModel::SetPrmtNegative(bool allowed) {
  settings_.prmtNegative = allowed;
  if (StoringOnly()) return;
  if (!allowed && value_ < 0) {
    Message("Value を正の数に変換します");
    SetValue(-value_);
  }
}

void FieldModel::SetFixDecimal(int n) {
  if (StoringOnly()) {
    settings_.fixDecimal = n;
    return;
  }
  if (n < -1 || n >= settings_.maxDigits) {
    if (designing_) {
      Beep();
      Message("値が不正です");
      return;
    }
    n = std::max(-1, std::min(n, settings_.maxDigits - 1));
  }
  settings_.fixDecimal = n;
  if (n == -1) return;
  // The value is cut (not rounded) to n decimals.
  std::string s = FormatPattern(std::fabs(value_));
  if (const auto point = PointIndex(s); point != std::string::npos) {
    if (designing_ && static_cast<int>(s.size() - point - 1) > n) {
      Beep();
      Message("Value の小数桁数を指定桁数に変更します");
    }
    s = s.substr(0, point + 1 + n);
  } else if (n >= 1) {
    s += '.';
    s.append(n, '0');
  }
  const Extended cut = TextToNumber(s);
  SetValue(value_ < 0 ? -cut : cut);
}

void FieldModel::SetLeadingChar(char32_t ch) {
  settings_.leadingChar = ch < U' ' ? U' ' : ch;
  if (!StoringOnly()) SetValue(value_);
}

void FieldModel::SetZeroDisplay(bool on) {
  settings_.zeroDisplay = on;
  if (!StoringOnly()) StoreAndShow(value_);
}

void FieldModel::SetPutAComma(bool on) {
  settings_.putAComma = on;
  if (!StoringOnly()) SetValue(value_);
}

// ---- Colours ------------------------------------------------------------

void FieldModel::InitColours(Colour fontColour) { minusColor_ = normalColor_ = fontColor_ = fontColour; }

void FieldModel::SetMinusColor(Colour colour) {
  minusColor_ = colour;
  if (!StoringOnly()) StoreAndShow(value_);
}

void FieldModel::SetFontColourGuarded(Colour colour) {
  colorGuard_ = true;
  fontColor_ = colour;
  host_->SetFontColor(colour);
  colorGuard_ = false;
}

void FieldModel::FontColorChanged(Colour colour) {
  if (colorGuard_) {  // the field's own change
    colorGuard_ = false;
    return;
  }
  fontColor_ = colour;
  const bool negative = value_ < 0 || negativeSign_;
  if (colour == normalColor_ && !negative) return;
  if (normalColor_ == minusColor_) {
    // Negatives are not coloured apart: both follow the font.
    normalColor_ = colour;
    if (designing_)
      SetMinusColor(colour);
    else
      minusColor_ = colour;
    return;
  }
  if (!negative) {
    normalColor_ = colour;
  } else if (colour != minusColor_) {
    // A negative value keeps its colour; the new one is for the others.
    normalColor_ = colour;
    SetFontColourGuarded(minusColor_);
  }
}

// ---- Editing ------------------------------------------------------------

template <class Edit>
void FieldModel::UserEdit(Edit edit) {
  const std::string before = text_;
  edit();
  if (text_ != before) undoText_ = before;
}

void FieldModel::ClearEntry() {
  value_ = 0;
  decimalCount_ = digitCount_ = 0;
  pointShown_ = negativeSign_ = false;
}

void FieldModel::TypeCharacter(char32_t ch, bool selected) {
  ch = HalfWidth(ch);
  UserEdit([&] {
    if (ch == U'-')
      TypeMinus(selected);
    else if (ch == U'.')
      TypePoint(selected);
    else if (ch >= U'0' && ch <= U'9')
      TypeDigit(static_cast<int>(ch - U'0'), selected);
    // Any other character is swallowed silently.
  });
}

void FieldModel::TypeMinus(bool selected) {
  if (!settings_.prmtNegative) {
    Beep();
    return;
  }
  if (selected) ClearEntry();
  // The sign of the whole number flips, wherever the caret stands.
  negativeSign_ = !negativeSign_;
  StoreAndShow(-value_);
}

void FieldModel::TypePoint(bool selected) {
  if (settings_.fixDecimal == 0) {
    pointShown_ = false;
    decimalCount_ = 0;
    Beep();
    return;
  }
  if (selected) {  // the sign stays
    value_ = 0;
    decimalCount_ = digitCount_ = 0;
    pointShown_ = false;
  }
  if (digitCount_ >= settings_.maxDigits) {
    Beep();
    return;
  }
  if (digitCount_ == 0) digitCount_ = 1;  // the zero before the point
  if (pointShown_)
    Beep();
  else
    pointShown_ = true;
  StoreAndShow(value_);
}

void FieldModel::TypeDigit(int digit, bool selected) {
  if (selected) {
    ClearEntry();
    StoreAndShow(0);
  }
  const bool negative = value_ < 0 || negativeSign_;
  const int oldDigitCount = digitCount_;
  const int oldDecimalCount = decimalCount_;
  Extended candidate;
  if (!pointShown_) {
    // Digits enter at the right end of a whole number.
    value_ = std::trunc(value_ < 0 ? value_ - 0.5L : value_ + 0.5L);
    if (value_ == 0 && digitCount_ == 1) digitCount_ = 0;  // a shown zero is replaced
    candidate = (value_ < 0 || negativeSign_) ? value_ * 10 - digit : value_ * 10 + digit;
  } else {
    ++decimalCount_;
    const Extended step = digit / TenTo(decimalCount_);
    candidate = negative ? value_ - step : value_ + step;
  }
  if (decimalCount_ == 1 && value_ == 0)
    digitCount_ = 2;  // zero, point, first decimal
  else
    ++digitCount_;

  const int maxDigits = settings_.maxDigits;
  const int fixDecimal = settings_.fixDecimal;
  if (digitCount_ > maxDigits) {
    digitCount_ = maxDigits;
    if (pointShown_) decimalCount_ = oldDecimalCount;
    Beep();
    return;
  }
  if (!pointShown_ && fixDecimal >= 0 && digitCount_ > maxDigits - fixDecimal) {
    digitCount_ = maxDigits - fixDecimal;  // the integer part is full
    Beep();
    return;
  }
  if (pointShown_ && fixDecimal >= 0 && decimalCount_ > fixDecimal) {
    decimalCount_ = fixDecimal;
    digitCount_ = oldDigitCount;
    Beep();
    return;
  }
  // Through the text, which drops floating-point noise beyond the typed decimals.
  StoreAndShow(TextToNumber(FormatFixed(candidate, decimalCount_, false)));
}

void FieldModel::Backspace(bool selected) {
  UserEdit([&] {
    if (selected) {
      ClearEntry();
      StoreAndShow(0);
    }
    if (digitCount_ <= 0) {
      ClearEntry();
      StoreAndShow(0);
      return;
    }
    std::string s = FormatFixed(value_, decimalCount_, false);
    s.pop_back();
    --digitCount_;
    const bool removedIntegerDigit = decimalCount_ == 0;
    if (decimalCount_ > 0) {
      --decimalCount_;
    } else {
      pointShown_ = false;
    }
    const Extended v = (s.empty() || s == "-") ? 0 : TextToNumber(s);
    // The sign goes with the last integer digit, so that the minus key
    // always turns the value and the shown sign together.
    if (removedIntegerDigit) negativeSign_ = v < 0;
    StoreAndShow(v);
  });
}

void FieldModel::Delete(bool selected) {
  UserEdit([&] {
    if (selected || settings_.delAllClear) {
      ClearEntry();
      StoreAndShow(0);
    }
  });
}

void FieldModel::Escape() {
  UserEdit([&] { SetValue(savedValue_); });
}

void FieldModel::FocusGained() { savedValue_ = value_; }

void FieldModel::FocusLost() {
  savedValue_ = value_;
  SetValue(value_);  // drops a trailing point or a lone "-"
}

void FieldModel::Paste(const std::optional<std::string>& clipboardText) {
  UserEdit([&] { SetValue(clipboardText ? ParseText(*clipboardText) : 0); });
}

void FieldModel::ClearValue() {
  UserEdit([&] { SetValue(0); });
}

void FieldModel::Undo() {
  if (!undoText_) return;
  const std::string previous = *undoText_;
  undoText_ = text_;
  SetValue(ParseText(previous));
}

// ---- Headless use -----------------------------------------------------------

void FieldModel::ApplySettings(const FieldSettings& settings) {
  SetMaxDigits(settings.maxDigits);
  SetPrmtNegative(settings.prmtNegative);
  SetFixDecimal(settings.fixDecimal);
  SetDelAllClear(settings.delAllClear);
  SetLeadingChar(settings.leadingChar);
  SetZeroDisplay(settings.zeroDisplay);
  SetPutAComma(settings.putAComma);
  SetEnterNext(settings.enterNext);
  SetArrowNext(settings.arrowNext);
}

HeldFigure FigureHeld(const FieldSettings& settings, Extended value) {
  FieldModel model;
  model.ApplySettings(settings);
  model.Loaded();
  model.SetValue(value);
  return {model.Value(), model.Text()};
}

std::string ShownText(const FieldSettings& settings, Extended value) {
  return FigureHeld(settings, value).text;
}

}  // namespace tavenko::field
