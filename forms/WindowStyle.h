// The style the windows draw their group boxes and push buttons in: the
// application's style, with two things drawn the classic way the window
// layouts are made for.
//
//  - A group box's title stands on its top frame line, which is broken behind
//    the title; the frame starts at the middle of the title, so controls
//    placed just below the title clear the line.
//  - A push-button caption wider than the room inside the button's frame is
//    drawn with its letters closer together, so that it never touches the
//    frame; captions that fit are drawn as the application's style draws them.
//  - A radio button marked with kCompactCaption has its caption closer to
//    its circle, for rows of buttons placed close together.
#pragma once

#include <QProxyStyle>

class WindowStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // `base` is the style to draw everything else in; the window style owns it.
  explicit WindowStyle(QStyle* base);

  // The one instance the windows share, over the application's style of the
  // moment it is first asked for. It lives as long as the application.
  static WindowStyle* Shared();

  // The property that draws a radio button's caption closer to its circle.
  static constexpr const char* kCompactCaption = "compactCaption";

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
};
