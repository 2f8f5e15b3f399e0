// Start-up: answers --help and --version without opening the display; else
// the application "タベンコ", then the main window, shown, and the event loop
// until the main window closes. The window icon's large pictures and the
// three other windows of start-up, in their order and hidden, follow once
// the main window has been drawn: a user waits for nothing that is not on
// the screen.
#include <QApplication>
#include <cstdio>

#include "app/Startup.h"
#include "forms/SecondaryWindows.h"
#include "forms/zentai.h"
#include "platform/TerminationSignals.h"

namespace {

int Print(const tavenko::app::CommandLineAnswer& answer) {
  std::fputs(answer.out.toUtf8().constData(), stdout);
  std::fputs(answer.err.toUtf8().constData(), stderr);
  return answer.status;
}

QStringList Arguments(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const auto answer = tavenko::app::AnswerBeforeWindows(Arguments(argc, argv))) return Print(*answer);

  QApplication app(argc, argv);
  // Qt has taken its own options (-platform, -style...); anything left is not ours.
  if (const auto answer = tavenko::app::RejectUnknownArguments(QApplication::arguments()))
    return Print(*answer);
  if (const auto folder = tavenko::app::SetUpApplication(app)) {
    std::fprintf(stderr,
                 "tavenko: Qt's Japanese translations (qtbase_ja.qm) are not in %s; "
                 "standard dialogs stay in English\n",
                 folder->toUtf8().constData());
  }
  tavenko::platform::CloseWindowsOnTerminationSignals();  // a logout saves the settings too

  TForm1 form1;
  RunAfterFirstPaint(&form1, [&form1] {
    tavenko::app::AddLargeWindowIcons();
    CreateHiddenWindows(&form1);  // TForm2, TForm3, TForm4
  });
  form1.show();
  return QApplication::exec();
}
