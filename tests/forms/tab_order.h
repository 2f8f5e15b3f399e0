// Tab through a window as a keyboard user does, and the order a reader's eye
// takes: rows top to bottom, left to right within a row.
#pragma once

#include <QApplication>
#include <QWidget>
#include <QtTest>
#include <cstdlib>

namespace tab_order {

// The controls Tab visits from `first` until it comes back (at most 100
// presses); a control that takes Tab between its own parts (a date's year,
// month and day) is one stop.
inline QList<QWidget*> TabWalk(QWidget* first) {
  first->setFocus(Qt::TabFocusReason);
  QList<QWidget*> visited{first};
  for (int i = 0; i < 100; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    if (focus == first) break;
    if (focus != visited.last()) visited << focus;
  }
  return visited;
}

// The first pair of `visited` (in `window`) that goes against the reading
// order, as "A then B"; empty when none does. Controls whose centres lie
// within `rowHeight` pixels of height share a row.
inline QString FirstOutOfOrder(QWidget& window, const QList<QWidget*>& visited, int rowHeight = 8) {
  const auto centre = [&window](QWidget* w) { return w->mapTo(&window, w->rect().center()); };
  for (int i = 1; i < visited.size(); ++i) {
    const QPoint a = centre(visited[i - 1]), b = centre(visited[i]);
    const bool inOrder = std::abs(a.y() - b.y()) <= rowHeight ? b.x() > a.x() : b.y() > a.y();
    if (!inOrder) return visited[i - 1]->objectName() + " then " + visited[i]->objectName();
  }
  return {};
}

}  // namespace tab_order
