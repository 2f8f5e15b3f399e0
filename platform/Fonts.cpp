#include "platform/Fonts.h"

namespace tavenko::platform {

QStringList GothicFamilies() {
  return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")};
}

}  // namespace tavenko::platform
