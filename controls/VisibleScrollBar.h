// TVisibleScrollBar: a scroll bar used as a slider, whose handle stands out
// from its track and which shows a frame while it has the keyboard focus,
// whatever the desktop theme draws (many themes draw neither on a scroll
// bar, so a user moving it with the arrow keys sees nothing change but the
// handle's place).
#pragma once

#include <QScrollBar>

class TVisibleScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  using QScrollBar::QScrollBar;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
