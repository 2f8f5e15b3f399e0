// The program's start-up: --help and --version answered without a window or
// a display, Qt's standard dialogs in Japanese, the hidden windows built only
// once the main window is on the screen, the icon on every window, and F1
// opening the usage help from every window.
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "Version.h"
#include "app/Startup.h"
#include "forms/SecondaryWindows.h"
#include "platform/HelpViewer.h"
#include "tests/forms/main_window_probe.h"

using main_window_probe::MainWindowProbe;
using main_window_probe::Press;
using main_window_probe::ShowAndActivate;
using tavenko::app::CommandLineAnswer;

namespace {

const QString kVersionLine = QStringLiteral("tavenko %1\n").arg(QLatin1String(tavenko::kVersion));

// The top-level windows the program shows, but for `except`.
QList<QWidget*> OtherShownWindows(const QList<QWidget*>& except) {
  QList<QWidget*> windows;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && !except.contains(w)) windows << w;
  return windows;
}

// Makes `window` the active window. (A window opened by the main window
// counts as active already while the main window is, so waiting for
// QWindow::isActive() would not wait.)
bool Activate(QWidget* window) {
  window->show();
  window->activateWindow();
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// The titles of the windows `owner` owns, in the order they were built.
QStringList OwnedWindowTitles(const QWidget& owner) {
  QStringList titles;
  for (QWidget* child : owner.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isWindow() && child->windowType() != Qt::Popup) titles << child->windowTitle();  // not menus
  return titles;
}

// Notes what `owner` owns when its first paint arrives.
class FirstPaintWitness : public QObject {
 public:
  explicit FirstPaintWitness(QWidget* owner) : owner_(owner) { owner->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted) {
      painted = true;
      ownedAtFirstPaint = OwnedWindowTitles(*owner_);
    }
    return false;
  }
  bool painted = false;
  QStringList ownedAtFirstPaint;

 private:
  QWidget* owner_;
};

