#include "core/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tavenko {
namespace {

// A decimal number 0.d1d2d3... × 10^pointPos, with its sign.
struct DecimalDigits {
  bool negative = false;
  std::string digits;  // no leading zeros; empty for zero
  int pointPos = 0;    // digits before the decimal point

  bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

constexpr int kSignificantDigits = 18;

// Adds one unit in the last digit, carrying: 99..9 becomes 100..0, one digit
// longer, with the point one place further on.
void IncrementLastDigit(DecimalDigits& d) {
  int i = static_cast<int>(d.digits.size()) - 1;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
    return;
  }
  d.digits.insert(d.digits.begin(), '1');
  ++d.pointPos;
}

// The value correctly rounded to 18 significant digits by the run-time
// conversion (which goes through printf for the extended type).
DecimalDigits EighteenDigitsByConversion(Extended value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                    kSignificantDigits - 1);
  std::string_view text(buffer, result.ptr - buffer);  // "-d.ddddddddddddddddde+XX"
  DecimalDigits d;
  if (!text.empty() && text.front() == '-') {
    d.negative = true;
    text.remove_prefix(1);
  }
  const auto e = text.find('e');
  for (char c : text.substr(0, e))
    if (c != '.') d.digits += c;
  d.pointPos = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
  const auto first = d.digits.find_first_not_of('0');
  if (first == std::string::npos) return DecimalDigits{d.negative, "", 0};
  return d;
}

// The same digits worked out on the value's bits, |value| = m × 2^-s with a
// 64-bit significand m: the integer part is m >> s, and each further digit is
// the integer part of ten times the remaining fraction, exact in 128 bits
// while s + 4 <= 128. The rest after the eighteenth digit decides the rounding,
// ties to even as the conversion rounds. Covers every figure from about 10^-18
// to below 10^18; nothing for other values, which the conversion then does.
std::optional<DecimalDigits> EighteenDigitsFromBits(Extended value) {
  using Wide = unsigned __int128;
  constexpr std::uint64_t kBelow = 1'000'000'000'000'000'000;  // 10^18
  constexpr int kMaxShift = 124;
  if (!std::isnormal(value)) return std::nullopt;
  int exponent = 0;
  const Extended fraction = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
  const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
  const int shift = 64 - exponent;  // |value| = significand × 2^-shift
  if (shift < 0 || shift > kMaxShift) return std::nullopt;

  const Wide mask = (Wide{1} << shift) - 1;
  const Wide integer = Wide{significand} >> shift;
  if (integer >= kBelow) return std::nullopt;
  Wide rest = Wide{significand} & mask;

  DecimalDigits d;
  d.negative = std::signbit(value);
  if (integer != 0) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(integer)).ptr;
    d.digits.assign(buffer, end);
  }
  d.pointPos = static_cast<int>(d.digits.size());
  while (static_cast<int>(d.digits.size()) < kSignificantDigits) {
    rest *= 10;
    const char digit = static_cast<char>('0' + static_cast<int>(rest >> shift));
    rest &= mask;
    if (d.digits.empty() && digit == '0') {
      --d.pointPos;  // a leading zero of the fraction
      continue;
    }
    d.digits += digit;
  }
  const Wide half = shift > 0 ? Wide{1} << (shift - 1) : 0;  // no rest at all when shift is 0
  const bool odd = (d.digits.back() - '0') % 2 == 1;
  if (rest != 0 && (rest > half || (rest == half && odd))) {
    IncrementLastDigit(d);
    d.digits.resize(kSignificantDigits);  // 99..9 carried to 100..0 keeps its eighteen digits
  }
  return d;
}

// The value correctly rounded to 18 significant digits.
DecimalDigits EighteenDigits(Extended value) {
  if (value == 0) return DecimalDigits{std::signbit(value), "", 0};
  if (auto d = EighteenDigitsFromBits(value)) return *std::move(d);
  return EighteenDigitsByConversion(value);
}

// Keeps the first `keep` significant digits, rounding halves away from zero.
void RoundToDigits(DecimalDigits& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool roundUp = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (roundUp) IncrementLastDigit(d);
}

void RoundToDecimals(DecimalDigits& d, int decimals) { RoundToDigits(d, d.pointPos + decimals); }

char DigitAt(const DecimalDigits& d, int index) {
  return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
}

std::string IntegerPart(const DecimalDigits& d) {
  if (d.isZero() || d.pointPos <= 0) return "0";
  std::string s;
  for (int i = 0; i < d.pointPos; ++i) s += DigitAt(d, i);
  return s;
}

std::string FractionPart(const DecimalDigits& d, int decimals) {
  std::string s;
  for (int i = 0; i < decimals; ++i) s += DigitAt(d, d.pointPos + i);
  return s;
}

std::string Grouped(const std::string& integerDigits) {
  std::string s;
  const int n = static_cast<int>(integerDigits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) s += ',';
    s += integerDigits[i];
  }
  return s;
}

std::string WithSign(const DecimalDigits& d, std::string s) {
  return d.negative && !d.isZero() ? "-" + s : s;
}

std::string TrimTrailingZeros(std::string fraction) {
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return fraction;
}

}  // namespace

std::string FormatFixed(Extended value, int decimals, bool grouped, int width) {
  DecimalDigits d = EighteenDigits(value);
  RoundToDecimals(d, decimals);
  std::string s = IntegerPart(d);
  if (grouped) s = Grouped(s);
  if (decimals > 0) {
    s += '.';
    s += FractionPart(d, decimals);
  }
  s = WithSign(d, s);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string FormatPattern(Extended value) {
  DecimalDigits d = EighteenDigits(value);
  RoundToDecimals(d, 14);
  std::string s = IntegerPart(d);
  const std::string fraction = TrimTrailingZeros(FractionPart(d, 14));
  if (!fraction.empty()) {
    s += '.';
    s += fraction;
  }
  return WithSign(d, s);
}

std::string FormatGeneral(Extended value) {
  constexpr int kPrecision = 15;
  DecimalDigits d = EighteenDigits(value);
  RoundToDigits(d, kPrecision);
  if (d.isZero()) return "0";
  if (d.pointPos > kPrecision || d.pointPos < -3) {
    // Out of the plain range: mantissa and exponent, as "1.5E-5" or "1E15".
    const std::string rest = TrimTrailingZeros(d.digits.substr(1));
    std::string s = d.digits.substr(0, 1);
    if (!rest.empty()) s += "." + rest;
    return WithSign(d, s + "E" + std::to_string(d.pointPos - 1));
  }
  std::string s = IntegerPart(d);
  const std::string fraction = TrimTrailingZeros(FractionPart(d, kPrecision - d.pointPos));
  if (!fraction.empty()) s += "." + fraction;
  return WithSign(d, s);
}

std::string EighteenDigitText(Extended value) {
  const DecimalDigits d = EighteenDigits(value);
  const std::string digits = d.digits.empty() ? std::string(kSignificantDigits, '0') : d.digits;
  const int exponent = d.digits.empty() ? 0 : d.pointPos - 1;
  const std::string magnitude = std::to_string(std::abs(exponent));
  return std::string(d.negative ? "-" : "") + digits[0] + "." + digits.substr(1) + "e" +
         (exponent < 0 ? "-" : "+") + (magnitude.size() < 2 ? "0" : "") + magnitude;
}

std::optional<Extended> TextToFloat(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only a plain decimal number: no "inf", "nan", hexadecimal or second sign.
  if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
    return std::nullopt;
  Extended value = 0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace tavenko
