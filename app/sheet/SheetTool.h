// The command-line tool tavenko-sheet: one click of a calculation button on a
// freshly started main window, printed as one JSON object; or, with --vary,
// the quick-reference table of the button over a range of one figure, as a
// JSON array of those objects or as CSV.
//
//   tavenko-sheet CASE [--income N] [--deductions N] [--profit N] [--value N]
//                 [--children N] [--parents N] [--siblings N] [--years N]
//                 [--yen] [--no-spouse]
//                 [--vary FIGURE [--from A] [--to B] [--step S] [--csv]]
//   tavenko-sheet --help | --version
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "calc/MainSheet.h"

namespace tavenko::sheettool {

struct ToolOutput {
  int status = 0;   // 0 done, 2 a usage error or a range that cannot be tabled
  std::string out;  // stdout
  std::string err;  // stderr
};

// Runs the tool on its arguments (without the program name).
ToolOutput RunSheetTool(std::span<const std::string_view> args);

// The JSON of one click: `inputs` as the fields held them before the click,
// `sheet` what the click computed. Each row of a table's JSON is this object
// with the varied figure and the row's validity in front.
std::string SheetJson(const calc::MainCase& button, const calc::MainInputs& inputs,
                      const calc::MainSheet& sheet);

}  // namespace tavenko::sheettool
