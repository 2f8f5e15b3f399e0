// The additional and delinquency tax window driven as a user drives it.
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cmath>

#include "controls/NValEdit.h"
#include "forms/kasanzei.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"
#include "tests/forms/tab_order.h"

namespace {

// A field value as the window reads it back: ten-thousandths of the unit.
qint64 Ticks(long double value) { return static_cast<qint64>(std::nearbyintl(value * 10000)); }

}  // namespace

class AdditionalTaxWindowTest : public QObject {
  Q_OBJECT

 private:
  QPointer<TForm3> window_;
  QStringList messages_;

  TNValEdit* Field(int n) const {
    return window_->findChild<TNValEdit*>(QStringLiteral("NValEdit%1").arg(n));
  }
  template <typename T>
  T* Control(const char* name) const {
    return window_->findChild<T*>(QLatin1String(name));
  }
  void Press(const char* button) { QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton); }

 private slots:
  void initTestCase() {
    tavenko::platform::SetMessageHook([this](const QString& text) { messages_ << text; });
  }

  void init() {
    messages_.clear();
    window_ = new TForm3(tavenko::law::EditionId::Heisei29);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_));
  }

  void cleanup() {
    if (window_) window_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(window_.isNull(), "closing the window frees it");
    QCOMPARE(messages_, QStringList());  // no message box the test did not expect
  }

  // Tab walks the window as it reads, the unit first (it is chosen before
  // typing) and the bottom row left to right, in either edition.
  void tabFollowsTheScreen_data() {
    QTest::addColumn<int>("edition");
    QTest::newRow("平成29年版") << int(tavenko::law::EditionId::Heisei29);
    QTest::newRow("令和7年分") << int(tavenko::law::EditionId::Reiwa7);
  }
  void tabFollowsTheScreen() {
    QFETCH(int, edition);
    QPointer<TForm3> window = new TForm3(tavenko::law::EditionId(edition));
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // The unit box stands below the tax rows but comes first.
    const QList<QWidget*> visited = tab_order::TabWalk(window->findChild<QWidget*>(QStringLiteral("RadioButton1")));
    QCOMPARE(visited.at(1)->objectName(), QStringLiteral("NValEdit1"));
    QCOMPARE(tab_order::FirstOutOfOrder(*window, visited.mid(1)), QString());
    QCOMPARE(visited.last()->objectName(), QStringLiteral("BitBtn4"));
    window->close();
  }

  void opensEmptyWithOnlyTheTypedFields() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("加算税の計算"));
    QCOMPARE(window_->size(), QSize(640, 538));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(window_->isWindow());
    for (int n = 1; n <= 41; ++n) {
      TNValEdit* field = Field(n);
      QVERIFY2(field, qPrintable(QStringLiteral("NValEdit%1").arg(n)));
      const bool typed = QList<int>{1, 2, 3, 5, 6, 7, 13, 18, 30, 32}.contains(n);
      QCOMPARE(field->isVisible(), typed);
      QCOMPARE(field->isReadOnly(), !typed);
      // Results are no tab stops, but a click takes them, so that Ctrl+C copies.
      QCOMPARE(bool(field->focusPolicy() & Qt::TabFocus), typed);
      QVERIFY(field->focusPolicy() & Qt::ClickFocus);
    }
    QVERIFY(Control<QLabel>("Label10")->isVisible());
    QVERIFY(Control<QLabel>("Label11")->isVisible());
    QVERIFY(Control<QLabel>("Label15")->isVisible());
    QVERIFY(!Control<QLabel>("Label4")->isVisible());  // "合　　計"
    QVERIFY(!Control<QLabel>("Label7")->isVisible());  // "増差税額"
    QVERIFY(Control<QGroupBox>("GroupBox3")->pos() != QPoint(16, 72));
    QVERIFY(Control<QRadioButton>("RadioButton1")->isChecked());
    QVERIFY(!Control<QCheckBox>("CheckBox1")->isChecked());
    QCOMPARE(window_->UnitFlag(), 1);
    // The first activation puts the rate and the days in.
    QCOMPARE(Field(30)->Value(), 0.1L);
    QCOMPARE(Field(32)->Value(), 365.0L);
  }

  void firstCalculationRevealsTheResults() {
    Field(1)->setValue(300000);
    Field(5)->setValue(1300000);
    Press("BitBtn1");
    QCOMPARE(Control<QGroupBox>("GroupBox3")->pos(), QPoint(16, 72));
    for (int n = 1; n <= 41; ++n) QVERIFY2(Field(n)->isVisible(), qPrintable(QString::number(n)));
    for (const char* shown :
         {"Label4", "Label7", "Label12", "Label13", "Label14", "Label18", "Label19", "Label20"})
      QVERIFY2(Control<QLabel>(shown)->isVisible(), shown);
    for (const char* hidden : {"Label10", "Label11", "Label15"})
      QVERIFY2(!Control<QLabel>(hidden)->isVisible(), hidden);

    QCOMPARE(Field(13)->Value(), 1.0L);  // both apportioning incomes were empty
    QCOMPARE(Ticks(Field(9)->Value()), Ticks(1000000));
    QCOMPARE(Ticks(Field(14)->Value()), Ticks(1000000));
    QCOMPARE(Ticks(Field(23)->Value()), Ticks(50000));
    QCOMPARE(Ticks(Field(25)->Value()), Ticks(75000));
    QCOMPARE(Ticks(Field(33)->Value()), Ticks(41000));
    QCOMPARE(Ticks(Field(41)->Value()), Ticks(1166000));
    QCOMPARE(Field(41)->text(), QStringLiteral("1,166,000"));

    // A result is copied as a user copies it: click, select all, Ctrl+C.
    QApplication::clipboard()->clear();
    QTest::mouseClick(Field(41), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), Field(41));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1,166,000"));
  }

  // Needs the full numeric field: digits and Enter typed with real keys.
  void typedAmendedReturnWithRealKeys() {
    Field(1)->setFocus();
    QTest::keyClick(Field(1), Qt::Key_3);
    QTest::keyClicks(Field(1), "00000");
    for (int i = 0; i < 3; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Field(5));
    QTest::keyClicks(Field(5), "1300000");
    QTest::keyClick(Field(5), Qt::Key_Return);
    QTest::keyClicks(Field(6), "250000");
    QTest::keyClick(Field(6), Qt::Key_Return);
    QTest::keyClicks(Field(7), "100000");
    Press("BitBtn1");

    QCOMPARE(Field(8)->text(), QStringLiteral("1,650,000"));
    QCOMPARE(Field(9)->text(), QStringLiteral("1,000,000"));
    QCOMPARE(Field(10)->text(), QStringLiteral("250,000"));
    QCOMPARE(Field(12)->text(), QStringLiteral("1,350,000"));
    QCOMPARE(Field(24)->text(), QStringLiteral("50,000"));
    // 75,000 + 5 % of nothing: the business column bears no 15 % part on a filed return.
    QCOMPARE(Field(26)->text(), QStringLiteral("75,000"));
    // 4.1 % of each understated share for one year: 41,000 + 10,250 + 4,100.
    QCOMPARE(Field(36)->text(), QStringLiteral("55,350"));
    QCOMPARE(Field(41)->text(), QStringLiteral("1,530,350"));
  }

  void tenThousandYenUnitMovesTheThreshold() {
    QTest::mouseClick(Control<QRadioButton>("RadioButton2"), Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>("RadioButton2"), Qt::LeftButton);  // stays checked
    QVERIFY(Control<QRadioButton>("RadioButton2")->isChecked());
    QCOMPARE(window_->UnitFlag(), 2);
    Field(1)->setValue(30);
    Field(5)->setValue(130);
    Press("BitBtn1");
    QCOMPARE(Ticks(Field(23)->Value()), Ticks(5));
    QCOMPARE(Ticks(Field(25)->Value()), Ticks(7.5));  // the value keeps the half
    QCOMPARE(Field(25)->text(), QStringLiteral("8"));
    QTest::mouseClick(Control<QRadioButton>("RadioButton1"), Qt::LeftButton);
    QCOMPARE(window_->UnitFlag(), 1);
  }

  void noReturnAndApportionedIncrease() {
    Field(5)->setValue(1000000);
    Field(13)->setValue(3);
    Field(18)->setValue(1);
    Field(32)->setValue(730);
    QTest::mouseClick(Control<QCheckBox>("CheckBox1"), Qt::LeftButton);
    Press("BitBtn1");
    QCOMPARE(Ticks(Field(14)->Value()), Ticks(750000));
    QCOMPARE(Ticks(Field(19)->Value()), Ticks(250000));
    QCOMPARE(Field(23)->Value(), 0.0L);
    QCOMPARE(Ticks(Field(25)->Value()), Ticks(112500));
    QCOMPARE(Ticks(Field(27)->Value()), Ticks(100000));  // 40 % without a return
    QCOMPARE(Ticks(Field(33)->Value()), Ticks(61500));   // 750,000 × 4.1 % × 2 years
    QCOMPARE(Ticks(Field(37)->Value()), Ticks(20500));
  }

  void zeroDaysWarnsAndLeavesNoDelinquency() {
    Field(5)->setValue(1000000);
    Field(32)->setValue(0);
    Press("BitBtn1");
    QCOMPARE(messages_, QStringList{QStringLiteral("年数の入力が間違っています")});
    messages_.clear();
    QCOMPARE(Field(36)->Value(), 0.0L);
    QCOMPARE(Field(40)->Value(), 0.0L);
    QCOMPARE(Ticks(Field(41)->Value()), Ticks(1000000 + 50000 + 75000));
  }

  void clearKeepsRateUnitAndLayout() {
    Field(5)->setValue(1000000);
    Press("BitBtn1");
    Field(30)->setValue(2.5);
    QTest::mouseClick(Control<QCheckBox>("CheckBox1"), Qt::LeftButton);
    Press("BitBtn4");
    for (int n = 1; n <= 41; ++n) {
      if (n == 30 || n == 32) continue;
      QCOMPARE(Field(n)->Value(), 0.0L);
    }
    QCOMPARE(Field(32)->Value(), 365.0L);
    QCOMPARE(Field(30)->Value(), 2.5L);
    QVERIFY(Control<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(Field(41)->isVisible());

    Press("BitBtn1");
    QCOMPARE(Field(13)->Value(), 1.0L);
    for (int n = 1; n <= 41; ++n) {
      if (n == 13 || n == 30 || n == 32) continue;
      QCOMPARE(Field(n)->Value(), 0.0L);
    }
  }

  // A calculation writes every result field, those it leaves at 0 as well:
  // none keeps a figure from before.
  void everyResultFieldIsWritten() {
    const QList<int> typed{1, 2, 3, 5, 6, 7, 13, 18, 30, 32};
    for (int n = 1; n <= 41; ++n)
      if (!typed.contains(n)) Field(n)->setValue(7);
    Press("BitBtn1");
    for (int n = 1; n <= 41; ++n) {
      if (!typed.contains(n))
        QVERIFY2(Field(n)->Value() == 0, qPrintable(QStringLiteral("NValEdit%1").arg(n)));
    }
  }

  void everyActivationResetsRateAndDays() {
    Field(30)->setValue(2.5);
    Field(32)->setValue(100);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(Field(30)->Value(), 2.5L);  // typed figures stay while away
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(Field(30)->Value(), 0.1L);
    QCOMPARE(Field(32)->Value(), 365.0L);
  }

  void noticeAndRatesHelp() {
    Press("BitBtn3");
    QCOMPARE(messages_, QStringList{QStringLiteral("延滞税の計算の基礎が分かっている方のみご利用下さい。")});
    messages_.clear();
    Press("BitBtn5");
    QCOMPARE(tavenko::platform::ApplicationHelpFile(), QStringLiteral("tavenko.hlp"));
  }

  void everyControlIsNamed() {
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5"})
      QVERIFY2(Control<QPushButton>(name), name);
    QCOMPARE(Control<QPushButton>("BitBtn1")->text(), QStringLiteral("計　算"));
    QCOMPARE(Control<QPushButton>("BitBtn4")->text(), QStringLiteral("Clear"));
    QCOMPARE(Control<QPushButton>("BitBtn5")->text(), QStringLiteral("税率"));
    QCOMPARE(Control<QGroupBox>("GroupBox3")->title(), QStringLiteral(" 計算単位 "));
    QCOMPARE(Control<QCheckBox>("CheckBox1")->text(), QStringLiteral("無申告の場合はチェックをしてください"));
  }
};

QTEST_MAIN(AdditionalTaxWindowTest)
#include "additional_tax_window_test.moc"
