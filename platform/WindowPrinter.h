// Printing a window: the printer set-up dialog, then the window's image
// scaled from screen resolution to the printer's.
#pragma once

class QPainter;
class QPrinter;
class QWidget;

namespace tavenko::platform {

// Shows the printer set-up dialog; prints `window` when the user confirms.
// Returns false when the dialog was cancelled or printing failed (nothing is
// printed).
bool PrintWindowWithDialog(QWidget* window);

// Draws the image of `window` on `printer`, scaled to its resolution. When
// the printer or its file cannot be opened (a folder that does not exist),
// a message box says so and false is returned.
bool PrintWindow(QWidget* window, QPrinter& printer);

// Opens `painter` on `printer` for what `window` prints. When the printer or
// its file cannot be opened, a message box of `window` says so and false is
// returned.
bool BeginPrinting(QPainter& painter, QPrinter& printer, QWidget* window);

}  // namespace tavenko::platform
