// What every window of the program shares in its look: the Japanese gothic
// font and the print button's picture.
#pragma once

#include <QFont>
#include <QIcon>

// Lets the window fonts ask for "ＭＳ Ｐゴシック" and fall back to the
// proportional gothic faces found on the system. Safe to call more than once.
void InstallJapaneseFontFallbacks();

// "ＭＳ Ｐゴシック" where installed, else its metric twin IPAPGothic.
QFont WindowFont(int pixelSize = 12);

// A picture from the desktop's icon theme, or our own from the resources.
QIcon ThemeIcon(const QString& themeName, const QString& fallbackResource);

// The printer picture of the print buttons.
QIcon PrintIcon();
