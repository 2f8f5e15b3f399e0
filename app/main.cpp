// Start-up: the application "タベンコ", then the main window and the three
// other windows in their order (those three hidden), and the event loop until
// the main window closes.
#include <QApplication>

#include "SecondaryWindows.h"
#include "TerminationSignals.h"
#include "WindowLook.h"
#include "zentai.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("タベンコ"));
  InstallJapaneseFontFallbacks();
  tavenko::platform::CloseWindowsOnTerminationSignals();  // a logout saves the settings too

  TForm1 form1;
  CreateComprehensiveTaxWindow(&form1);  // TForm2
  CreateAdditionalTaxWindow(&form1);     // TForm3
  CreateIncorporationWindow(&form1);     // TForm4
  form1.show();
  return QApplication::exec();
}
