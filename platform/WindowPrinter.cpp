#include "platform/WindowPrinter.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "platform/FocusRing.h"
#include "platform/Messages.h"

namespace tavenko::platform {

bool PrintWindowWithDialog(QWidget* window) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, window);
  if (dialog.exec() != QDialog::Accepted) return false;
  return PrintWindow(window, printer);
}

bool BeginPrinting(QPainter& painter, QPrinter& printer, QWidget* window) {
  if (painter.begin(&printer)) return true;
  const QString file = printer.outputFileName();
  const QString cause = file.isEmpty()
                            ? QStringLiteral("プリンター「%1」を使えません。").arg(printer.printerName())
                            : QStringLiteral("%1 に書き込めません。").arg(file);
  ShowMessage(window, QStringLiteral("印刷できませんでした。\n") + cause);
  return false;
}

namespace {

// The finest a window is drawn for a printer: finer than any eye reads on
// paper, and a window of 714 × 482 stays below 60 MB while it is drawn.
constexpr qreal kMostDotsPerInch = 600;

}  // namespace

bool PrintWindow(QWidget* window, QPrinter& printer) {
  QPainter painter;
  if (!BeginPrinting(painter, printer, window)) return false;
  // The window draws itself at the printer's resolution (up to the finest
  // above), not as the screen shows it scaled up, so that its text is sharp
  // on paper; the picture goes into a PDF file without lossy compression.
  const qreal screenDpi = window->logicalDpiX();
  QPixmap picture(window->size() * (std::min<qreal>(printer.resolution(), kMostDotsPerInch) / screenDpi));
  picture.setDevicePixelRatio(qreal(picture.width()) / window->width());
  const FocusRingHidden onPaper;  // the paper shows the window, not where the keyboard was
  window->render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  // Screen pixels to printer dots: the window prints at its on-screen size.
  const qreal scale = qreal(printer.resolution()) / screenDpi;
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::LosslessImageRendering);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QPointF(0, 0), picture);
  return true;
}

}  // namespace tavenko::platform
