#include "WindowLook.h"

// The pictures of a static library's resource file are registered by hand,
// once (outside any namespace, as the registration function is global).
static void RegisterFormIcons() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)registered;
}

void InstallJapaneseFontFallbacks() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                              QStringLiteral("IPA Pゴシック"), QStringLiteral("Noto Sans CJK JP")});
}

QFont WindowFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
  font.setPixelSize(pixelSize);
  return font;
}

QIcon ThemeIcon(const QString& themeName, const QString& fallbackResource) {
  RegisterFormIcons();
  return QIcon::fromTheme(themeName, QIcon(fallbackResource));
}

QIcon PrintIcon() { return ThemeIcon(QStringLiteral("document-print"), QStringLiteral(":/icons/print.png")); }
