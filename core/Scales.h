// The scales of the program's integer figures. Every figure is held in a
// signed 64-bit integer; what one unit of that integer stands for depends on
// the figure, and each scale is named here once. The 万円 ratio, the count
// scale and the ticks of a field are all 10,000, for three different reasons:
// code that multiplies or divides by a scale says which one it means.
#pragma once

#include <cstdint>

namespace tavenko {

// Whole yen: every working amount of the main window's calculations.
using YenAmount = std::int64_t;

// 万円, ten thousand yen: the unit figures are typed in by default, the log
// and the pie speak in, and results are written in (before the money fields
// are re-expressed in yen in 円 mode).
inline constexpr YenAmount kYenPerMan = 10000;

// Counts of heirs, years of service and the spouse setting, on a ×10,000
// scale: one child is 10000, twenty years are 200000, a spouse is 10000.
using ScaledCount = std::int64_t;
inline constexpr ScaledCount kCountScale = 10000;

// Ten-thousandths of a figure field's own unit (yen, 万円, days): a field value
// v is held as Round(v × kTicksPerUnit), so four decimals carry from one step
// to the next. The additional tax window works in these.
using Ticks = std::int64_t;
inline constexpr Ticks kTicksPerUnit = 10000;

// Ticks of a yen: the working amounts of the comprehensive taxation window,
// whose fields are in yen.
using FineYen = Ticks;
inline constexpr FineYen kFinePerYen = kTicksPerUnit;

}  // namespace tavenko
