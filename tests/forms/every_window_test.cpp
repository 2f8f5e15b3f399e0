// What every window shows and how its buttons take the keyboard, checked in
// all four as the program opens them (the three others from the main
// window's buttons, so as its children): each window in its own fonts, no
// figure ever cut, the designed colours whatever the desktop theme, group-box
// frames clear of the controls in them, button captions clear of their
// frames, and Enter pressing a focused button.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QtTest>
#include <cmath>
#include <memory>

#include "controls/IniGT.h"
#include "controls/NValEdit.h"
#include "forms/WindowLook.h"
#include "forms/zentai.h"
#include "platform/Messages.h"

namespace {

// The main window and the three windows its buttons open.
struct Windows {
  std::unique_ptr<TForm1> main;
  QList<QWidget*> all;  // TForm1, TForm2, TForm3, TForm4, 早見表

  explicit Windows(const QString& settingsPath) {
    main = std::make_unique<TForm1>();
    main->findChild<TIniGT*>(QStringLiteral("IniGT1"))->setFileName(settingsPath);
    main->show();
    all << main.get();
    for (const char* button : {"BitBtn25", "BitBtn24", "BitBtn26"}) {
      QTest::mouseClick(main->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
      all << main->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).constLast();
    }
    main->OpenQuickTable("BitBtn1");
    all << main->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).constLast();
    for (QWidget* window : all) {
      if (auto* settings = window->findChild<TIniGT*>(QStringLiteral("IniGT1"), Qt::FindDirectChildrenOnly))
        settings->setFileName(settingsPath);
      window->show();
      if (!QTest::qWaitForWindowExposed(window)) qFatal("%s never shown", qPrintable(window->objectName()));
    }
  }
  ~Windows() {
    for (QWidget* window : all.mid(1)) window->close();
    main->close();
  }
};

QString Name(QWidget* widget) { return widget->window()->objectName() + '.' + widget->objectName(); }

// Where a control draws in its parent: a label only where its text goes
// (some labels are laid out wider than their text).
QRect Drawn(QWidget* control) {
  auto* label = qobject_cast<QLabel*>(control);
  if (!label) return control->geometry();
  const QRect text =
      label->fontMetrics().boundingRect(label->contentsRect(), int(label->alignment()), label->text());
  return text.translated(label->pos());
}

// The width a line edit's text may take before the edit scrolls it: the
// contents less the text margins, QLineEdit's 2 px either side, and a pixel
// each for its own slack and the caret.
int TextRoom(QLineEdit* field) {
  QStyleOptionFrame panel;
  panel.initFrom(field);
  panel.lineWidth =
      field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, field) : 0;
  const QRect contents = field->style()->subElementRect(QStyle::SE_LineEditContents, &panel, field);
  return contents.marginsRemoved(field->textMargins()).width() - 2 * 2 - 2;
}

// The largest magnitude a field's digit settings let it hold.
long double LargestValue(const TNValEdit* field) {
  const int digits = field->MaxDigits();
  const int decimals = std::max(field->FixDecimal(), 0);
  return std::pow(10.0L, digits - decimals) - std::pow(10.0L, -decimals);
}

// The frame lines a group box draws, found in its own picture (without its
// controls): each line is the first pixel, coming in from an edge, that
// differs from the ground. The top line is looked for near the right end,
// away from the title.
QRect DrawnFrameLines(QGroupBox* box) {
  QImage image(box->size(), QImage::Format_RGB32);
  image.fill(box->palette().color(QPalette::Window));
  box->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  const QRgb ground = image.pixel(image.width() - 1, 0);
  const auto differs = [&](int x, int y) {
    const QRgb p = image.pixel(x, y);
    return std::abs(qGray(p) - qGray(ground)) > 12;
  };
  const int x = image.width() - 12;
  int top = 0, bottom = image.height() - 1;
  while (top < image.height() - 1 && !differs(x, top)) ++top;
  while (bottom > 0 && !differs(x, bottom)) --bottom;
  const int y = (top + bottom) / 2;
  int left = 0, right = image.width() - 1;
  while (left < image.width() - 1 && !differs(left, y)) ++left;
  while (right > 0 && !differs(right, y)) --right;
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

// WCAG relative luminance and contrast ratio.
double Luminance(const QColor& colour) {
  const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette() {
  QPalette dark;
  const QColor ground(53, 53, 53), field(35, 35, 35), light(230, 230, 230);
  // clang-format off
  for (auto [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
           {QPalette::Window, ground}, {QPalette::WindowText, light}, {QPalette::Base, field},
           {QPalette::AlternateBase, ground}, {QPalette::Text, light}, {QPalette::Button, ground},
           {QPalette::ButtonText, light}, {QPalette::ToolTipBase, field}, {QPalette::ToolTipText, light}})
    // clang-format on
    dark.setColor(role, colour);
  return dark;
}

// Every visible text of a window with the colour it is written in and the
// colour behind it.
struct ShownText {
  QString name;
  QColor text, ground;
};
QList<ShownText> VisibleTexts(QWidget* window) {
  QList<ShownText> texts;
  const auto behind = [](QWidget* w) {
    QWidget* parent = w->parentWidget();
    return parent->palette().color(parent->backgroundRole());
  };
  for (QWidget* w : OwnWidgets<QWidget>(window)) {
    if (!w->isVisible() || !w->isEnabled()) continue;
    const QPalette& p = w->palette();
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
      texts.append({Name(w), p.color(QPalette::Text), p.color(QPalette::Base)});
    else if (qobject_cast<QPushButton*>(w))
      texts.append({Name(w), p.color(QPalette::ButtonText), p.color(QPalette::Button)});
    else if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w))
      texts.append({Name(w), p.color(QPalette::WindowText), behind(w)});
  }
  return texts;
}

