#include "platform/Fonts.h"

#include <QFontDatabase>
#include <fontconfig/fontconfig.h>

namespace tavenko::platform {

QStringList GothicFamilies() {
  return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")};
}

QStringList InstalledGothicFamilies() {
  static const QStringList installed = [] {
    const QStringList families = QFontDatabase::families();
    QStringList found;
    for (const QString& family : GothicFamilies())
      if (families.contains(family, Qt::CaseInsensitive)) found << family;
    return found.isEmpty() ? GothicFamilies() : found;
  }();
  return installed;
}

void ReadFontConfiguration() { FcInit(); }

}  // namespace tavenko::platform
