// The application's help: a help window of our own that shows the help
// documents shipped with the program (HelpDocument.h), standing in for the
// platform's help viewer. One help window serves the whole application; it
// stays open when the window that asked for it closes. Its documents link to
// one another, and its back button returns along the pages shown.
#pragma once

#include <QString>

#include "law/Edition.h"

class QWidget;

namespace tavenko::platform {

// The application's help file name ("tavenko.hlp").
void SetApplicationHelpFile(const QString& fileName);
QString ApplicationHelpFile();

// Runs a help macro on the application's help file; "contents()" opens the
// help window at its contents page. A help file the program does not ship,
// or a macro it does not know, is reported in a message box. The rates help
// is written for `law`, the edition of the window that asks for it.
void RunHelpMacro(const QString& macro, QWidget* parent = nullptr, const law::Edition& law = law::kHeisei29);

// Opens the help window at the usage page: how to use the program, in
// Japanese. It links to the rates help, which stands beside it. With a
// `section` (an anchor of the page: "quicktable"), at that section.
void ShowUsageHelp(const QString& section = {});

// F1 in `window` (while it is the active window) opens the usage page at
// the window's own section, or at its top.
void AddUsageHelpKey(QWidget* window, const QString& section = {});

// The help window while it is open, else nullptr (for tests).
QWidget* HelpWindow();

// The page the help window shows: "usage.html", "tavenko.html"... (for tests).
QString ShownHelpPage();

}  // namespace tavenko::platform
