// What the windows opened from the main window share under an edition: a
// title that names any edition but the specified one (平成29年版 keeps the
// designed titles), and figure fields added in code for an edition's extra
// figures, set up like a designed field of the window.
#pragma once

#include <QRect>
#include <QString>

#include "law/Edition.h"

class QLabel;
class QWidget;
class TNValEdit;

// "総合課税" stays as designed under 平成29年版; "総合課税　令和７年分" otherwise.
void TitleForEdition(QWidget* window, const tavenko::law::Edition& law);

// A new figure field in `parent` with the designed settings of `model`, its
// name and place (its accessible name comes from AccessibleNames.cpp, as
// every field's does). Call before LoadNumericFields.
TNValEdit* NewFieldLike(const TNValEdit* model, QWidget* parent, const QString& name, const QRect& geometry);

// A new prompt in `parent`.
QLabel* NewLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& text);
