// What a screen reader says for the controls of every window: one table per
// window (AccessibleNames.cpp) gives each control the name a sighted user
// reads beside it, and each figure field its unit in the description.
//
// The windows are laid out by position, so Qt cannot pair a prompt with its
// field by itself: the tables say which prompt, caption or row and column
// headings name a field. A name that follows a caption (the main window's
// result captions, which change per case) and a description that follows
// the unit switch or a chart's slices and bars keep up by themselves; the
// handlers that change them need not know.
#pragma once

class QWidget;

// Names and describes the controls of `window`, one of the program's windows
// known by its objectName ("TForm1", "QuickTableWindow"...). Called once
// the window's controls exist, the edition's extra ones included
// (FinishWindowLook does).
void MakeReadable(QWidget* window);
