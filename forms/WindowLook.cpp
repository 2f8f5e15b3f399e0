#include "forms/WindowLook.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include "forms/AccessibleNames.h"
#include "forms/WindowStyle.h"
#include "platform/FocusRing.h"
#include "platform/Fonts.h"

// The pictures of a static library's resource file are registered by hand,
// once (outside any namespace, as the registration function is global).
static void RegisterFormIcons() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)registered;
}

namespace {

// Enter and the keypad Enter press the push button that has the focus, as
// Space does; held down, they press it once.
class EnterPressesButton : public QObject {
 public:
  using QObject::QObject;

  static EnterPressesButton* Shared() {
    static QPointer<EnterPressesButton> shared;
    if (!shared) shared = new EnterPressesButton(qApp);
    return shared;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || !button->isEnabled()) return false;
    if (!key->isAutoRepeat()) button->click();
    return true;
  }
};

}  // namespace

void InstallJapaneseFontFallbacks() {
  const QStringList gothic = tavenko::platform::GothicFamilies();
  QFont::insertSubstitutions(gothic.front(), gothic.mid(1) + QStringList{QStringLiteral("IPA Pゴシック"),
                                                                         QStringLiteral("Noto Sans CJK JP")});
}

QFont WindowFont(int pixelSize) {
  QFont font;
  font.setFamilies(tavenko::platform::InstalledGothicFamilies());
  font.setPixelSize(pixelSize);
  return font;
}

QPalette DesignedPalette() {
  const QColor face(239, 239, 239);  // the button face, the ground of every window
  const QColor black(0, 0, 0);
  const QColor white(255, 255, 255);
  const QColor greyedText(120, 120, 120);
  QPalette palette(black, face, face.lighter(150), face.darker(150), face.darker(130), black, white, white,
                   face);
  palette.setColor(QPalette::Midlight, face.darker(130).lighter(110));
  palette.setColor(QPalette::Shadow, face.darker(150).darker(135));
  palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
  palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
  palette.setColor(QPalette::HighlightedText, white);
  palette.setColor(QPalette::Link, QColor(0, 0, 255));
  palette.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
  palette.setColor(QPalette::ToolTipText, black);
  palette.setColor(QPalette::PlaceholderText, greyedText);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, greyedText);
  palette.setColor(QPalette::Disabled, QPalette::Base, face);
  palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
  return palette;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  widget->setPalette(palette);
}

QColor ChartQColor(tavenko::calc::ChartColour colour) {
  using tavenko::calc::ChartColour;
  switch (colour) {
    case ChartColour::Red: return QColor(255, 0, 0);
    case ChartColour::Lime: return QColor(0, 255, 0);
    case ChartColour::Yellow: return QColor(255, 255, 0);
    case ChartColour::Blue: return QColor(0, 0, 255);
    case ChartColour::White: return QColor(255, 255, 255);
  }
  return {};
}

void BeginWindowLook(QWidget* window, WindowSizing sizing) {
  Qt::WindowFlags frame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  if (sizing == WindowSizing::Resizable) frame |= Qt::WindowMaximizeButtonHint;
  window->setWindowFlags(frame);
  window->setFont(WindowFont(12));
  window->setPalette(DesignedPalette());
  tavenko::platform::KeepFocusVisible();
}

void FinishWindowLook(QWidget* window) {
  WindowStyle* style = WindowStyle::Shared();
  for (QGroupBox* box : OwnWidgets<QGroupBox>(window)) box->setStyle(style);
  for (QPushButton* button : OwnWidgets<QPushButton>(window)) {
    button->setStyle(style);
    button->installEventFilter(EnterPressesButton::Shared());
  }
  MakeReadable(window);
}

QIcon ThemeIcon(const QString& themeName, const QString& fallbackResource) {
  RegisterFormIcons();
  // Without a desktop icon theme Qt looks in hicolor, the base theme that
  // holds the applications' own icons and no pictures of actions: reading its
  // index of some thousand lines would take longer than building the window.
  const QString desktopTheme = QIcon::themeName();
  if (desktopTheme.isEmpty() || desktopTheme == QLatin1String("hicolor")) return QIcon(fallbackResource);
  return QIcon::fromTheme(themeName, QIcon(fallbackResource));
}

QIcon PrintIcon() { return ThemeIcon(QStringLiteral("document-print"), QStringLiteral(":/icons/print.png")); }
