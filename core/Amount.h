// Amounts, units and the two rounding operations every calculation shares.
//
// Money is held as whole yen in a signed 64-bit integer. Expressions are
// evaluated in x87 extended precision (long double, 64-bit significand) and
// stored back into a YenAmount with Round (ties to even), once, at the store.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>

static_assert(std::numeric_limits<long double>::digits == 64,
              "figures are defined in the 80-bit extended format");

namespace tavenko {

using YenAmount = std::int64_t;
using Extended = long double;

// Scaled counts (children, years of service, the spouse setting) use the same
// integer form, one unit being 10000.
inline constexpr YenAmount kCountScale = 10000;
inline constexpr YenAmount kOneMillionYen = 1000000;

enum class AmountUnit { Man, Yen };  // 万円 (default) or 円

// Nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
Extended Round(Extended x);
// Truncation toward zero, keeping a floating result (2.9 -> 2, -2.9 -> -2).
Extended Int(Extended x);
// Round(x) stored into a YenAmount: the one store of every expression.
YenAmount StoreYen(Extended x);

// A typed figure converted to yen (money) or to a scaled count.
// In 円 mode money is truncated to a whole multiple of 1,000 yen.
YenAmount ToYen(Extended typed, AmountUnit unit, bool isMoney = true);
inline YenAmount ToCount(Extended typed) { return ToYen(typed, AmountUnit::Man, false); }

// The value written into a result field, a log line or a pie slice: 万円.
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
// The seventh result field: (taxes on the next-million base - taxes) / 10000,
// which reads as the marginal rate in percent; nothing unless taxes > 0.
std::optional<Extended> TaxOnNextMillion(YenAmount taxesNext, YenAmount taxes);

}  // namespace tavenko
