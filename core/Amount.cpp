#include "Amount.h"

#include <cmath>

namespace tavenko {

Extended Round(Extended x) { return std::nearbyintl(x); }

Extended Int(Extended x) { return std::truncl(x); }

YenAmount StoreYen(Extended x) { return static_cast<YenAmount>(Round(x)); }

YenAmount ToYen(Extended typed, AmountUnit unit, bool isMoney) {
  YenAmount x = StoreYen(typed * 10000);
  if (isMoney && unit == AmountUnit::Yen) {
    // X holds the typed yen amount times 10000; this keeps whole thousands.
    x = StoreYen(Int(static_cast<Extended>(x) / 1000 / 10000) / 10 * 10000);
  }
  return x;
}

Extended ToDisplay(YenAmount amount) { return static_cast<Extended>(amount) / 10000; }

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
  return static_cast<Extended>(taxesNext - taxes) / 10000;
}

}  // namespace tavenko
