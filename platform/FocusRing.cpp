#include "platform/FocusRing.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QApplication>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QWidget>

namespace tavenko::platform {
namespace {

int hiddenCount = 0;

// Two lines that stand out on any ground: a dark blue line on the control's
// edge, seen on light grounds, and a white line inside it, seen on dark ones.
const QColor kOuterLine(0, 84, 166);
const QColor kInnerLine(255, 255, 255);
constexpr int kOuterWidth = 2;

// Draws the ring over the focused control after the control has drawn
// itself: its paint event is passed on first, then the ring goes on top.
class FocusRing : public QObject {
 public:
  using QObject::QObject;

  static FocusRing* Shared() {
    static QPointer<FocusRing> shared;
    if (!shared) {
      shared = new FocusRing(qApp);
      QObject::connect(qApp, &QApplication::focusChanged, shared, &FocusRing::Follow);
      shared->Follow(nullptr, QApplication::focusWidget());
    }
    return shared;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || passing_ || !target_ || (watched != target_ && watched != surface_))
      return false;
    passing_ = true;
    QCoreApplication::sendEvent(watched, event);
    passing_ = false;
    if (hiddenCount == 0 && target_->hasFocus()) Draw(static_cast<QWidget*>(watched));
    return true;
  }

 private:
  // The scroll bar draws its focus its own way.
  static bool Wanted(const QWidget* widget) {
    return widget && !qobject_cast<const QAbstractSlider*>(widget);
  }

  // A scroll area's frame is thin and its headers cover part of it: the
  // ring goes round the area it scrolls (its viewport) too.
  void Follow(QWidget*, QWidget* now) {
    for (QWidget* was : {target_.data(), surface_.data()}) {
      if (!was) continue;
      was->removeEventFilter(this);
      was->update();
    }
    target_ = Wanted(now) ? now : nullptr;
    const auto* area = qobject_cast<QAbstractScrollArea*>(target_);
    surface_ = area ? area->viewport() : nullptr;
    for (QWidget* is : {target_.data(), surface_.data()}) {
      if (!is) continue;
      is->installEventFilter(this);
      is->update();
    }
  }

  static void Draw(QWidget* widget) {
    QPainter painter(widget);
    const QRect edge = widget->rect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
    QPen outer(kOuterLine, kOuterWidth);
    outer.setJoinStyle(Qt::MiterJoin);
    painter.setPen(outer);
    painter.drawRect(QRectF(edge).adjusted(kOuterWidth / 2.0, kOuterWidth / 2.0, -kOuterWidth / 2.0,
                                           -kOuterWidth / 2.0));
    painter.setPen(QPen(kInnerLine, 1));
    painter.drawRect(QRectF(edge).adjusted(kOuterWidth + 0.5, kOuterWidth + 0.5, -kOuterWidth - 0.5,
                                           -kOuterWidth - 0.5));
  }

  QPointer<QWidget> target_;
  QPointer<QWidget> surface_;  // a scroll area's viewport
  bool passing_ = false;
};

}  // namespace

void KeepFocusVisible() { FocusRing::Shared(); }

FocusRingHidden::FocusRingHidden() { ++hiddenCount; }
FocusRingHidden::~FocusRingHidden() { --hiddenCount; }

}  // namespace tavenko::platform
