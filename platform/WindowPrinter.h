// Printing a window: the printer set-up dialog, then the window drawn on the
// printer at the printer's resolution, at its size on the screen.
#pragma once

class QPainter;
class QPrinter;
class QWidget;

namespace tavenko::platform {

// Shows the printer set-up dialog; prints `window` when the user confirms.
// Returns false when the dialog was cancelled or printing failed (nothing is
// printed).
bool PrintWindowWithDialog(QWidget* window);

// Draws `window` and its controls on `printer` at its resolution. When
// the printer or its file cannot be opened (a folder that does not exist),
// a message box says so and false is returned.
bool PrintWindow(QWidget* window, QPrinter& printer);

// Opens `painter` on `printer` for what `window` prints. When the printer or
// its file cannot be opened, a message box of `window` says so and false is
// returned.
bool BeginPrinting(QPainter& painter, QPrinter& printer, QWidget* window);

}  // namespace tavenko::platform
