#include "HelpViewer.h"

namespace tavenko::platform {
namespace {
QString& helpFile() {
  static QString name;
  return name;
}
}  // namespace

void SetApplicationHelpFile(const QString& fileName) { helpFile() = fileName; }
QString ApplicationHelpFile() { return helpFile(); }

void RunHelpMacro(const QString&, QWidget*) {
  // The help window lands with the rates help.
}

}  // namespace tavenko::platform