// A calculation in every window, so that each shows its results and the
// main window its highlighted inputs (the 早見表 window shows its table as it
// opens).
void CalculateInEveryWindow(Windows& windows) {
  TForm1& main = *windows.main;
  main.findChild<TNValEdit*>(QStringLiteral("NValEdit11"))->setValue(800);
  QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  const QStringList calculate{"", "BitBtn1", "BitBtn1", "BitBtn2"};
  for (int i = 1; i < calculate.size(); ++i) {
    windows.all[i]->findChild<TNValEdit*>(QStringLiteral("NValEdit1"))->setValue(5000);
    QTest::mouseClick(windows.all[i]->findChild<QPushButton*>(calculate[i]), Qt::LeftButton);
  }
}

}  // namespace

class EveryWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir settingsDir;
  QString SettingsPath() const { return settingsDir.filePath(QStringLiteral("Tavenko.ini")); }

 private slots:
  void initTestCase() {
    tavenko::platform::SetMessageHook([](const QString&) {});
  }
  void cleanupTestCase() { tavenko::platform::SetMessageHook({}); }

  // Every window has the same frame, whoever owns it: a title bar with the
  // system menu, minimise and close; maximise only where the window can grow
  // (the 早見表), none on the windows of designed size.
  void everyWindowHasTheSameFrame() {
    Windows windows(SettingsPath());
    for (QWidget* window : windows.all) {
      const Qt::WindowFlags flags = window->windowFlags();
      QVERIFY2(window->isWindow(), qPrintable(window->objectName()));
      for (Qt::WindowType hint : {Qt::WindowTitleHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                  Qt::WindowCloseButtonHint})
        QVERIFY2(flags.testFlag(hint), qPrintable(window->objectName()));
      const bool canGrow = window->minimumSize() != window->maximumSize();
      QVERIFY2(flags.testFlag(Qt::WindowMaximizeButtonHint) == canGrow, qPrintable(window->objectName()));
    }
  }

  // The main window's 15-px prompts and fields stay in the main window: the
  // others keep their own 12-px font, in labels and fields alike (the
  // comparison window has 15-px fields of its own).
  void eachWindowInItsOwnFonts() {
    Windows windows(SettingsPath());
    const QStringList mainLargePrompts{"Label1", "Label2", "Label3", "Label4"};
    const QList<int> fieldPixels{15, 12, 12, 15, 15};
    for (int i = 0; i < windows.all.size(); ++i) {
      QWidget* window = windows.all[i];
      for (QLabel* label : OwnWidgets<QLabel>(window)) {
        const int expected = i == 0 && mainLargePrompts.contains(label->objectName()) ? 15 : 12;
        QVERIFY2(QFontInfo(label->font()).pixelSize() == expected, qPrintable(Name(label)));
      }
      for (TNValEdit* field : OwnWidgets<TNValEdit>(window))
        QVERIFY2(QFontInfo(field->DesignedFont()).pixelSize() == fieldPixels[i], qPrintable(Name(field)));
      for (QPushButton* button : OwnWidgets<QPushButton>(window))
        QVERIFY2(QFontInfo(button->font()).pixelSize() == 12, qPrintable(Name(button)));
    }
  }

  // Every figure field of every window, at the largest and the most negative
  // value its settings allow, shows its whole figure: smaller when needed,
  // with the figure in the tooltip, and in the designed font again once a
  // short figure returns.
  void noFigureIsShownCut() {
    Windows windows(SettingsPath());
    int shrunkFields = 0;
    for (QWidget* window : windows.all) {
      for (TNValEdit* field : OwnWidgets<TNValEdit>(window)) {
        const long double largest = LargestValue(field);
        for (long double value : {largest, field->PrmtNegative() ? -largest : largest}) {
          field->setValue(value);
          const QString shown = field->text();
          const QString what = Name(field) + " showing " + shown;
          QVERIFY2(std::ceil(QFontMetricsF(field->font()).horizontalAdvance(shown)) <= TextRoom(field),
                   qPrintable(what));
          const bool shrunk =
              QFontInfo(field->font()).pixelSize() < QFontInfo(field->DesignedFont()).pixelSize();
          QCOMPARE(field->toolTip(), shrunk ? shown : QString());
          shrunkFields += shrunk;
        }
        field->setValue(1);
        QCOMPARE(field->font(), field->DesignedFont());
        QCOMPARE(field->toolTip(), QString());
      }
    }
    QVERIFY(shrunkFields > 0);  // the main window's result fields at least
  }

  // Under a dark desktop theme every window keeps the colours it is
  // designed in: each visible text has the colour and the ground it has
  // under a light theme, and every text in the window-text colour stands
  // out at 4.5:1 at least. (The designed teal, red, fuchsia and blue texts
  // keep their designed contrast with the button face.)
  void darkThemeLeavesTheDesignedColours() {
    const QPalette lightPalette = QApplication::palette();
    const QString lightStyle = QApplication::style()->name();
    // Each window empty (with its notes), then after a calculation.
    const auto textsBeforeAndAfterCalculating = [](Windows& windows) {
      QList<ShownText> texts;
      for (QWidget* window : windows.all) texts += VisibleTexts(window);
      CalculateInEveryWindow(windows);
      for (QWidget* window : windows.all)
        for (ShownText t : VisibleTexts(window))
          texts.append({t.name + QStringLiteral(" calculated"), t.text, t.ground});
      return texts;
    };
    QMap<QString, QPair<QColor, QColor>> light;
    {
      Windows windows(SettingsPath());
      for (const ShownText& t : textsBeforeAndAfterCalculating(windows)) light[t.name] = {t.text, t.ground};
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
    const QList<QColor> designedAccents{QColor(0, 128, 128), QColor(255, 0, 0), QColor(255, 0, 255),
                                        QColor(0, 0, 255)};
    int checked = 0;
    {
      Windows windows(SettingsPath());
      for (const ShownText& t : textsBeforeAndAfterCalculating(windows)) {
        const QString what = t.name + QStringLiteral(" %1 on %2").arg(t.text.name(), t.ground.name());
        QVERIFY2(light.contains(t.name), qPrintable(what));
        QVERIFY2(light[t.name] == qMakePair(t.text, t.ground), qPrintable(what));
        if (!designedAccents.contains(t.text)) QVERIFY2(Contrast(t.text, t.ground) >= 4.5, qPrintable(what));
        ++checked;
      }
      const auto note = windows.all[2]->findChild<QLabel*>(QStringLiteral("Label15"));
      QCOMPARE(note->palette().color(QPalette::WindowText), QColor(0, 0, 255));  // a blue note, seen above
    }
    QApplication::setStyle(lightStyle);
    QApplication::setPalette(lightPalette);
    QVERIFY(checked > 100);
  }

  // A group box's controls, at their designed places or where its layout
  // puts them, stand clear of its frame lines as the box draws them.
  void groupBoxControlsClearTheFrame() {
    Windows windows(SettingsPath());
    int boxes = 0;
    for (QWidget* window : windows.all) {
      for (QGroupBox* box : OwnWidgets<QGroupBox>(window)) {
        const QRect lines = DrawnFrameLines(box);
        const QRect inside = lines.adjusted(2, 2, -2, -2);  // clear of a double (etched) line too
        for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
          if (box->layout() && child->isHidden()) continue;  // a layout places only what it shows
          const QString what = Name(child) + QStringLiteral(" at %1,%2 in %3, frame lines %4,%5 to %6,%7")
                                                 // clang-format off
                                                 .arg(Drawn(child).left()).arg(Drawn(child).top())
                                                 .arg(box->objectName()).arg(lines.left()).arg(lines.top())
                                                 .arg(lines.right()).arg(lines.bottom());
          // clang-format on
          QVERIFY2(inside.contains(Drawn(child)), qPrintable(what));
        }
        ++boxes;
      }
    }
    QCOMPARE(boxes, 3 + 4 + 3 + 3 + 2);
  }

  // Each caption is drawn inside its button with room to spare on both
  // sides (the longest ones, "贈（尊属）" and "相続税（兄弟）", included).
  void buttonCaptionsClearTheirFrames() {
    Windows windows(SettingsPath());
    int captions = 0;
    for (QWidget* window : windows.all) {
      for (QPushButton* button : OwnWidgets<QPushButton>(window)) {
        if (button->text().isEmpty()) continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.rect = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QImage image(button->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
          QPainter painter(&image);
          painter.setFont(button->font());
          button->style()->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, button);
        }
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x)
          for (int y = 0; y < image.height(); ++y)
            if (qAlpha(image.pixel(x, y)) > 64) {
              left = std::min(left, x);
              right = std::max(right, x);
            }
        const QString what = Name(button) + QStringLiteral(" ink %1..%2 inside %3..%4")
                                                .arg(left)
                                                .arg(right)
                                                .arg(option.rect.left())
                                                .arg(option.rect.right());
        QVERIFY2(left - option.rect.left() >= 2 && option.rect.right() - right >= 2, qPrintable(what));
        ++captions;
      }
    }
    QCOMPARE(captions, 27 + 3 + 3 + 3);
  }

  // Enter and the keypad Enter press the push button that has the focus, in
  // every window, as Space does.
  void enterPressesTheFocusedButton_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("typed");  // a figure the press works on
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("pressedShows");  // a field that the press shows and fills
    QTest::addColumn<int>("key");
    // clang-format off
    for (auto [key, keyName] : {std::pair{int(Qt::Key_Return), "Enter"}, std::pair{int(Qt::Key_Enter), "keypad Enter"}}) {
      QTest::addRow("%s on 一般所得税", keyName) << 0 << "NValEdit11" << "BitBtn1" << "NValEdit5" << key;
      QTest::addRow("%s on 税額の計算", keyName) << 1 << "NValEdit1" << "BitBtn1" << "NValEdit21" << key;
      QTest::addRow("%s on 計　算", keyName) << 2 << "NValEdit5" << "BitBtn1" << "NValEdit9" << key;
      QTest::addRow("%s on the search", keyName) << 3 << "NValEdit1" << "BitBtn2" << "NValEdit20" << key;
      // clang-format on
    }
  }
  void enterPressesTheFocusedButton() {
    QFETCH(int, window);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, pressedShows);
    QFETCH(int, key);
    Windows windows(SettingsPath());
    QWidget* shown = windows.all[window];
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    shown->findChild<TNValEdit*>(typed)->setValue(5000);
    auto* pressed = shown->findChild<QPushButton*>(button);
    auto* result = shown->findChild<TNValEdit*>(pressedShows);
    QVERIFY(!result->isVisible() || result->text() == QStringLiteral("0"));
    pressed->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pressed, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QVERIFY(result->isVisible());
    QVERIFY2(result->text() != QStringLiteral("0"), qPrintable(result->text()));
  }

  // The print picture is the desktop theme's where the desktop has chosen a
  // theme, found as the icon-theme rules find it (a theme without one falls
  // back to hicolor's); else our own. Qt's fallback theme hicolor alone is
  // no choice, so it is not even read.
  void printPictureFollowsAChosenIconTheme_data() {
    QTest::addColumn<QString>("theme");
    QTest::addColumn<bool>("theThemes");
    QTest::newRow("no theme") << "" << false;
    QTest::newRow("hicolor, Qt's fallback") << "hicolor" << false;
    QTest::newRow("a chosen theme with a printer") << "chosen" << true;
    QTest::newRow("a chosen theme without one: hicolor's") << "plain" << true;
  }

  void printPictureFollowsAChosenIconTheme() {
    QFETCH(QString, theme);
    QFETCH(bool, theThemes);
    // Themes of one 16-pixel folder; all but "plain" have a red printer.
    QTemporaryDir icons;
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    for (const QString name : {"hicolor", "chosen", "plain"}) {
      QVERIFY(QDir(icons.path()).mkpath(name + "/16x16/actions"));
      QFile index(icons.filePath(name + "/index.theme"));
      QVERIFY(index.open(QIODevice::WriteOnly));
      index.write("[Icon Theme]\nName=" + name.toUtf8() +
                  "\nDirectories=16x16/actions\n[16x16/actions]\nSize=16\nType=Fixed\n");
      if (name != QLatin1String("plain")) QVERIFY(red.save(icons.filePath(name + "/16x16/actions/document-print.png")));
    }
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    QIcon::setThemeSearchPaths({icons.path()});
    QIcon::setThemeName(theme);
    const QColor shown = PrintIcon().pixmap(16).toImage().pixelColor(8, 8);
    QIcon::setThemeName(themeName);
    QIcon::setThemeSearchPaths(searchPaths);
    QCOMPARE(shown == QColor(Qt::red), theThemes);
  }
};

QTEST_MAIN(EveryWindowTest)
#include "every_window_test.moc"
