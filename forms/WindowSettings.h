// What the main and comparison windows keep in the settings file: the
// settings component they share, their stored positions, and saving a
// window's settings so that a refusal is told to the user once.
//
// Reads never fail: a missing or unreadable value gives its default. Writes
// say why they were refused, and SaveSettings tells the user.
#pragma once

#include <QPoint>
#include <QString>
#include <variant>
#include <vector>

class QWidget;
class TIniGT;

// The window's settings component IniGT1: the settings file named after the
// program, beside it (else in the user's settings folder), values unfenced.
TIniGT* AddSettingsFile(QWidget* window);

// One value a window keeps in the settings file.
struct StoredSetting {
  QString section;
  QString key;
  std::variant<int, bool, QString> value;  // QString: written as it stands
};

// The position stored for a window under "form", "<windowKey>.top" and
// "<windowKey>.left" (80 and 80 without one). A position where no screen
// would show the window's title bar (a screen since removed, a hand-edited
// file) gives the default too.
QPoint StoredPosition(const TIniGT& ini, const QString& windowKey);
// The window's position as it is stored under those keys: its frame's top
// and left.
std::vector<StoredSetting> PositionSettings(const QWidget& window, const QString& windowKey);

// Writes a window's settings into `ini` in order; the first refused write
// ends them. The first refusal of each settings file in a program run tells
// the user, with the reason, that the settings could not be saved; later
// ones (the next window closed) are quiet.
void SaveSettings(QWidget* window, TIniGT* ini, const std::vector<StoredSetting>& settings);
