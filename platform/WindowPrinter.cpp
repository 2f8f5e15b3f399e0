#include "WindowPrinter.h"

#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace tavenko::platform {

bool PrintWindowWithDialog(QWidget* window) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, window);
  if (dialog.exec() != QDialog::Accepted) return false;
  PrintWindow(window, printer);
  return true;
}

void PrintWindow(QWidget* window, QPrinter& printer) {
  const QPixmap image = window->grab();
  QPainter painter(&printer);
  // Screen pixels to printer dots: the window prints at its on-screen size.
  const qreal scale = qreal(printer.resolution()) / qreal(window->logicalDpiX());
  painter.scale(scale, scale);
  painter.drawPixmap(0, 0, image);
}

}  // namespace tavenko::platform
