#include "core/Amount.h"

#include <cmath>

namespace tavenko {

// rintl rounds exactly as nearbyintl does in the default rounding mode (ties
// to even); it only leaves the inexact flag raised, which nothing reads, and
// so spares the save and restore of the floating-point environment that makes
// nearbyintl many times slower on the x87 unit. A long table of clicks does
// thousands of these a millisecond.
Extended Round(Extended x) { return std::rintl(x); }

Extended Int(Extended x) { return std::truncl(x); }

// llrintl is Round and the store in one step: it rounds in the default mode,
// ties to even, as Round does, where a cast of Round(x) would switch the x87
// unit to truncation and back for a value that is already whole.
std::int64_t StoreRounded(Extended x) { return std::llrintl(x); }

YenAmount ToYen(Extended typed, AmountUnit unit, bool isMoney) {
  if (!isMoney) return ToCount(typed);
  YenAmount x = StoreYen(typed * kYenPerMan);
  if (unit == AmountUnit::Yen) {
    // The figure was typed in yen, so X holds the yen amount times kYenPerMan.
    // Taken back to whole thousands of yen, truncated, and from tens of
    // thousands (万) to yen again.
    x = StoreYen(Int(static_cast<Extended>(x) / 1000 / kYenPerMan) / 10 * kYenPerMan);
  }
  return x;
}

ScaledCount ToCount(Extended typed) { return StoreRounded(typed * kCountScale); }

Extended ToDisplay(YenAmount amount) { return static_cast<Extended>(amount) / kYenPerMan; }

YenAmount TruncateToHundredYen(YenAmount amount) { return amount / 100 * 100; }

YenAmount InhabitantTaxInYen(YenAmount prefectural, YenAmount municipal) {
  return TruncateToHundredYen(prefectural) + TruncateToHundredYen(municipal);
}

std::optional<Extended> AverageRate(YenAmount taxes, YenAmount gross) {
  if (gross == 0) return std::nullopt;
  return static_cast<Extended>(taxes) / static_cast<Extended>(gross) * 100;
}

std::optional<Extended> TaxOnNextMillion(YenAmount taxesNext, YenAmount taxes) {
  if (taxes <= 0) return std::nullopt;
  return ToDisplay(taxesNext - taxes);
}

}  // namespace tavenko
