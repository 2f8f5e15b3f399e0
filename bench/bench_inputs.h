// What the benchmarks table: figures every family computes something from,
// and 10,000 steps of a button's own figure from the start of its range.
#pragma once

#include "calc/MainSheet.h"
#include "face/QuickTable.h"

namespace tavenko::bench {

inline constexpr Extended kRows = 10000;

inline calc::MainInputs Typed() {
  calc::MainInputs in;
  in.deductions = 150;
  in.children = 2;
  in.parents = 2;
  in.siblings = 3;
  in.years = 25;
  return in;
}

inline face::QuickRange TenThousandRows(const calc::MainCase& button) {
  face::QuickRange range = face::DefaultRange(button, AmountUnit::Man);
  range.to = range.from + (kRows - 1) * range.step;
  if (range.to > 999999999999) range.step = 1, range.to = range.from + kRows - 1;
  return range;
}

}  // namespace tavenko::bench