// F1 pressed where the keyboard focus is, as a user presses it.
void PressF1() {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
  QTest::keyClick(target, Qt::Key_F1);
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(!tavenko::app::SetUpApplication(*qApp), "Qt's Japanese translations are not installed");
  }

  void cleanup() {
    delete tavenko::platform::HelpWindow();
    // The comparison windows write their position beside the test program.
    QFile::remove(main_window_probe::SettingsBesideProgram());
  }

  // ---- Command line -------------------------------------------------------

  void commandLineBeforeAnyWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");  // the start of what is printed
    QTest::newRow("no arguments: the window opens") << QStringList{"tavenko"} << -1 << "";
    QTest::newRow("Qt's own options are left to Qt")
        << QStringList{"tavenko", "-platform", "offscreen", "-style", "fusion"} << -1 << "";
    QTest::newRow("unknown option: checked after Qt") << QStringList{"tavenko", "--bogus"} << -1 << "";
    QTest::newRow("--version") << QStringList{"tavenko", "--version"} << 0 << kVersionLine;
    QTest::newRow("-v") << QStringList{"tavenko", "-v"} << 0 << kVersionLine;
    QTest::newRow("--version among Qt options")
        << QStringList{"tavenko", "-style", "fusion", "--version"} << 0 << kVersionLine;
    QTest::newRow("--help names the program as called")
        << QStringList{"/usr/bin/tavenko", "--help"} << 0 << "使い方 / Usage: tavenko [options]\n";
    QTest::newRow("-h") << QStringList{"tavenko", "-h"} << 0 << "使い方 / Usage: tavenko [options]\n";
    QTest::newRow("-help, as Qt programs take it")
        << QStringList{"tavenko", "-help"} << 0 << "使い方 / Usage:";
  }

  void commandLineBeforeAnyWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    const std::optional<CommandLineAnswer> answer = tavenko::app::AnswerBeforeWindows(arguments);
    if (status < 0) {
      QVERIFY(!answer);
      return;
    }
    QVERIFY(answer);
    QCOMPARE(answer->status, status);
    QVERIFY2(answer->out.startsWith(out), qPrintable(answer->out));
    QCOMPARE(answer->err, QString());
  }

  void argumentsLeftAfterQtAreRejected_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");  // what the error names; empty: no error
    QTest::newRow("nothing left") << QStringList{"tavenko"} << "";
    QTest::newRow("unknown long option") << QStringList{"tavenko", "--bogus"} << "bogus";
    QTest::newRow("unknown single-dash option") << QStringList{"tavenko", "-x"} << "x";
    QTest::newRow("a file name") << QStringList{"tavenko", "taxes.txt"} << "taxes.txt";
    QTest::newRow("option with a value") << QStringList{"tavenko", "--version=2"} << "version";
  }

  void argumentsLeftAfterQtAreRejected() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    const std::optional<CommandLineAnswer> answer = tavenko::app::RejectUnknownArguments(arguments);
    if (named.isEmpty()) {
      QVERIFY(!answer);
      return;
    }
    QVERIFY(answer);
    QCOMPARE(answer->status, 2);
    QCOMPARE(answer->out, QString());
    const QString& err = answer->err;
    QVERIFY2(err.startsWith("tavenko: ") && err.contains(named) && err.endsWith("--help)\n"),
             qPrintable(err));
    QCOMPARE(answer->err.count('\n'), 1);
  }

  // The program itself, with no display to open: it prints and exits.
  void programAnswersWithoutADisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::newRow("--version") << QStringList{"--version"} << kVersionLine;
    QTest::newRow("--help") << QStringList{"--help"} << "使い方 / Usage: tavenko [options]\n";
  }

  void programAnswersWithoutADisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    const QString program = qEnvironmentVariable("TAVENKO");
    if (program.isEmpty()) QSKIP("TAVENKO is not set");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");  // would fail at once if the program opened the display
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(QString::fromUtf8(process.readAllStandardOutput()).startsWith(out), qPrintable(out));
    QCOMPARE(process.readAllStandardError(), QByteArray());
  }

  // ---- Japanese standard dialogs -----------------------------------------

  void messageBoxButtonsAreJapanese_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "キャンセル";
    QTest::newRow("Yes") << int(QMessageBox::Yes) << "はい";
    QTest::newRow("No") << int(QMessageBox::No) << "いいえ";
    QTest::newRow("Close") << int(QMessageBox::Close) << "閉じる";
  }

  void messageBoxButtonsAreJapanese() {
    QFETCH(int, button);
    QFETCH(QString, text);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::StandardButton(button));
    QCOMPARE(box.button(QMessageBox::StandardButton(button))->text().remove('&').section('(', 0, 0), text);
  }

  void printDialogIsJapanese() {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("印刷"));
    QStringList buttons;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) buttons << button->text().remove('&');
    QVERIFY2(buttons.contains(QStringLiteral("印刷(P)")) && buttons.contains(QStringLiteral("キャンセル")),
             qPrintable(buttons.join('|')));
  }

  // ---- The hidden windows of start-up ------------------------------------

  void hiddenWindowsAreBuiltOnceTheMainWindowIsDrawn() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    FirstPaintWitness witness(&form);
    RunAfterFirstPaint(&form, [&form] { CreateHiddenWindows(&form); });
    QCOMPARE(OwnedWindowTitles(form), QStringList());
    ShowAndActivate(form);

    const QStringList inOrder{"総合課税", "加算税の計算", "法人成りの節税額計算"};
    QTRY_COMPARE(OwnedWindowTitles(form), inOrder);
    QVERIFY(witness.painted);
    QCOMPARE(witness.ownedAtFirstPaint, QStringList());  // the main window did not wait for them
    QCOMPARE(OtherShownWindows({&form}), QList<QWidget*>());
    QCOMPARE(QApplication::activeWindow(), &form);

    // Later paints build nothing more.
    form.repaint();
    QTest::qWait(20);
    QCOMPARE(OwnedWindowTitles(form), inOrder);
  }

  // ---- Icon and F1 in every window ---------------------------------------

  void everyWindowShowsTheIcon() {
    tavenko::app::AddLargeWindowIcons();
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    for (int size : {16, 24, 32, 48, 64, 128, 256})
      QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));

    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    for (const char* button : {"BitBtn25", "BitBtn24", "BitBtn26"}) Press(form, button);
    tavenko::platform::ShowUsageHelp();
    const QList<QWidget*> windows = OtherShownWindows({});
    QCOMPARE(windows.size(), 5);  // main, the three it opened, help
    for (QWidget* window : windows) {
      QVERIFY2(window->windowIcon().cacheKey() == icon.cacheKey(), qPrintable(window->windowTitle()));
      QVERIFY(window->windowHandle() && !window->windowHandle()->icon().isNull());
    }
    for (QWidget* window : OtherShownWindows({&form})) window->close();
  }

  void f1OpensTheUsagePageFromEveryWindow_data() {
    QTest::addColumn<QString>("button");  // of the main window that opens the window; empty: the main window
    QTest::newRow("main window") << "";
    QTest::newRow("総合課税") << "BitBtn25";
    QTest::newRow("加算税の計算") << "BitBtn24";
    QTest::newRow("法人成りの節税額計算") << "BitBtn26";
  }

  void f1OpensTheUsagePageFromEveryWindow() {
    QFETCH(QString, button);
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    QWidget* window = &form;
    if (!button.isEmpty()) {
      Press(form, qPrintable(button));
      const QList<QWidget*> opened = OtherShownWindows({&form});
      QCOMPARE(opened.size(), 1);
      window = opened.first();
    }
    QVERIFY(!tavenko::platform::HelpWindow());
    QVERIFY(Activate(window));
    PressF1();
    QWidget* help = tavenko::platform::HelpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(tavenko::platform::ShownHelpPage(), QStringLiteral("usage.html"));
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    QVERIFY(browser->toPlainText().section('\n', 0, 0).endsWith(QStringLiteral("使い方")));
    QTRY_COMPARE(QApplication::activeWindow(), help);
    if (window != &form) window->close();
  }

  void f1InTheHelpWindowTurnsToTheUsagePageAndBackReturns() {
    tavenko::platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
    tavenko::platform::RunHelpMacro(QStringLiteral("contents()"));
    QWidget* help = tavenko::platform::HelpWindow();
    QCOMPARE(tavenko::platform::ShownHelpPage(), QStringLiteral("tavenko.html"));
    QVERIFY(Activate(help));
    PressF1();
    QCOMPARE(tavenko::platform::HelpWindow(), help);  // the one help window
    QCOMPARE(tavenko::platform::ShownHelpPage(), QStringLiteral("usage.html"));

    QPushButton* back = nullptr;
    for (QPushButton* b : help->findChildren<QPushButton*>())
      if (b->text() == QStringLiteral("戻る")) back = b;
    QVERIFY(back && back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(tavenko::platform::ShownHelpPage(), QStringLiteral("tavenko.html"));
  }

  void usagePageLinksToTheRatesHelpWithItsTables() {
    tavenko::platform::ShowUsageHelp();
    auto* browser = tavenko::platform::HelpWindow()->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    const QString html = browser->toHtml();
    QVERIFY(html.contains(QStringLiteral("href=\"tavenko.html\"")));
    browser->setSource(browser->source().resolved(QUrl(QStringLiteral("tavenko.html"))));
    QCOMPARE(tavenko::platform::ShownHelpPage(), QStringLiteral("tavenko.html"));
    // The rate tables are written by the program when the page opens.
    QVERIFY(browser->toPlainText().contains(QStringLiteral("1,950,000円以下")));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
