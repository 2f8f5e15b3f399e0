#include "platform/Fonts.h"

#include <fontconfig/fontconfig.h>

namespace tavenko::platform {

QStringList GothicFamilies() {
  return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")};
}

void ReadFontConfiguration() { FcInit(); }

}  // namespace tavenko::platform
