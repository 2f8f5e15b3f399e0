// tavenko-sheet: one click of a main-window calculation button, as JSON.
#include <cstdio>
#include <string_view>
#include <vector>

#include "app/sheet/SheetTool.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const tavenko::sheettool::ToolOutput result = tavenko::sheettool::RunSheetTool(args);
  std::fputs(result.out.c_str(), stdout);
  std::fputs(result.err.c_str(), stderr);
  return result.status;
}
