#include "SecondaryWindows.h"

#include <QWidget>

namespace {

// Stand-in until the window's own class lands: an empty window with its caption.
QWidget* CreateCaptionedWindow(QWidget* owner, const QString& caption) {
  auto* window = new QWidget(owner, Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(caption);
  window->hide();
  return window;
}

}  // namespace

QWidget* CreateComprehensiveTaxWindow(QWidget* owner) {
  return CreateCaptionedWindow(owner, QStringLiteral("総合課税"));
}

QWidget* CreateAdditionalTaxWindow(QWidget* owner) {
  return CreateCaptionedWindow(owner, QStringLiteral("加算税の計算"));
}

QWidget* CreateIncorporationWindow(QWidget* owner) {
  return CreateCaptionedWindow(owner, QStringLiteral("法人成りの節税額計算"));
}
