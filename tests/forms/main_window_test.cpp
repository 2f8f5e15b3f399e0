// The main window: a calculation typed and clicked as a user does, the apply
// path (results, captions, log, pie, side panels, probe->messages), the settings
// file, the width toggle, the windows it opens and printing.
#include <QChartView>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPieSeries>
#include <QPieSlice>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include <QComboBox>

#include "calc/IncomeCases.h"
#include "controls/NValEdit.h"
#include "face/MainFields.h"
#include "forms/zentai.h"
#include "platform/Fonts.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"
#include "tests/forms/main_window_probe.h"
#include "tests/forms/tab_order.h"

using namespace main_window_probe;

namespace {

// Stands in for the web browser.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("タベンコ")); }

  void init() { probe = std::make_unique<MainWindowProbe>(); }
  void cleanup() { probe.reset(); }
  // Nothing was written beside the test program.
  void cleanupTestCase() { QVERIFY(!QFile::exists(SettingsBesideProgram())); }

  void startsNarrowAtTheDefaultPlaceWithoutASettingsFile() {
    TForm1& form = probe->Window();
    QCOMPARE(form.pos(), QPoint(80, 80));
    ShowAndActivate(form);
    QCOMPARE(form.width(), 714);
    QCOMPARE(form.height(), 482);
    QCOMPARE(form.windowTitle(), QStringLiteral("タベンコ　平成２９年版 　v5.9"));
    QVERIFY(Child<QRadioButton>(form, "RadioButton3")->isChecked());
    QVERIFY(Child<QRadioButton>(form, "RadioButton1")->isChecked());
    QCOMPARE(form.SpouseCount(), 10000);
    QCOMPARE(Captions(form), QStringList(7, QString()));  // activation empties them
    QVERIFY(Child<QGroupBox>(form, "GroupBox2")->isHidden());
    QVERIFY(Child<QGroupBox>(form, "GroupBox3")->isHidden());
    QVERIFY(!Child<QPushButton>(form, "BitBtn14")->isEnabled());
    QVERIFY(!Child<QPushButton>(form, "BitBtn22")->isEnabled());
    // The window's fonts find a proportional gothic face, at their pixel sizes.
    const QFontInfo button(Child<QPushButton>(form, "BitBtn29")->font());
    QVERIFY2(tavenko::platform::GothicFamilies().contains(button.family()), qPrintable(button.family()));
    QCOMPARE(button.pixelSize(), 12);
    QCOMPARE(QFontInfo(Child<QLabel>(form, "Label1")->font()).pixelSize(), 15);
    QCOMPARE(QFontInfo(Child<TNValEdit>(form, "NValEdit1")->font()).pixelSize(), 15);
  }

