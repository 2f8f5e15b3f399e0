// The command-line tool tavenko-sheet: one click of a calculation button on a
// freshly started main window, printed as one JSON object.
//
//   tavenko-sheet CASE [--income N] [--deductions N] [--profit N] [--value N]
//                 [--children N] [--parents N] [--siblings N] [--years N]
//                 [--yen] [--no-spouse]
//   tavenko-sheet --help | --version
#pragma once

#include <optional>
#include <string_view>

#include "FieldModel.h"

#include <span>
#include <string>
#include <string_view>

#include "MainSheet.h"

namespace tavenko::sheettool {

struct ToolOutput {
  int status = 0;   // 0 done, 2 a usage error or a case not yet available
  std::string out;  // stdout
  std::string err;  // stderr
};

// Runs the tool on its arguments (without the program name).
ToolOutput RunSheetTool(std::span<const std::string_view> args);

// The JSON of one click: `inputs` as the fields held them before the click,
// `sheet` what the click computed.
std::string SheetJson(const calc::MainCase& button, const calc::MainInputs& inputs,
                      const calc::MainSheet& sheet);

// How the main window sets up a field the JSON reports ("NValEdit1" ...
// "NValEdit7", "NValEdit15", "NValEdit17", "NValEdit18"): the texts come from
// the field's own rules with these settings. Empty for any other name.
std::optional<field::FieldSettings> MainWindowFieldSettings(std::string_view field);

}  // namespace tavenko::sheettool
