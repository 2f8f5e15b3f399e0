// Helpers for checking a main-window calculation sheet the way a user reads
// it: values as the log would print them, the field texts, the log lines.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "calc/MainSheet.h"
#include "core/NumberText.h"
#include "face/MainFields.h"

namespace tavenko::calc::testing {

using Lines = std::vector<std::string>;                // log lines
using Values = std::array<std::string, kResultCount>;  // one text per result field

inline MainInputs Typed(AmountUnit unit = AmountUnit::Man) {
  MainInputs in;
  in.unit = unit;
  return in;
}

// The seven result values, each in the log's general format (15 digits), so
// that "275.67" means the field received 2,756,700 / 10000.
inline std::array<std::string, kResultCount> ResultValues(const MainSheet& sheet) {
  std::array<std::string, kResultCount> values;
  for (int i = 0; i < kResultCount; ++i) values[i] = FormatGeneral(sheet.results[i]);
  return values;
}

// The text result field `field` (0 for NValEdit1) shows for `value`, by the
// field's own rules with the settings the main window gives it.
inline std::string ResultShown(int field, Extended value) {
  return face::ShownText(face::ResultField(field), value);
}

// The text a result field shows after the click.
inline std::string ShownText(const MainSheet& sheet, int field) {
  return ResultShown(field, sheet.results[field]);
}

inline std::array<std::string, kResultCount> ShownTexts(const MainSheet& sheet) {
  std::array<std::string, kResultCount> texts;
  for (int i = 0; i < kResultCount; ++i) texts[i] = ShownText(sheet, i);
  return texts;
}

struct Slice {
  std::string label;
  ChartColour colour;
  std::string value;  // general format
  bool operator==(const Slice&) const = default;
};

inline std::vector<Slice> PieSlices(const MainSheet& sheet) {
  std::vector<Slice> slices;
  for (const PieSlice& s : sheet.pie) slices.push_back({s.label, s.colour, FormatGeneral(s.value)});
  return slices;
}

inline void PrintTo(const Slice& s, std::ostream* os) {
  *os << s.label << " " << ChartColourName(s.colour) << " " << s.value;
}

}  // namespace tavenko::calc::testing
