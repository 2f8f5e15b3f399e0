// A ring drawn around the control that has the keyboard focus, in every
// window of the program, so that a user who works by keyboard always sees
// where the next key goes: on the read-only result fields and the picture
// buttons too, whose focus the desktop style draws faintly or not at all.
//
// The ring is drawn on top of the control, inside its edge, and only while
// the control has the focus: the designed look of a window is unchanged
// otherwise, and a window drawn for the printer never shows it.
#pragma once

namespace tavenko::platform {

// From now on the focused control of any window shows the ring. Safe to call
// more than once; every window calls it as it is built.
void KeepFocusVisible();

// While one of these lives, no ring is drawn (a window drawn as a picture).
class FocusRingHidden {
 public:
  FocusRingHidden();
  ~FocusRingHidden();
  FocusRingHidden(const FocusRingHidden&) = delete;
  FocusRingHidden& operator=(const FocusRingHidden&) = delete;
};

}  // namespace tavenko::platform
