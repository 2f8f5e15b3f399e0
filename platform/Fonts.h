// The font faces of the program's windows, its help window included.
#pragma once

#include <QStringList>

namespace tavenko::platform {

// The proportional gothic faces every window asks for, first choice first:
// "ＭＳ Ｐゴシック", its Latin name, and IPAPGothic, the face with its
// metrics on Linux, so that the designed pixel layout holds.
QStringList GothicFamilies();

}  // namespace tavenko::platform
