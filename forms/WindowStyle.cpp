#include "forms/WindowStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <cmath>

namespace {

constexpr int kTitleIndent = 8;       // from the box's left edge to the gap in the frame line
constexpr int kTitleGap = 2;          // frame line left open on either side of the title
constexpr int kCaptionClearance = 2;  // between the ink of a caption and the frame, either side

// A titled group box without a check box: the only kind the window style
// draws itself.
const QStyleOptionGroupBox* PlainTitledBox(const QStyleOptionComplex* option) {
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (!box || box->text.isEmpty() || (box->subControls & QStyle::SC_GroupBoxCheckBox)) return nullptr;
  return box;
}

}  // namespace

WindowStyle::WindowStyle(QStyle* base) : QProxyStyle(base) {}

WindowStyle* WindowStyle::Shared() {
  static QPointer<WindowStyle> shared;
  if (!shared) {
    shared = new WindowStyle(QStyleFactory::create(QApplication::style()->name()));
    shared->setParent(qApp);
  }
  return shared;
}

QRect WindowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                  const QWidget* widget) const {
  const QStyleOptionGroupBox* box = control == CC_GroupBox ? PlainTitledBox(option) : nullptr;
  if (!box) return QProxyStyle::subControlRect(control, option, part, widget);

  const int titleHeight = box->fontMetrics.height();
  const QRect frame = box->rect.adjusted(0, titleHeight / 2, 0, 0);
  switch (part) {
    case SC_GroupBoxLabel: {
      const int textWidth = box->fontMetrics.size(Qt::TextShowMnemonic, box->text).width();
      const QRect label(box->rect.left() + kTitleIndent, box->rect.top(), textWidth + 2 * kTitleGap,
                        titleHeight);
      return visualRect(box->direction, box->rect, label);
    }
    case SC_GroupBoxFrame: return frame;
    case SC_GroupBoxContents: {
      const int line = proxy()->pixelMetric(PM_DefaultFrameWidth, box, widget);
      return QRect(frame.left() + line, box->rect.top() + titleHeight, frame.width() - 2 * line,
                   frame.bottom() - line - (box->rect.top() + titleHeight) + 1);
    }
    default: return QProxyStyle::subControlRect(control, option, part, widget);
  }
}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
  const QStyleOptionGroupBox* box = control == CC_GroupBox ? PlainTitledBox(option) : nullptr;
  if (!box) return QProxyStyle::drawComplexControl(control, option, painter, widget);

  const QRect label = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
  if (box->subControls & SC_GroupBoxFrame) {
    // An etched line: a shadow line with a light line beside it. (The base
    // style's own group frame would put its top line below the title again.)
    const QRect frame = subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget);
    painter->save();
    painter->setClipRegion(QRegion(box->rect).subtracted(label));  // the title breaks the line
    painter->setBrush(Qt::NoBrush);
    painter->setPen(box->palette.color(QPalette::Mid));
    painter->drawRect(frame.adjusted(0, 0, -2, -2));
    painter->setPen(box->palette.color(QPalette::Light));
    painter->drawRect(frame.adjusted(1, 1, -1, -1));
    painter->restore();
  }
  if (box->subControls & SC_GroupBoxLabel) {
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    if (!proxy()->styleHint(SH_UnderlineShortcut, box, widget)) flags |= Qt::TextHideMnemonic;
    proxy()->drawItemText(painter, label.adjusted(kTitleGap, 0, -kTitleGap, 0), flags, box->palette,
                          box->state & State_Enabled, box->text, QPalette::WindowText);
  }
}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
  if (element != CE_PushButtonLabel || !button || !button->icon.isNull() || button->text.isEmpty() ||
      (button->features & QStyleOptionButton::HasMenu))
    return QProxyStyle::drawControl(element, option, painter, widget);

  // The caption is measured by its ink, not by its advance: the gothic
  // brackets carry blank space inside their cells, which would let the ink
  // of the first letter touch the frame while the caption "fits".
  QFont font = painter->font();
  QFontMetricsF metrics(font);
  QRectF ink = metrics.tightBoundingRect(button->text);
  const qreal room =
      button->rect.width() - 2 * kCaptionClearance;  // the option's rectangle is inside the frame
  if (ink.width() > room) {
    // Each letter gives up an equal share of the excess, rounded up to a
    // quarter pixel so that the caption surely fits.
    const qreal perLetter = std::ceil((ink.width() - room) / button->text.size() * 4) / 4;
    font.setLetterSpacing(QFont::AbsoluteSpacing, -perLetter);
    metrics = QFontMetricsF(font);
    ink = metrics.tightBoundingRect(button->text);
  }
  // The base style centres the advance; shift so that it centres the ink.
  QStyleOptionButton centred(*button);
  centred.rect.translate(qRound((metrics.horizontalAdvance(button->text) - ink.width()) / 2 - ink.left()), 0);
  painter->save();
  painter->setFont(font);
  QProxyStyle::drawControl(element, &centred, painter, widget);
  painter->restore();
}

int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  // Two pixels between the circle and a compact caption.
  if (metric == PM_RadioButtonLabelSpacing && widget && widget->property(kCompactCaption).toBool()) return 2;
  return QProxyStyle::pixelMetric(metric, option, widget);
}
