#include "platform/WindowPrinter.h"

#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

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

bool PrintWindow(QWidget* window, QPrinter& printer) {
  QPainter painter;
  if (!BeginPrinting(painter, printer, window)) return false;
  const QPixmap image = window->grab();
  // Screen pixels to printer dots: the window prints at its on-screen size.
  const qreal scale = qreal(printer.resolution()) / qreal(window->logicalDpiX());
  painter.scale(scale, scale);
  painter.drawPixmap(0, 0, image);
  return true;
}

}  // namespace tavenko::platform
