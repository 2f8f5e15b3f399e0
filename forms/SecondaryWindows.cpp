#include "SecondaryWindows.h"

#include <QWidget>

#include "HelpViewer.h"
#include "Unit4.h"
#include "kasanzei.h"
#include "sougou.h"

namespace {

// A window owned by the main window (a top-level window of its own, as each
// window makes itself) that frees itself when closed and does not keep the
// program running once the main window has closed. F1 in it opens the usage help, as in the main window.
QWidget* OwnedWindow(QWidget* window, const QString& caption) {
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setAttribute(Qt::WA_QuitOnClose, false);
  if (window->windowTitle().isEmpty()) window->setWindowTitle(caption);
  tavenko::platform::AddUsageHelpKey(window);
  window->hide();
  return window;
}

}  // namespace

QWidget* CreateComprehensiveTaxWindow(QWidget* owner) {
  return OwnedWindow(new TForm2(owner), QStringLiteral("総合課税"));
}

QWidget* CreateAdditionalTaxWindow(QWidget* owner) {
  return OwnedWindow(new TForm3(owner), QStringLiteral("加算税の計算"));
}

QWidget* CreateIncorporationWindow(QWidget* owner) {
  return OwnedWindow(new TForm4(owner), QStringLiteral("法人成りの節税額計算"));
}
