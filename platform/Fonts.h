// The font faces of the program's windows, its help window included.
#pragma once

#include <QStringList>

namespace tavenko::platform {

// The proportional gothic faces every window asks for, first choice first:
// "ＭＳ Ｐゴシック", its Latin name, and IPAPGothic, the face with its
// metrics on Linux, so that the designed pixel layout holds.
QStringList GothicFamilies();

// Those of GothicFamilies() that are installed, in the same order; all of
// them where none is. The window fonts ask for these: a face asked for that
// is not installed sends the font database through its fallbacks for every
// script a window writes in, to arrive at the same letters a millisecond or
// two later. Reads the font database the first time.
QStringList InstalledGothicFamilies();

// Reads the system's font configuration and its list of fonts: the longest
// step before the first text can be measured. Safe on any thread; once read,
// a second call costs nothing. The program reads it on a thread of its own
// while the rest of its set-up goes on.
void ReadFontConfiguration();

}  // namespace tavenko::platform
