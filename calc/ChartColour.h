// The colours of the charts: the main window's pie slices and the comparison
// window's bars, named as the window colour constants they stand for.
#pragma once

#include <string_view>

namespace tavenko::calc {

enum class ChartColour { Red, Lime, Yellow, Blue, White };

// "clRed", "clLime", ...: the names the command-line tool prints.
constexpr std::string_view ChartColourName(ChartColour colour) {
  switch (colour) {
    case ChartColour::Red: return "clRed";
    case ChartColour::Lime: return "clLime";
    case ChartColour::Yellow: return "clYellow";
    case ChartColour::Blue: return "clBlue";
    case ChartColour::White: return "clWhite";
  }
  return "";
}

}  // namespace tavenko::calc
