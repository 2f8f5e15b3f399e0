// The application's help: a help window of our own that shows the rates help
// shipped with the program, standing in for the platform's help viewer.
#pragma once

#include <QString>

class QWidget;

namespace tavenko::platform {

// The application's help file name ("tavenko.hlp").
void SetApplicationHelpFile(const QString& fileName);
QString ApplicationHelpFile();

// Runs a help macro on the application's help file; "contents()" opens the
// help window at its contents page.
void RunHelpMacro(const QString& macro, QWidget* parent = nullptr);

}  // namespace tavenko::platform
