// What the main and comparison windows keep in the settings file: where a
// stored position puts a window, and saving a window's settings so that a
// refusal is told to the user once.
#pragma once

#include <functional>

class QWidget;
class TIniGT;

// Puts `left`, `top` at `fallback` when no screen would show the title bar of
// a window placed there: a screen since removed, or a hand-edited file.
void KeepOnAScreen(int& left, int& top, int fallback);

// Runs the writes of a window's settings into `ini`; the first refused write
// ends them. The first refusal of each settings file in a program run tells
// the user, with the reason, that the settings could not be saved; later
// ones (the next key, the next window closed) are quiet.
void SaveSettings(QWidget* window, TIniGT* ini, const std::function<void()>& writes);
