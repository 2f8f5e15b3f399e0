#include "forms/SecondaryWindows.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

#include "forms/QuickTableWindow.h"
#include "forms/Unit4.h"
#include "forms/kasanzei.h"
#include "forms/sougou.h"
#include "platform/HelpViewer.h"

namespace {

// The section of the usage page that tells of `window`.
QString UsageSectionOf(QWidget* window) {
  if (qobject_cast<TForm2*>(window)) return QStringLiteral("comprehensive");
  if (qobject_cast<TForm3*>(window)) return QStringLiteral("additional");
  if (qobject_cast<TForm4*>(window)) return QStringLiteral("incorporation");
  if (qobject_cast<TQuickTableWindow*>(window)) return QStringLiteral("quicktable");
  return {};
}

// A window owned by the main window (a top-level window of its own, as each
// window makes itself) that frees itself when closed and does not keep the
// program running once the main window has closed. F1 in it opens the usage help, as in the main window.
QWidget* OwnedWindow(QWidget* window, const QString& caption) {
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setAttribute(Qt::WA_QuitOnClose, false);
  if (window->windowTitle().isEmpty()) window->setWindowTitle(caption);
  tavenko::platform::AddUsageHelpKey(window, UsageSectionOf(window));
  window->hide();
  return window;
}

// Watches a window for its first paint and then, once that paint is on the
// screen, runs `work` once and goes.
class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget* window, std::function<void()> work) : QObject(window), work_(std::move(work)) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && work_) {
      watched->removeEventFilter(this);
      // Queued: the paint in progress is finished and flushed to the screen first.
      QTimer::singleShot(0, parent(), std::exchange(work_, nullptr));
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> work_;
};

}  // namespace

QWidget* CreateComprehensiveTaxWindow(QWidget* owner, tavenko::law::EditionId edition) {
  return OwnedWindow(new TForm2(edition, owner), QStringLiteral("総合課税"));
}

QWidget* CreateAdditionalTaxWindow(QWidget* owner, tavenko::law::EditionId edition) {
  return OwnedWindow(new TForm3(edition, owner), QStringLiteral("加算税の計算"));
}

QWidget* CreateIncorporationWindow(QWidget* owner, tavenko::law::EditionId edition) {
  return OwnedWindow(new TForm4(edition, owner), QStringLiteral("法人成りの節税額計算"));
}

QWidget* CreateQuickTableWindow(QWidget* owner, const tavenko::calc::MainCase& button,
                                const tavenko::calc::MainInputs& inputs) {
  return OwnedWindow(new TQuickTableWindow(button, inputs, owner), QStringLiteral("早見表"));
}

void RunAfterFirstPaint(QWidget* window, std::function<void()> work) { new AfterFirstPaint(window, std::move(work)); }

void CreateHiddenWindows(QWidget* mainWindow) {
  CreateComprehensiveTaxWindow(mainWindow, tavenko::law::EditionId::Heisei29);
  CreateAdditionalTaxWindow(mainWindow, tavenko::law::EditionId::Heisei29);
  CreateIncorporationWindow(mainWindow, tavenko::law::EditionId::Heisei29);
}
