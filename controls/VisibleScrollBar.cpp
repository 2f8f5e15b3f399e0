#include "controls/VisibleScrollBar.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace {

// Dark enough on a light track and light enough against a dark window.
const QColor kHandle(0, 102, 153);
const QColor kHandleEdge(0, 51, 77);
const QColor kFocusFrame(0, 0, 0);
const QColor kFocusHalo(255, 255, 255);

}  // namespace

void TVisibleScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect handle = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
  QPainter painter(this);
  painter.setPen(kHandleEdge);
  painter.setBrush(isEnabled() ? kHandle : kHandle.lighter(180));
  painter.drawRect(handle.adjusted(1, 1, -2, -2));
  if (hasFocus()) {
    // A dark frame inside a light one, seen on any ground.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFocusHalo, 1));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    painter.setPen(QPen(kFocusFrame, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}
