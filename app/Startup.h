// What the program `tavenko` sets up before its first window: the
// application's name and version, Qt's own Japanese texts for the standard
// dialogs, the fonts and the window icon; and its answers to --help and
// --version, given without a window or a display.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QApplication;

namespace tavenko::app {

// What the program prints instead of opening its window.
struct CommandLineAnswer {
  int status = 0;
  QString out;  // for stdout
  QString err;  // for stderr
};

// The help or version text when `arguments` (the program's name first) ask
// for one; nothing when the program should go on to open its window. Reads
// only the arguments, so it runs before Qt opens the display. Options meant
// for Qt itself (-platform, -style...) are left for QApplication.
std::optional<CommandLineAnswer> AnswerBeforeWindows(const QStringList& arguments);

// After QApplication has taken its own options: an error for any argument
// left that the program does not take; nothing when there is none.
std::optional<CommandLineAnswer> RejectUnknownArguments(const QStringList& arguments);

// Names the application "タベンコ" with the program's version, installs Qt's
// Japanese translations, the font fallbacks and the window icon that every
// window shows, in the sizes title bars and task bars show; and reads the
// font configuration. Returns the folder it looked in when Qt's Japanese
// translations were not found (the dialogs then stay in English), else
// nothing.
std::optional<QString> SetUpApplication(QApplication& app);

// Adds the window icon's large pictures (128 and 256 px), which only a
// window switcher's large view shows: once the main window is on the
// screen, as they take most of the icon's decoding.
void AddLargeWindowIcons();

}  // namespace tavenko::app
