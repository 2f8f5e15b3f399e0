// Number texts: the log's general format, the grouped and plain fixed formats
// of the figure fields, the "0.##############" pattern and text-to-number.
//
// Every text starts from the value's 18 significant decimal digits (the exact
// binary value correctly rounded to 18 digits); rounding to fewer decimals or
// digits is then done on that digit string, halves away from zero. So 2.5
// shows 3 with no decimals, and a computed 12.2499999999999999998 shows 12.3
// with one. The point is always "." and the group separator ",".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Amount.h"

namespace tavenko {

// Log value lines: at most 15 significant digits, plain notation from 0.0001
// to below 10^15, no grouping, no trailing zeros, no point for whole values.
std::string FormatGeneral(Extended value);

// The field formats "%*.*n" (grouped) and "%*.*f" (plain): `decimals` places,
// "-" before a negative number, padded on the left with spaces to `width`.
std::string FormatFixed(Extended value, int decimals, bool grouped, int width = 0);

// The pattern "0.##############": up to 14 decimals, trailing zeros dropped,
// no separators, at least one integer digit.
std::string FormatPattern(Extended value);

// The 18 significant digits every text above starts from, written as the
// run-time conversion writes them in scientific notation with 17 decimals
// ("-1.23456789012345678e+03", "0.00000000000000000e+00").
std::string EighteenDigitText(Extended value);

// Text to number: optional blanks around, an optional sign, digits with an
// optional "." and an optional exponent. Nothing when the text is not a number
// or is beyond the extended range.
std::optional<Extended> TextToFloat(std::string_view text);

}  // namespace tavenko
