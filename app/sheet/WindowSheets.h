// tavenko-sheet's cases of the three windows the main window opens:
// 総合課税, 加算税 (加算税の計算) and 法人成り (法人成りの節税額計算). Each takes
// one option per typed field, computes with the calc/ functions the window
// runs, and reports every figure the window then shows (named by its field
// and caption, with the value the field holds and the text it shows) and
// the messages it raises.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Amount.h"

namespace tavenko::sheettool {

// Whether `name` is one of the three windows' cases.
bool IsWindowCase(std::string_view name);

struct ShownFigure {
  std::string field;    // "NValEdit5"
  std::string caption;  // "給与所得"
  Extended value = 0;   // as the field holds it
  std::string text;     // as the field shows it
};

struct WindowSheet {
  std::string window;   // the case: "総合課税"
  std::string edition;  // "令和7年分"
  std::string title;    // the window's title
  std::vector<ShownFigure> figures;
  std::vector<std::string> messages;
  // Further members of the JSON object, each value already JSON.
  std::vector<std::pair<std::string, std::string>> members;
};

// A bad option or figure: its one line.
struct WindowUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The sheet of a window case; args[0] names the case. Throws WindowUsageError.
WindowSheet ComputeWindowSheet(std::span<const std::string_view> args);

// The JSON object of a window sheet.
std::string WindowSheetJson(const WindowSheet& sheet);

// The --help lines of the three cases.
std::string WindowCasesUsage();

}  // namespace tavenko::sheettool