  void ordinaryIncomeTypedAndClicked() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    auto* income = Child<TNValEdit>(form, "NValEdit11");
    auto* deductions = Child<TNValEdit>(form, "NValEdit12");
    QTest::mouseClick(income, Qt::LeftButton);
    QTest::keyClicks(income, "800");
    QTest::mouseClick(deductions, Qt::LeftButton);
    QTest::keyClicks(deductions, "200");
    QCOMPARE(double(income->Value()), 800.0);
    QCOMPARE(double(deductions->Value()), 200.0);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    CheckOrdinaryExample(form);
  }

  void ordinaryIncomeFromFieldValues() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    Child<TNValEdit>(form, "NValEdit11")->setValue(800);
    Child<TNValEdit>(form, "NValEdit12")->setValue(200);
    Child<QPushButton>(form, "BitBtn1")->click();
    CheckOrdinaryExample(form);

    // Returning to the window empties the captions and keeps the results.
    QWidget other;
    ShowAndActivate(other);
    ShowAndActivate(form);
    QCOMPARE(Captions(form), QStringList(7, QString()));
    QCOMPARE(ShownResults(form).at(4), QStringLiteral("139"));
  }

  void retirementShowsYearsPanelAndClearsYearsAbove99() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    Child<TNValEdit>(form, "NValEdit11")->setValue(1000);
    Child<TNValEdit>(form, "NValEdit16")->setValue(120);
    Child<QPushButton>(form, "BitBtn28")->click();
    QCOMPARE(probe->messages, QStringList{QStringLiteral("勤続年数を入力してください")});
    QCOMPARE(double(Child<TNValEdit>(form, "NValEdit16")->Value()), 0.0);
    auto* side = Child<QGroupBox>(form, "GroupBox2");
    QVERIFY(side->isVisible());
    QCOMPARE(side->title(), QStringLiteral("勤続年数"));
    QVERIFY(!Child<TNValEdit>(form, "NValEdit16")->isHidden());
    QVERIFY(Child<TNValEdit>(form, "NValEdit17")->isHidden());
    auto* note = Child<QLabel>(form, "Label13");
    QVERIFY(note->text().startsWith(QStringLiteral("　退職所得控除は勤続\r\n")));
    QVERIFY(note->height() >= note->sizeHint().height());  // all six lines readable
    QCOMPARE(ShownResults(form).at(0), QStringLiteral("920"));

    // Back to a comment box, with the years field hidden.
    Child<QPushButton>(form, "BitBtn2")->click();
    QCOMPARE(side->title(), QStringLiteral("コメント"));
    QVERIFY(Child<TNValEdit>(form, "NValEdit16")->isHidden());
  }

  void messageBoxShownAndClosed() {
    tavenko::platform::SetMessageHook({});
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    Child<TNValEdit>(form, "NValEdit11")->setValue(1000);
    MessageBoxSeen seen;
    AnswerNextMessageBox(seen, &form);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn4"), Qt::LeftButton);
    QCOMPARE(seen.text, QStringLiteral("勤続年数を入力してください"));
    QCOMPARE(seen.title, QStringLiteral("タベンコ"));
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(ShownResults(form).at(0), QStringLiteral("460"));  // went on with zero years
    // That return is no visit elsewhere: the click's captions stay.
    QCOMPARE(Captions(form).at(0), QStringLiteral("　　課税所得"));

    // A real visit to another window still empties them.
    QWidget other;
    ShowAndActivate(other);
    ShowAndActivate(form);
    QCOMPARE(Captions(form), QStringList(7, QString()));
  }

  void yenUnitShowsResultsInYen() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    QTest::mouseClick(Child<QRadioButton>(form, "RadioButton4"), Qt::LeftButton);
    Child<TNValEdit>(form, "NValEdit11")->setValue(8123456);
    Child<QPushButton>(form, "BitBtn1")->click();
    QCOMPARE(ShownResults(form),
             (QStringList{"8,123,000", "1,258,100", "812,200", "0", "2,070,400", "25.5", "34.7"}));
    QCOMPARE(LogLines(form).at(2), QStringLiteral("812.3"));
  }

  // The checked unit button stays checked when it is clicked or pressed
  // again, and the calculation that follows works in the unit it shows.
  void unitButtonPressedAgainStaysChecked_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("bySpace");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("taxAndTotal");
    const QStringList yenResult{"51,000", "151,000"};
    const QStringList manResult{"123", "203"};
    QTest::newRow("円 clicked again") << "RadioButton4" << false << "1000000" << yenResult;
    QTest::newRow("円 pressed again with Space") << "RadioButton4" << true << "1000000" << yenResult;
    QTest::newRow("万円 clicked again") << "RadioButton3" << false << "800" << manResult;
    QTest::newRow("万円 pressed again with Space") << "RadioButton3" << true << "800" << manResult;
  }
  void unitButtonPressedAgainStaysChecked() {
    QFETCH(QString, unit);
    QFETCH(bool, bySpace);
    QFETCH(QString, typed);
    QFETCH(QStringList, taxAndTotal);
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    auto* chosen = Child<QRadioButton>(form, qPrintable(unit));
    auto* other = Child<QRadioButton>(form, unit == "RadioButton4" ? "RadioButton3" : "RadioButton4");
    QTest::mouseClick(chosen, Qt::LeftButton);
    auto* income = Child<TNValEdit>(form, "NValEdit11");
    QTest::mouseClick(income, Qt::LeftButton);
    QTest::keyClicks(income, typed);
    if (bySpace) {
      chosen->setFocus(Qt::TabFocusReason);
      QTest::keyClick(chosen, Qt::Key_Space);
    } else {
      QTest::mouseClick(chosen, Qt::LeftButton);
    }
    QVERIFY(chosen->isChecked());
    QVERIFY(!other->isChecked());
    QVERIFY(Child<QRadioButton>(form, "RadioButton1")->isChecked());  // the spouse pair is its own
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    QCOMPARE((QStringList{ShownResults(form).at(1), ShownResults(form).at(4)}), taxAndTotal);
  }

  void takeHomeNotPositiveHidesThePie() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    Child<QPushButton>(form, "BitBtn1")->click();  // every figure 0
    QVERIFY(Child<QChartView>(form, "Chart1")->isHidden());
  }

  void settingsFileRoundTrip() {
    ShowAndActivate(probe->Window());
    QTest::mouseClick(Child<QRadioButton>(probe->Window(), "RadioButton4"), Qt::LeftButton);
    probe->Reopen();
    {
      QSettings file(probe->SettingsPath(), QSettings::IniFormat);
      QCOMPARE(file.value("radio/radiobutton3").toString(), QStringLiteral("0"));
      QCOMPARE(file.value("radio/radiobutton4").toString(), QStringLiteral("1"));
      QCOMPARE(file.value("form/form1.left").toString(), QStringLiteral("80"));
    }
    QVERIFY(Child<QRadioButton>(probe->Window(), "RadioButton4")->isChecked());
    QVERIFY(!Child<QRadioButton>(probe->Window(), "RadioButton3")->isChecked());

    // Both unit keys 0: neither button checked, and the figures are 万円.
    probe->OpenWithSettings(
        "[form]\r\nform1.top=120\r\nform1.left=40\r\n[radio]\r\nradiobutton3=0\r\nradiobutton4=0\r\n");
    TForm1& form = probe->Window();
    QCOMPARE(form.pos(), QPoint(40, 120));
    QVERIFY(!Child<QRadioButton>(form, "RadioButton3")->isChecked());
    QVERIFY(!Child<QRadioButton>(form, "RadioButton4")->isChecked());
    Child<TNValEdit>(form, "NValEdit11")->setValue(800);
    Child<TNValEdit>(form, "NValEdit12")->setValue(200);
    Child<QPushButton>(form, "BitBtn1")->click();
    QCOMPARE(ShownResults(form).at(0), QStringLiteral("600"));
  }

  // The edition is chosen with the keyboard; the next click computes under
  // it and shows what the calculation returns, the title and the log name
  // it, and it is kept in the settings file.
  void editionChosenComputesTitlesLogsAndIsKept() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    auto* income = Child<TNValEdit>(form, "NValEdit11");
    QTest::mouseClick(income, Qt::LeftButton);
    QTest::keyClicks(income, "600");
    auto* deductions = Child<TNValEdit>(form, "NValEdit12");
    QTest::mouseClick(deductions, Qt::LeftButton);
    QTest::keyClicks(deductions, "200");
    Press(form, "BitBtn2");
    auto* edition = Child<QComboBox>(form, "EditionBox");
    edition->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edition, Qt::Key_Down);
    QCOMPARE(edition->currentText(), QStringLiteral("令和7年分"));
    QCOMPARE(form.windowTitle(), QStringLiteral("タベンコ　令和７年分　v5.9"));
    Press(form, "BitBtn2");

    tavenko::calc::MainInputs in;
    in.income = 600;
    in.deductions = 200;
    in.edition = tavenko::law::EditionId::Reiwa7;
    const tavenko::calc::MainSheet sheet = tavenko::calc::SalaryIncomeSheet(in);
    for (int i = 0; i < tavenko::calc::kResultCount; ++i)
      QCOMPARE(ShownResults(form).at(i),
               QString::fromStdString(tavenko::face::ShownText(tavenko::face::ResultField(i), sheet.results[i])));
    // One line before the click's header says the edition changed; the
    // first click, under 平成29年版, has none.
    const QStringList log = LogLines(form);
    QCOMPARE(log.count(QStringLiteral("＝ 令和7年分 ＝")), 1);
    QCOMPARE(log.indexOf(QStringLiteral("＝ 令和7年分 ＝")), log.lastIndexOf(QStringLiteral("－－－－－")) - 1);
    QVERIFY(!log.contains(QStringLiteral("＝ 平成29年版 ＝")));
    QCOMPARE(log.first(), QStringLiteral("－－－－－"));
    // The hint quotes the edition's figures.
    QVERIFY(Child<QPushButton>(form, "BitBtn4")->toolTip().contains(QStringLiteral("勤続５年以下")));

    probe->Reopen();
    QCOMPARE(Child<QComboBox>(probe->Window(), "EditionBox")->currentText(), QStringLiteral("令和7年分"));
    {
      QSettings file(probe->SettingsPath(), QSettings::IniFormat);
      QCOMPARE(file.value("form/form1.edition").toString(), QStringLiteral("r7"));
    }
    // An unknown edition reads as 平成29年版.
    probe->OpenWithSettings("[form]\r\nform1.edition=h30\r\n");
    QCOMPARE(probe->Window().windowTitle(), QStringLiteral("タベンコ　平成２９年版 　v5.9"));
  }

  // Tab walks the window as it reads: the edition and the unit first, then
  // rows top to bottom, left to right within a row.
  void tabFollowsTheScreen() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    const QList<QWidget*> visited = tab_order::TabWalk(Child<QWidget>(form, "EditionBox"));
    QCOMPARE(visited.at(1)->objectName(), QStringLiteral("RadioButton3"));
    QCOMPARE(tab_order::FirstOutOfOrder(form, visited), QString());
  }

  // A stored position no screen shows (a screen since removed, a hand-edited
  // file) opens the window at the designed place, and that is what is saved:
  // never a wrapped-round figure.
  void storedPositionsOffEveryScreenFallBack_data() {
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QPoint>("placed");
    QTest::newRow("on the screen") << QByteArray("120") << QByteArray("40") << QPoint(40, 120);
    QTest::newRow("at the screen's corner") << QByteArray("0") << QByteArray("0") << QPoint(0, 0);
    QTest::newRow("far above") << QByteArray("-5000") << QByteArray("-300") << QPoint(80, 80);
    QTest::newRow("far below and right") << QByteArray("99999") << QByteArray("99999") << QPoint(80, 80);
    QTest::newRow("title bar left of the screen")
        << QByteArray("100") << QByteArray("-800") << QPoint(80, 80);
    QTest::newRow("largest int") << QByteArray("2147483647") << QByteArray("2147483647") << QPoint(80, 80);
    QTest::newRow("smallest int") << QByteArray("-2147483648") << QByteArray("-2147483648") << QPoint(80, 80);
    QTest::newRow("beyond an int") << QByteArray("99999999999") << QByteArray("-99999999999")
                                   << QPoint(80, 80);
  }

  void storedPositionsOffEveryScreenFallBack() {
    QFETCH(QByteArray, top);
    QFETCH(QByteArray, left);
    QFETCH(QPoint, placed);
    probe->OpenWithSettings("[form]\nform1.top=" + top + "\nform1.left=" + left + "\n");
    TForm1& form = probe->Window();
    QCOMPARE(form.pos(), placed);
    ShowAndActivate(form);
    QCOMPARE(form.pos(), placed);
    form.close();
    QSettings saved(probe->SettingsPath(), QSettings::IniFormat);
    QCOMPARE(saved.value("form/form1.top").toString(), QString::number(placed.y()));
    QCOMPARE(saved.value("form/form1.left").toString(), QString::number(placed.x()));
    QVERIFY(probe->messages.isEmpty());
  }

  // Closing says once that the settings could not be saved, with the reason,
  // and leaves what stands at the settings path as it is.
  void settingsThatCannotBeSavedAreToldOnce() {
    const QString path = probe->SettingsPath();
    QVERIFY(QDir().mkpath(path));  // a folder where the file should be
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    QTest::mouseClick(Child<QRadioButton>(form, "RadioButton4"), Qt::LeftButton);
    form.close();
    QCOMPARE(
        probe->messages,
        QStringList{QStringLiteral(
                        "設定を保存できませんでした。\n%1 に書き込めません（通常のファイルではありません）")
                        .arg(path)});
    QVERIFY(QFileInfo(path).isDir());
    // The next refusal of the same file is quiet.
    form.close();
    QCOMPARE(probe->messages.size(), 1);
    QVERIFY(QDir().rmdir(path));
  }

  void widthToggleShowsTheLog() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    auto* panel = Child<QWidget>(form, "Panel1");
    auto* toggle = Child<QPushButton>(form, "BitBtn23");
    QVERIFY(!toggle->icon().isNull());
    QVERIFY(!Child<QPushButton>(form, "BitBtn27")->icon().isNull());
    QVERIFY(panel->width() == 0 || panel->x() >= form.width());

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(form.IsWide());
    QCOMPARE(form.width(), 930);
    QCOMPARE(panel->geometry(), QRect(711, 8, 204, 418));
    QVERIFY(form.rect().contains(panel->geometry()));

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!form.IsWide());
    QCOMPARE(form.width(), 714);
    QVERIFY(panel->width() == 0);
  }

  // In the narrow window the log is out of sight: neither Tab, Shift+Tab nor
  // Enter in the years field leads into it, and nothing typed reaches it.
  void keysNeverLeadIntoTheHiddenLog() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    auto* memo = Child<QPlainTextEdit>(form, "Memo1");
    auto* years = Child<TNValEdit>(form, "NValEdit16");
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn4"), Qt::LeftButton);  // shows the years field
    const QString log = memo->toPlainText();
    QTest::mouseClick(years, Qt::LeftButton);
    QTest::keyClick(years, Qt::Key_Return);
    QVERIFY(QApplication::focusWidget() != years);
    QVERIFY(QApplication::focusWidget() != memo && QApplication::focusWidget()->isVisible());
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
      QSet<QWidget*> reached;
      for (int press = 0; press < 80; ++press) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused, key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
        reached << QApplication::focusWidget();
      }
      QVERIFY(!reached.contains(memo));
      for (QWidget* w : reached) QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
      QVERIFY(reached.contains(Child<QRadioButton>(form, "RadioButton3")));  // the whole round
    }
    QCOMPARE(memo->toPlainText(), log);
  }

  // In the wide window the log is a read-out: it takes the focus, lets its
  // text be selected and copied, takes no typing, and Tab and Shift+Tab
  // move on from it.
  void wideLogIsAReadOut() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn23"), Qt::LeftButton);
    Child<TNValEdit>(form, "NValEdit11")->setValue(262);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    auto* memo = Child<QPlainTextEdit>(form, "Memo1");
    const QString log = memo->toPlainText();
    for (Qt::Key leave : {Qt::Key_Tab, Qt::Key_Backtab}) {
      QTest::mouseClick(memo->viewport(), Qt::LeftButton);
      QVERIFY(memo->hasFocus());
      QTest::keyClicks(memo, "30");
      QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClick(memo, Qt::Key_Delete);
      QTest::keyClick(memo, leave);
      QVERIFY(!memo->hasFocus());
      QCOMPARE(memo->toPlainText(), log);
    }
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keySequence(memo, QKeySequence::SelectAll);
    QTest::keySequence(memo, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), log);
  }

  // After every calculation the log shows its newest line: also when the
  // user had scrolled back to older ones, and when the log comes into sight
  // after calculations made in the narrow window.
  void logShowsTheNewestLine_data() {
    QTest::addColumn<bool>("wideWhileCalculating");
    QTest::addColumn<bool>("scrolledBack");
    QTest::newRow("wide") << true << false;
    QTest::newRow("wide, scrolled back to the first entries") << true << true;
    QTest::newRow("narrow, then widened") << false << false;
  }
  void logShowsTheNewestLine() {
    QFETCH(bool, wideWhileCalculating);
    QFETCH(bool, scrolledBack);
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    auto* toggle = Child<QPushButton>(form, "BitBtn23");
    if (wideWhileCalculating) QTest::mouseClick(toggle, Qt::LeftButton);
    auto* memo = Child<QPlainTextEdit>(form, "Memo1");
    const auto newestLineInView = [memo] {
      const QRect last = memo->cursorRect(QTextCursor(memo->document()->lastBlock()));
      return memo->viewport()->rect().contains(last);
    };
    for (const char* button : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn1", "BitBtn2"}) {
      Child<TNValEdit>(form, "NValEdit11")->setValue(800);
      QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
      if (wideWhileCalculating) QVERIFY(newestLineInView());
      if (scrolledBack) memo->verticalScrollBar()->setValue(0);
    }
    if (!wideWhileCalculating) QTest::mouseClick(toggle, Qt::LeftButton);
    if (scrolledBack) QVERIFY(!newestLineInView());  // the user's place stays until the next calculation
    Child<TNValEdit>(form, "NValEdit11")->setValue(900);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    QVERIFY(memo->document()->blockCount() > 60);
    QVERIFY(newestLineInView());
  }

  void spouseNoneSurvivesReactivation() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    QTest::mouseClick(Child<QRadioButton>(form, "RadioButton2"), Qt::LeftButton);
    QCOMPARE(form.SpouseCount(), 0);
    form.BitBtn25Click();  // another window takes the focus
    QWidget* opened = form.findChildren<QWidget*>().constLast();
    ShowAndActivate(*opened);
    ShowAndActivate(form);
    QCOMPARE(form.SpouseCount(), 0);
  }

  void buttonsOpenFreshWindowsThatFreeThemselves() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    const auto windowsTitled = [&](const QString& title) {
      QList<QWidget*> found;
      for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isWindow() && w->windowTitle() == title) found << w;
      return found;
    };
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn25"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn25"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn24"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(form, "BitBtn26"), Qt::LeftButton);
    QCOMPARE(windowsTitled(QStringLiteral("総合課税")).size(), 2);
    QCOMPARE(windowsTitled(QStringLiteral("加算税の計算")).size(), 1);
    QCOMPARE(windowsTitled(QStringLiteral("法人成りの節税額計算")).size(), 1);
    for (QWidget* w : windowsTitled(QStringLiteral("総合課税"))) {
      QVERIFY(w->isVisible() && !w->isModal());
      QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));  // closing the main window ends the program
    }

    windowsTitled(QStringLiteral("総合課税")).first()->close();
    QTRY_COMPARE(windowsTitled(QStringLiteral("総合課税")).size(), 1);
  }

  // Built without a home page, the "HP" label opens the usage page.
  void homePageLabelOpensTheUsagePage() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    QTest::mouseClick(Child<QLabel>(form, "Label8"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QVERIFY(catcher.opened.isEmpty());
    QCOMPARE(tavenko::platform::ShownHelpPage(), QStringLiteral("usage.html"));
    delete tavenko::platform::HelpWindow();
  }

  void leavingAnInheritanceButtonTurnsTheHeirPromptsTeal() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    auto* label = Child<QLabel>(form, "Label6");
    QPalette black = label->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(black);
    Child<QPushButton>(form, "BitBtn18")->setFocus();
    Child<TNValEdit>(form, "NValEdit11")->setFocus();
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 128, 128));
    QCOMPARE(Child<QGroupBox>(form, "GroupBox1")->palette().color(QPalette::WindowText), QColor(0, 128, 128));
  }

  void printsTheWindowToPdf() {
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    QTemporaryDir dir;
    const QString path = dir.filePath("window.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    form.PrintTo(printer);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    // The window drawn at the printer's resolution (600 dpi at most), embedded
    // without lossy compression: no JPEG, and more than a screen's pixels.
    QVERIFY(!bytes.contains("/DCTDecode"));
    const QRegularExpressionMatch width = QRegularExpression("/Width (\\d+)").match(QString::fromLatin1(bytes));
    QVERIFY(width.hasMatch());
    QVERIFY(width.captured(1).toInt() >= form.width() * 600 / form.logicalDpiX() - 1);
  }

  void printingToAFileThatCannotBeWrittenSaysSo_data() {
    QTest::addColumn<QString>("file");  // in a temporary folder
    QTest::newRow("a folder that does not exist") << QStringLiteral("missing/window.pdf");
    QTest::newRow("a folder") << QStringLiteral("folder");
  }

  void printingToAFileThatCannotBeWrittenSaysSo() {
    QFETCH(QString, file);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("folder"));
    const QString path = dir.filePath(file);
    TForm1& form = probe->Window();
    ShowAndActivate(form);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    form.PrintTo(printer);
    QCOMPARE(probe->messages,
             QStringList{QStringLiteral("印刷できませんでした。\n%1 に書き込めません。").arg(path)});
    QVERIFY(!QFileInfo(path).isFile());
  }

 private:
  void CheckOrdinaryExample(TForm1& form) {
    QCOMPARE(ShownResults(form), (QStringList{"600", "79", "60", "0", "139", "17.4", "30.6"}));
    QCOMPARE(Captions(form), (QStringList{"　　課税所得", "　　　所得税", "　　　地方税", "", "　　税金合計",
                                          "　平均", "　上積"}));
    QCOMPARE(LogLines(form),
             (QStringList{"－－－－－", "課税所得", "800", "所得控除", "200", "所得控除後の金額", "600",
                          "所得税額", "78", "地方税額", "60", "税額合計", "138"}));
    auto* chart = Child<QChartView>(form, "Chart1")->chart();
    QCOMPARE(chart->series().size(), 1);
    auto* series = qobject_cast<QPieSeries*>(chart->series().first());
    QVERIFY(series);
    QCOMPARE(series->objectName(), QStringLiteral("Series1"));
    QVERIFY(!chart->legend()->isVisible());
    QStringList labels;
    QList<double> values;
    for (QPieSlice* slice : series->slices()) {
      labels << slice->label();
      values << slice->value();
    }
    // Drawn largest first.
    QCOMPARE(labels, (QStringList{"手取額", "国税", "市税", "県税", "事業"}));
    QCOMPARE(values, (QList<double>{661.1278, 78.8722, 36, 24, 0}));
    QCOMPARE(series->slices().first()->brush().color(), QColor(Qt::white));
    QVERIFY(Child<QChartView>(form, "Chart1")->isVisible());
    auto* side = Child<QGroupBox>(form, "GroupBox2");
    QVERIFY(side->isVisible());
    QCOMPARE(side->title(), QStringLiteral("コメント"));
    QVERIFY(Child<QGroupBox>(form, "GroupBox3")->isHidden());
    const QColor teal(0, 128, 128);
    QCOMPARE(Child<QLabel>(form, "Label1")->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(Child<QLabel>(form, "Label3")->palette().color(QPalette::WindowText), teal);
    QCOMPARE(Child<TNValEdit>(form, "NValEdit14")->palette().color(QPalette::Text), teal);
    QVERIFY(probe->messages.isEmpty());

    if (const QByteArray shot = qgetenv("TAVENKO_SCREENSHOT"); !shot.isEmpty()) {
      form.BitBtn23Click();
      QCoreApplication::processEvents();
      form.grab().save(QString::fromLocal8Bit(shot));
      form.BitBtn23Click();
    }
  }

  std::unique_ptr<MainWindowProbe> probe;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
