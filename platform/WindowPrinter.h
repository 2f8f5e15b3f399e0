// Printing a window: the printer set-up dialog, then the window's image
// scaled from screen resolution to the printer's.
#pragma once

class QPrinter;
class QWidget;

namespace tavenko::platform {

// Shows the printer set-up dialog; prints `window` when the user confirms.
// Returns false when the dialog was cancelled (nothing is printed).
bool PrintWindowWithDialog(QWidget* window);

// Draws the image of `window` on `printer`, scaled to its resolution.
void PrintWindow(QWidget* window, QPrinter& printer);

}  // namespace tavenko::platform
