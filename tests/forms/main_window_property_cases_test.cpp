// The transfer, company and gift buttons of the main window pressed with the
// mouse: the shown results and captions, the side box, the fee box, the input
// highlight and the pie, on the worked figures of each family. Every row first
// runs an inheritance click, so the row's button has to replace all it left.
#include <QFile>

#include "tests/forms/main_window_probe.h"

using namespace main_window_probe;

namespace {

const QStringList kIncomeCaptions{"　　課税所得", "　　　所得税", "　　　地方税", "",
                                  "　　税金合計", "　平均",       "　上積"};
const QStringList kCompanyCaptions{"　　課税所得", "　　　法人税", "　　　地方税", "　　　事業税",
                                   "　　税金合計", "　平均",       "　上積"};
const QStringList kGiftCaptions{"　　課税所得", "　　　贈与税", "", "", "　　税金合計", "　平均", "　上積"};

const QString kShortTermNote = " 譲渡の年の１月１日現在\r\nで所有期間が５年以下の\r\n建物と土地の譲渡。\r\n";
const QString kLongTermNote = " 譲渡の年の１月１日現在\r\nで所有期間が５年を超える\r\n建物と土地の譲渡。\r\n";
const QString kOverTenYearsNote =
    "　譲渡の年の１月１日現在\r\nで所有期間が１０年を超え\r\nる建物と土地の譲渡。\r\n"
    "　３０００万円を控除した\r\n残額を軽減税率で計算。\r\n";
const QString kLargeCompanyNote =
    " 資本金１億円超から１０億\r\n円以下、従業員５０人超と\r\nして５３万円を地方税の均\r\n等割として計算して"
    "いる。";
const QString kSmallCompanyNote =
    " 資本金１０００万円以下で\r\n従業員５０人以下の７万円\r\nを地方税の均等割として計\r\n算している。";
const QString kLevyBox = "地方税の均等割";

// The four figures a row types into NValEdit11..NValEdit14.
struct Figures {
  double income = 0, deductions = 0, profit = 0, value = 0;
};

}  // namespace

Q_DECLARE_METATYPE(Figures)

class MainWindowPropertyCasesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("タベンコ")); }
  void cleanupTestCase() { QVERIFY(!QFile::exists(SettingsBesideProgram())); }

  void transferButtons_data() {
    AddColumns();
    QTest::newRow("短期譲渡所得 1,000 less 100")
        << "BitBtn8" << Figures{1000, 100} << QStringList{"900", "276", "81", "0", "357", "35.7", "39.6"}
        << kIncomeCaptions << "コメント" << kShortTermNote << "1100"
        << QStringList{"手取額 643.33", "国税 275.67", "県税 81", "市税 0", "事業 0"} << true
        << QStringList{"地方税額", "81", "税額合計", "356"};
    QTest::newRow("長期譲渡 5,000")
        << "BitBtn6" << Figures{5000, 0} << QStringList{"5,000", "766", "250", "0", "1,016", "20.3", "20.3"}
        << kIncomeCaptions << "コメント" << kLongTermNote << "1100"
        << QStringList{"手取額 3984.25", "国税 765.75", "県税 250", "市税 0", "事業 0"} << true
        << QStringList{"土地譲渡所得の１５％の所得税額", "765", "地方税額", "250", "税額合計", "1015"};
    // At the band edge both bands agree; no comment box for superior land.
    QTest::newRow("優 at 2,000") << "BitBtn7" << Figures{2000, 0}
                                 << QStringList{"2,000", "204", "80", "0", "284", "14.2", "20.3"}
                                 << kIncomeCaptions << QString() << QString() << "1100"
                                 << QStringList{"手取額 1715.8", "国税 204.2", "県税 80", "市税 0", "事業 0"}
                                 << true << QStringList();
    // The inhabitant tax split a third and two thirds in the pie.
    QTest::newRow("居住（１０年超） 10,000")
        << "BitBtn11" << Figures{10000, 0} << QStringList{"7,000", "766", "290", "0", "1,056", "10.6", "20.3"}
        << kIncomeCaptions << "コメント" << kOverTenYearsNote
        << "1100"
        // clang-format off
        << QStringList{"手取額 8944.25", "国税 765.75", "市税 193.3333333", "県税 96.66666667", "事業 0"} << true
        << QStringList{"－－－－－", "土地譲渡の所得金額", "10000", "３０００万円の特別控除後の所得金額", "7000",
                       "所得控除後の所得金額", "7000", "土地譲渡所得の１０％又は１５％の所得税額", "765.75",
                       "地方税額", "290", "税額合計", "1055"};
    QTest::newRow("長期譲渡 nothing") << "BitBtn6" << Figures{} << QStringList(7, "0") << kIncomeCaptions
                                     << "コメント" << kLongTermNote << "1100"
                                     << QStringList() << false << QStringList();
    // clang-format on
  }
  void transferButtons() { PressRowButtonAndCheck(); }

  void companyButtons_data() {
    AddColumns();
    // The total counts a further tenth of the corporation tax; the pie does not.
    QTest::newRow("法人（大規模） 1,000")
        << "BitBtn12" << Figures{0, 0, 1000}
        << QStringList{"1,000", "234", "101", "72", "431", "43.1", "40.7"} << kCompanyCaptions << kLevyBox
        << kLargeCompanyNote << "0010"
        << QStringList{"手取額 592.742", "国税 234", "県税 101.438", "事業 71.82", "市税 0"} << true
        << QStringList{"会社の所得金額", "1000", "法人税額", "234", "地方税額", "173", "税額合計", "430"};
    QTest::newRow("法人（小規模） 1,000 without a city slice")
        << "BitBtn13" << Figures{0, 0, 1000} << QStringList{"1,000", "167", "36", "68", "288", "28.8", "39.4"}
        << kCompanyCaptions << kLevyBox << kSmallCompanyNote << "0010"
        << QStringList{"手取額 728.9436", "国税 166.8", "事業 68.4", "県税 35.8564"} << true << QStringList();
    // The levy alone: a negative take-home keeps the pie hidden.
    QTest::newRow("法人（大規模） no profit")
        << "BitBtn12" << Figures{} << QStringList{"0", "0", "53", "0", "53", "0", "35.8"} << kCompanyCaptions
        << kLevyBox << kLargeCompanyNote << "0010" << QStringList() << false << QStringList();
  }
  void companyButtons() { PressRowButtonAndCheck(); }

  void giftButtons_data() {
    AddColumns();
    QTest::newRow("贈与税 500") << "BitBtn15" << Figures{0, 0, 0, 500}
                                << QStringList{"390", "53", "0", "0", "53", "10.6", "20.0"} << kGiftCaptions
                                << QString() << QString() << "0001"
                                << QStringList{"手取額 447", "国税 53", "県税 0", "市税 0", "事業 0"} << true
                                << QStringList{
                                       "－－－－－", "贈与額",   "500", "贈与税の基礎控除後の課税価額",
                                       "390",        "贈与税額", "53"};
    QTest::newRow("贈（尊属） 500") << "BitBtn29" << Figures{0, 0, 0, 500}
                                    << QStringList{"390", "49", "0", "0", "49", "9.7", "15.0"}
                                    << kGiftCaptions << QString() << QString() << "0001"
                                    << QStringList{"手取額 451.5", "国税 48.5", "県税 0", "市税 0", "事業 0"}
                                    << true << QStringList{"贈与税額", "48"};
    QTest::newRow("贈与税 within the basic deduction")
        << "BitBtn15" << Figures{0, 0, 0, 110} << QStringList(7, "0") << kGiftCaptions << QString()
        << QString() << "0001" << QStringList{"手取額 110", "国税 0", "県税 0", "市税 0", "事業 0"} << true
        << QStringList();
    QTest::newRow("贈与税 nothing") << "BitBtn15" << Figures{} << QStringList(7, "0") << kGiftCaptions
                                    << QString() << QString() << "0001" << QStringList() << false
                                    << QStringList();
  }
  void giftButtons() { PressRowButtonAndCheck(); }

 private:
  static void AddColumns() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Figures>("figures");
    QTest::addColumn<QStringList>("results");   // NValEdit1..7 as shown
    QTest::addColumn<QStringList>("captions");  // Edit1..7
    QTest::addColumn<QString>("sideBox");       // GroupBox2's title; empty: hidden
    QTest::addColumn<QString>("note");          // Label13
    QTest::addColumn<QString>("inputsInUse");   // Label1..4 black ("1") or teal ("0")
    QTest::addColumn<QStringList>("pie");       // as drawn, largest first, when shown
    QTest::addColumn<bool>("pieShown");
    QTest::addColumn<QStringList>("logTail");  // the last lines of the log
  }

  void PressRowButtonAndCheck() {
    QFETCH(QString, button);
    QFETCH(Figures, figures);
    QFETCH(QStringList, results);
    QFETCH(QStringList, captions);
    QFETCH(QString, sideBox);
    QFETCH(QString, note);
    QFETCH(QString, inputsInUse);
    QFETCH(QStringList, pie);
    QFETCH(bool, pieShown);
    QFETCH(QStringList, logTail);

    MainWindowProbe probe;
    TForm1& form = probe.Window();
    ShowAndActivate(form);

    // An inheritance click first: results, the spouse box, the fee box and a
    // two-slice pie for the row's button to replace.
    Field(form, 14)->setValue(20000);
    Field(form, 8)->setValue(2);
    Press(form, "BitBtn16");
    QVERIFY(Child<QGroupBox>(form, "GroupBox3")->isVisible());

    Field(form, 11)->setValue(figures.income);
    Field(form, 12)->setValue(figures.deductions);
    Field(form, 13)->setValue(figures.profit);
    Field(form, 14)->setValue(figures.value);
    Press(form, qPrintable(button));

    QCOMPARE(ShownResults(form), results);
    QCOMPARE(Captions(form), captions);

    auto* side = Child<QGroupBox>(form, "GroupBox2");
    QCOMPARE(side->isVisible(), !sideBox.isEmpty());
    if (!sideBox.isEmpty()) {
      QCOMPARE(side->title(), sideBox);
      QCOMPARE(Child<QLabel>(form, "Label13")->text(), note);
      QVERIFY(Field(form, 16)->isHidden());
      QVERIFY(Field(form, 17)->isHidden());
    }
    QVERIFY(Child<QGroupBox>(form, "GroupBox3")->isHidden());

    for (int i = 0; i < 4; ++i) {
      const QColor expected = inputsInUse.at(i) == '1' ? QColor(Qt::black) : kTeal;
      QCOMPARE(TextColour(Child<QLabel>(form, QStringLiteral("Label%1").arg(i + 1))), expected);
      QCOMPARE(Field(form, 11 + i)->palette().color(QPalette::Text), expected);
    }

    QCOMPARE(PieShown(form), pieShown);
    if (pieShown) QCOMPARE(PieSlices(form), pie);
    const QStringList log = LogLines(form);
    QVERIFY(log.size() >= logTail.size());
    QCOMPARE(log.mid(log.size() - logTail.size()), logTail);
    QVERIFY(probe.messages.isEmpty());
  }
};

QTEST_MAIN(MainWindowPropertyCasesTest)
#include "main_window_property_cases_test.moc"
