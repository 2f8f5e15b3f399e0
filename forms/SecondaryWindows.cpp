#include "SecondaryWindows.h"

#include <QWidget>

namespace {

// A window owned by the main window: a top-level window of its own that frees
// itself when closed and does not keep the program running once the main
// window has closed.
QWidget* OwnedWindow(QWidget* window, const QString& caption) {
  window->setWindowFlag(Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setAttribute(Qt::WA_QuitOnClose, false);
  if (window->windowTitle().isEmpty()) window->setWindowTitle(caption);
  window->hide();
  return window;
}

}  // namespace

// Until each window's own class lands, an empty window with its caption.
QWidget* CreateComprehensiveTaxWindow(QWidget* owner) {
  return OwnedWindow(new QWidget(owner), QStringLiteral("総合課税"));
}

QWidget* CreateAdditionalTaxWindow(QWidget* owner) {
  return OwnedWindow(new QWidget(owner), QStringLiteral("加算税の計算"));
}

QWidget* CreateIncorporationWindow(QWidget* owner) {
  return OwnedWindow(new QWidget(owner), QStringLiteral("法人成りの節税額計算"));
}
