// Amounts, units and the two rounding operations every calculation shares.
//
// Money is held as whole yen in a signed 64-bit integer (the other integer
// scales are in Scales.h). Expressions are evaluated in x87 extended precision
// (long double, 64-bit significand) and stored back with Round (ties to even),
// once, at the store.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>

#include "core/Scales.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "figures are defined in the 80-bit extended format");

namespace tavenko {

using Extended = long double;

// Every 64-bit figure converts to Extended and back without loss.
static_assert(std::numeric_limits<std::int64_t>::digits <= std::numeric_limits<Extended>::digits);

inline constexpr YenAmount kOneMillionYen = 1000000;

enum class AmountUnit { Man, Yen };  // 万円 (default) or 円

// Nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
Extended Round(Extended x);
// Truncation toward zero, keeping a floating result (2.9 -> 2, -2.9 -> -2).
Extended Int(Extended x);
// Round(x) stored into a 64-bit figure of any scale: the one store of every
// expression. x must lie within the 64-bit range.
std::int64_t StoreRounded(Extended x);
// The same store, of an expression worked in whole yen.
inline YenAmount StoreYen(Extended x) { return StoreRounded(x); }

// The base one million yen further on, for the marginal figure. It equals the
// store StoreYen(static_cast<Extended>(x) + kOneMillionYen): x converts exactly
// (see the static_assert above), and the extended sum is exact too, being a
// whole number that fits a YenAmount (at most 63 significant bits), so the
// store has nothing to round.
constexpr YenAmount NextMillion(YenAmount x) { return x + kOneMillionYen; }

// A typed figure converted to yen (money) or to a scaled count.
// In 円 mode money is truncated to a whole multiple of 1,000 yen.
YenAmount ToYen(Extended typed, AmountUnit unit, bool isMoney = true);
// A typed count (children, parents, brothers and sisters, years) on the
// count scale, in either unit.
ScaledCount ToCount(Extended typed);

// The value written into a result field, a log line or a pie slice: 万円
// (amount / kYenPerMan).
Extended ToDisplay(YenAmount amount);

// A result field re-expressed in yen in 円 mode: the amount truncated toward
// zero to a whole multiple of 100 yen, computed exactly on the integer.
YenAmount TruncateToHundredYen(YenAmount amount);
// The inhabitant-tax field in 円 mode: each of the two taxes truncated by itself.
YenAmount InhabitantTaxInYen(YenAmount prefectural, YenAmount municipal);

// Clamping at zero of a stored taxable base or tax.
inline YenAmount ClampAtZero(YenAmount amount) { return amount < 0 ? 0 : amount; }

// The sixth result field: taxes / gross × 100, not rounded; nothing (the
// field keeps its 0) when the gross amount is zero.
std::optional<Extended> AverageRate(YenAmount taxes, YenAmount gross);
// The seventh result field: taxes on the next-million base less the taxes, in
// 万円, which reads as the marginal rate in percent; nothing unless taxes > 0.
std::optional<Extended> TaxOnNextMillion(YenAmount taxesNext, YenAmount taxes);

}  // namespace tavenko
