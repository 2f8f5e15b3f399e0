// What every window of the program shares in its look: the frame, the
// Japanese gothic font, the light colours the windows are designed in, the
// text colours of prompts and fields, the colours of the charts, the way group
// boxes and buttons are drawn, and the print button's picture.
//
// Each window gives itself its look, in two steps around setupUi. Nothing of
// it reaches the windows it owns (font, palette and style stop at a window),
// so every window looks the same whether the main window opened it or not.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QPalette>
#include <QWidget>

#include "calc/ChartColour.h"

// Lets the window fonts ask for "ＭＳ Ｐゴシック" and fall back to the
// proportional gothic faces found on the system. Safe to call more than once.
void InstallJapaneseFontFallbacks();

// "ＭＳ Ｐゴシック" where installed, else its metric twin IPAPGothic (only
// the installed faces are asked for).
QFont WindowFont(int pixelSize = 12);

// The colours the windows are designed in: black text on the grey button
// face, white fields. A dark desktop theme does not reach them, since the
// windows' own teal, red, fuchsia and blue texts are made for these grounds.
QPalette DesignedPalette();

// A prompt or a field in the given text colour.
void SetTextColour(QWidget* widget, const QColor& colour);

// A pie slice's or a comparison bar's colour on the screen.
QColor ChartQColor(tavenko::calc::ChartColour colour);

// Whether a window keeps its designed size or may be resized by the user.
enum class WindowSizing { Designed, Resizable };

// Before setupUi: the window's frame, font and palette. The frame makes it a
// window of its own even where another window owns it, with a title bar, the
// system menu and the minimise and close buttons, and a maximise button only
// for a window that may grow. The font (12 px gothic) and the designed
// palette are inherited by every control the window then creates. The
// focused control shows a ring (platform/FocusRing.h).
void BeginWindowLook(QWidget* window, WindowSizing sizing = WindowSizing::Designed);

// After setupUi: the window's controls drawn in the window style (group-box
// titles on the frame line, captions fitted inside their buttons), Enter
// and the keypad Enter press a focused push button, as Space does, and the
// controls get the names a screen reader says (MakeReadable).
void FinishWindowLook(QWidget* window);

// A picture from the desktop's icon theme, or our own from the resources
// where the desktop has none or has chosen no theme.
QIcon ThemeIcon(const QString& themeName, const QString& fallbackResource);

// The printer picture of the print buttons.
QIcon PrintIcon();

// The widgets of `window` itself, not those of the windows it owns.
template <class Widget>
QList<Widget*> OwnWidgets(QWidget* window) {
  QList<Widget*> own;
  for (Widget* widget : window->findChildren<Widget*>())
    if (widget->window() == window) own << widget;
  return own;
}
