// The inheritance buttons of the main window used with the mouse: "無し"
// chosen by a click survives a trip to another window, the figures and the
// fee range of the no-spouse estates, the count prompt, and the heir prompts
// that turn black while a button is in use and teal when the focus leaves it.
#include <QFile>
#include <QRadioButton>

#include "tests/forms/main_window_probe.h"

using namespace main_window_probe;

namespace {

// The prompts the inheritance buttons colour: the spouse group and the three counts.
QList<QColor> HeirPromptColours(QWidget& form) {
  QList<QColor> colours;
  for (const char* name : {"GroupBox1", "Label5", "Label6", "Label7"})
    colours << TextColour(Child<QWidget>(form, QString::fromLatin1(name)));
  return colours;
}
const QList<QColor> kAllBlack(4, QColor(Qt::black));
const QList<QColor> kAllTeal(4, kTeal);

const QString kLargerOfNote = " 法定相続分又は\r\n１億６０００万円の\r\nいずれか多い方";

}  // namespace

class MainWindowInheritanceTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("タベンコ")); }
  void cleanupTestCase() { QVERIFY(!QFile::exists(SettingsBesideProgram())); }

  void withoutSpouseAfterVisitingAnotherWindow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("countField");  // NValEdit8 children, 9 parents, 10 siblings
    QTest::addColumn<double>("count");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QString>("heirCaption");  // Edit3
    QTest::addColumn<QString>("note");         // Label13
    QTest::addColumn<QStringList>("pie");
    QTest::addColumn<QStringList>("feeLog");  // base fee, after the heirs, with the return
    QTest::addColumn<QString>("feeLow");      // NValEdit15
    QTest::addColumn<QString>("feeHigh");     // NValEdit18
    QTest::addColumn<QStringList>("messages");

    // Two heirs and no spouse: one heir beyond the first adds 10 % to the fee.
    QTest::newRow("相続税（子） two children")
        << "BitBtn16" << 8 << 2.0 << QStringList{"15,800", "0", "3,340", "0", "3,340", "16.7", "30.0"}
        << "　　子の税額" << kLargerOfNote << QStringList{"手取額 16660", "国税 3340"}
        << QStringList{"95", "104.5", "156.75"} << "156.75"
        << "313.5" << QStringList();
    QTest::newRow("1/2 two children, the same without a spouse")
        << "BitBtn17" << 8 << 2.0 << QStringList{"15,800", "0", "3,340", "0", "3,340", "16.7", "30.0"}
        << "　　子の税額"
        << " 法定相続分 1/2\r\n\r\n"
        << QStringList{"手取額 16660", "国税 3340"} << QStringList{"95", "104.5", "156.75"} << "156.75"
        << "313.5" << QStringList();
    // Brothers and sisters pay 20 % more.
    QTest::newRow("相続税（兄弟） two siblings")
        << "BitBtn20" << 10 << 2.0 << QStringList{"15,800", "0", "4,008", "0", "4,008", "20.0", "36.0"}
        << "　兄弟の税額" << kLargerOfNote << QStringList{"手取額 15992", "国税 4008"}
        << QStringList{"95", "104.5", "156.75"} << "156.75"
        << "313.5" << QStringList();
    // No parents counted: the prompt, no deduction, no tax; with no heir at
    // all the fee is 90 % of the base fee.
    QTest::newRow("2/3 no parents counted")
        << "BitBtn19" << 9 << 0.0 << QStringList{"20,000", "0", "0", "0", "0", "0", "0"} << "　　親の税額"
        << " 法定相続分 2/3\r\n\r\n"
        << QStringList{"手取額 20000", "国税 0"} << QStringList{"95", "85.5", "128.25"} << "128.25"
        << "256.5" << QStringList{"両親はご健在ですか"};
  }

  void withoutSpouseAfterVisitingAnotherWindow() {
    QFETCH(QString, button);
    QFETCH(int, countField);
    QFETCH(double, count);
    QFETCH(QStringList, results);
    QFETCH(QString, heirCaption);
    QFETCH(QString, note);
    QFETCH(QStringList, pie);
    QFETCH(QStringList, feeLog);
    QFETCH(QString, feeLow);
    QFETCH(QString, feeHigh);
    QFETCH(QStringList, messages);

    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    QTest::mouseClick(Child<QRadioButton>(form, "RadioButton2"), Qt::LeftButton);
    QVERIFY(Child<QRadioButton>(form, "RadioButton2")->isChecked());

    // Another window takes over, then the user comes back: activation
    // re-reads the spouse setting from the buttons.
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    ShowAndActivate(other);
    QVERIFY(!form.isActiveWindow());
    ShowAndActivate(form);
    QCOMPARE(form.SpouseCount(), 0);

    Field(form, 14)->setValue(20000);
    Field(form, countField)->setValue(count);
    Press(form, qPrintable(button));

    QCOMPARE(probe.messages, messages);
    QCOMPARE(ShownResults(form), results);
    QCOMPARE(Captions(form), (QStringList{"　　課税所得", "　　妻の税額", heirCaption, "　配偶者軽減",
                                          "　合計納税額", "　平均", "　上積"}));
    auto* side = Child<QGroupBox>(form, "GroupBox2");
    QVERIFY(side->isVisible());
    QCOMPARE(side->title(), QStringLiteral("配偶者の取得分"));
    QCOMPARE(Child<QLabel>(form, "Label13")->text(), note);
    QVERIFY(Field(form, 16)->isHidden());
    QVERIFY(Field(form, 17)->isVisible());
    QCOMPARE(Field(form, 17)->text(), QStringLiteral("0"));  // no spouse, nothing acquired

    QVERIFY(Child<QGroupBox>(form, "GroupBox3")->isVisible());
    QCOMPARE(Field(form, 15)->text(), feeLow);
    QCOMPARE(Field(form, 18)->text(), feeHigh);
    const QStringList log = LogLines(form);
    QCOMPARE(log.mid(log.size() - 8), (QStringList{"＝＝＝＝＝", "税理士報酬の計算", "基本報酬", feeLog[0],
                                                   "相続人数の加算した後の報酬", feeLog[1],
                                                   "申告書作成報酬を加算した後の報酬", feeLog[2]}));
    // The spouse lines are still logged, with 0.
    QCOMPARE(log.mid(log.indexOf("妻の法定相続分に按分"), 4),
             (QStringList{"妻の法定相続分に按分", "0", "妻の法定相続分の相続税額", "0"}));

    QVERIFY(PieShown(form));
    QCOMPARE(PieSlices(form), pie);
  }

  void heirPromptsBlackWhileAButtonIsInUse() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    QCOMPARE(HeirPromptColours(form), kAllTeal);

    Field(form, 14)->setValue(20000);
    Field(form, 9)->setValue(1);
    Field(form, 10)->setValue(2);
    auto* parentsButton = Child<QPushButton>(form, "BitBtn18");
    Press(form, "BitBtn18");
    QCOMPARE(QApplication::focusWidget(), parentsButton);
    QCOMPARE(HeirPromptColours(form), kAllBlack);  // all three counts, whatever the order
    QCOMPARE(TextColour(Child<QLabel>(form, "Label4")), QColor(Qt::black));
    QCOMPARE(TextColour(Child<QLabel>(form, "Label1")), kTeal);

    // The focus moves on to another button: the prompts go back to teal.
    QTest::keyClick(parentsButton, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != parentsButton);
    QCOMPARE(HeirPromptColours(form), kAllTeal);

    // Clicked again, then left for a figure field with the mouse.
    Press(form, "BitBtn21");
    QCOMPARE(HeirPromptColours(form), kAllBlack);
    QTest::mouseClick(Field(form, 11), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), Field(form, 11));
    QCOMPARE(HeirPromptColours(form), kAllTeal);

    // Another calculation leaves them as they are.
    Press(form, "BitBtn1");
    QCOMPARE(HeirPromptColours(form), kAllTeal);
    QVERIFY(probe.messages.isEmpty());
  }

  void countPromptShownThroughTheHook() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    Field(form, 14)->setValue(20000);
    Press(form, "BitBtn16");
    QCOMPARE(probe.messages, QStringList{"子の数を入れてください"});
    Press(form, "BitBtn20");
    QCOMPARE(probe.messages, (QStringList{"子の数を入れてください", "兄弟の数を入れてください"}));
    // The spouse takes the estate up to 160,000,000 yen; nothing is due.
    QCOMPARE(ShownResults(form), (QStringList{"20,000", "0", "0", "0", "0", "0", "0"}));
    QCOMPARE(Field(form, 17)->text(), QStringLiteral("16,000"));
  }

  // A real count prompt: the box is the active window while the user reads
  // it, then the main window gets the focus back, on the button. The click is
  // still the one in use, so its prompts should still be black.
  void heirPromptsStayBlackAfterARealCountPrompt() {
    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);
    tavenko::platform::SetMessageHook({});
    Field(form, 14)->setValue(20000);
    MessageBoxSeen seen;
    AnswerNextMessageBox(seen);
    Press(form, "BitBtn16");
    QCOMPARE(seen.text, QStringLiteral("子の数を入れてください"));
    ShowAndActivate(form);
    QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(form, "BitBtn16"));
    QCOMPARE(HeirPromptColours(form), kAllBlack);
  }
};

QTEST_MAIN(MainWindowInheritanceTest)
#include "main_window_inheritance_test.moc"
