// The comprehensive taxation window driven as a user drives it: figures set
// or typed into its fields, its buttons clicked, its results read back.
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "calc/ComprehensiveTax.h"
#include "controls/NValEdit.h"
#include "forms/sougou.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"

using tavenko::FineYen;
using tavenko::calc::FineFromValue;

// (field number, yen) pairs of a case.
using Figures = QList<QPair<int, double>>;

namespace {

FineYen Fine(double yen) { return FineFromValue(yen); }

TNValEdit* Field(QWidget* window, int number) {
  return window->findChild<TNValEdit*>(QStringLiteral("NValEdit%1").arg(number));
}

void Set(QWidget* window, int number, double yen) { Field(window, number)->setValue(yen); }
FineYen Get(QWidget* window, int number) { return FineFromValue(Field(window, number)->Value()); }

template <typename T>
T* Child(QWidget* window, const char* name) {
  return window->findChild<T*>(QString::fromLatin1(name));
}

void Click(QWidget* window, const char* button) {
  QTest::mouseClick(Child<QPushButton>(window, button), Qt::LeftButton);
}

// Typing reaches the field's value only with the full numeric field.
}  // namespace

class ComprehensiveTaxWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    messages_.clear();
    tavenko::platform::SetMessageHook([this](const QString& text) { messages_ << text; });
    window_ = new TForm2(tavenko::law::EditionId::Heisei29);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }

  void cleanup() {
    delete window_.data();
    tavenko::platform::SetMessageHook({});
  }

  void looksAsDesigned() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("総合課税"));
    QCOMPARE(window_->size(), QSize(664, 475));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(window_->isWindow());
    QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    for (int n = 1; n <= 24; ++n)
      QVERIFY2(Field(window_, n), qPrintable(QStringLiteral("NValEdit%1").arg(n)));

    const QStringList captions{"税額の計算", "", "税率", "Clear"};
    for (int n = 1; n <= 4; ++n) {
      auto* button = window_->findChild<QPushButton*>(QStringLiteral("BitBtn%1").arg(n));
      QVERIFY(button);
      QCOMPARE(button->text(), captions[n - 1]);
    }
    QVERIFY(!Child<QPushButton>(window_, "BitBtn2")->icon().isNull());

    const QStringList hints{"卸売業", "小売業", "建設業　製造業", "飲食店業　貸金業　質屋等の金融業",
                            "不動産業　運輸通信業　サービス業"};
    for (int n = 1; n <= 5; ++n) {
      auto* radio = window_->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(n));
      QVERIFY(radio);
      QCOMPARE(radio->text(), QStringLiteral("%1%").arg(100 - 10 * n));
      QCOMPARE(radio->toolTip(), hints[n - 1]);
      QCOMPARE(radio->isChecked(), n == 1);
    }
  }

  void fieldsCarryTheirSettings() {
    const QSet<int> results{14, 16, 17, 18, 19, 20, 21, 24};
    // Typed fields refuse negatives unless a loss may be typed; the income-tax
    // results keep the field's default, and the consumption-tax fields refuse them.
    const QSet<int> negativesAllowed{1, 2, 3, 13, 14, 16, 17, 18, 19, 20, 21};
    for (int n = 1; n <= 24; ++n) {
      TNValEdit* field = Field(window_, n);
      const QByteArray name = field->objectName().toLatin1();
      QVERIFY2(field->MaxDigits() == (n >= 22 ? 9 : 12), name);
      QVERIFY2(field->FixDecimal() == 0 && field->ZeroDisplay(), name);
      QVERIFY2(field->PrmtNegative() == negativesAllowed.contains(n), name);
      const bool result = results.contains(n);
      QVERIFY2(field->isReadOnly() == result, name);
      QVERIFY2(bool(field->focusPolicy() & Qt::TabFocus) == !result, name);
      if (!result) QVERIFY2(field->DelAllClear() && field->EnterNext(), name);
      QCOMPARE(field->text(), QStringLiteral("0"));
    }
    QCOMPARE(Field(window_, 13)->MinusColor(), QColor(Qt::red));
  }

  void grossFieldsFillTheirIncome_data() {
    QTest::addColumn<int>("gross");
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("income");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("shown");
    QTest::newRow("salary at a fixed amount") << 4 << 1625000.0 << 5 << 974000.0 << "974,000";
    QTest::newRow("salary at sixty percent") << 4 << 1628000.0 << 5 << 976800.0 << "976,800";
    QTest::newRow("salary just below the first income") << 4 << 650999.0 << 5 << 0.0 << "0";
    QTest::newRow("salary first income") << 4 << 651000.0 << 5 << 1000.0 << "1,000";
    QTest::newRow("salary without cap") << 4 << 12000000.0 << 5 << 9700000.0 << "9,700,000";
    QTest::newRow("occasional below the deduction") << 6 << 400000.0 << 7 << 0.0 << "0";
    QTest::newRow("occasional half keeps its fraction") << 6 << 1500001.0 << 7 << 500000.5 << "500,001";
    QTest::newRow("pension at 65 or over") << 9 << 1300000.0 << 10 << 100000.0 << "100,000";
    QTest::newRow("pension under 65") << 11 << 1300000.0 << 12 << 600000.0 << "600,000";
    QTest::newRow("pension keeps its fraction") << 9 << 3300001.0 << 10 << 2100000.75 << "2,100,001";
    QTest::newRow("tax-excluded sales") << 22 << 10500000.0 << 23 << 10000000.0 << "10,000,000";
    QTest::newRow("sales below a thousand") << 22 << 1049.0 << 23 << 0.0 << "0";
    QTest::newRow("sales of a thousand") << 22 << 1050.0 << 23 << 1000.0 << "1,000";
    QTest::newRow("largest sales") << 22 << 999999999.0 << 23 << 952380000.0 << "952,380,000";
  }

  void grossFieldsFillTheirIncome() {
    QFETCH(int, gross);
    QFETCH(double, amount);
    QFETCH(int, income);
    QFETCH(double, expected);
    QFETCH(QString, shown);
    Set(window_, income, 123);  // a typed income is overwritten by the gross field
    Set(window_, gross, amount);
    QCOMPARE(Get(window_, income), Fine(expected));
    QCOMPARE(Field(window_, income)->text(), shown);
  }

  void calculationFillsEveryResult_data() {
    QTest::addColumn<Figures>("inputs");
    QTest::addColumn<Figures>("results");
    QTest::newRow("taxable income cut to thousands")
        << Figures{{8, 1234567}, {15, 380000}}
        << Figures{{14, 1234567}, {16, 854000}, {17, 43500}, {18, 34100}, {19, 51200}, {20, 0}, {21, 128800}};
    QTest::newRow("deductions above the income")
        << Figures{{3, 5000000}, {15, 6000000}}
        << Figures{{14, 5000000}, {16, 0}, {17, 0}, {18, 0}, {19, 0}, {20, 105000}, {21, 105000}};
    QTest::newRow("business loss") << Figures{{1, 3000000}, {3, -500000}}
                                   << Figures{{14, 2500000}, {16, 2500000}, {17, 155700},
                                              {18, 100000},  {19, 150000},  {20, 0}};
    QTest::newRow("transfer loss larger than the income")
        << Figures{{8, 1500000}, {13, -2000000}} << Figures{{14, 0}, {16, 0}, {17, 0}, {21, 0}};
    QTest::newRow("derived incomes as they stand")
        << Figures{{4, 6000000}, {6, 1500001}, {9, 3300001}, {15, 1500000}}
        << Figures{{14, 6860001.25}, {16, 5360000}, {17, 658000}, {18, 214400}, {19, 321600}};
    QTest::newRow("wholesale consumption tax")
        << Figures{{22, 10500000}} << Figures{{23, 10000000}, {24, 50000}};
  }

  void calculationFillsEveryResult() {
    QFETCH(Figures, inputs);
    QFETCH(Figures, results);
    for (int n : {14, 16, 17, 18, 19, 20, 21, 24}) Set(window_, n, 777);  // stale results
    for (const auto& [field, yen] : inputs) Set(window_, field, yen);
    Click(window_, "BitBtn1");
    for (const auto& [field, yen] : results) {
      QVERIFY2(Get(window_, field) == Fine(yen), qPrintable(QStringLiteral("NValEdit%1").arg(field)));
    }
  }

  void typedTaxExcludedSalesCount() {
    Set(window_, 22, 10500000);
    Set(window_, 23, 3456000);  // typed over the derived figure
    QVERIFY(Child<QRadioButton>(window_, "RadioButton2")->isChecked() == false);
    QTest::mouseClick(Child<QRadioButton>(window_, "RadioButton2"), Qt::LeftButton, {}, QPoint(6, 9));
    QVERIFY(Child<QRadioButton>(window_, "RadioButton2")->isChecked());
    Click(window_, "BitBtn1");
    QCOMPARE(Get(window_, 24), Fine(34500));
  }

  void transferProfitDrawsAWarning() {
    Set(window_, 13, -300000);
    QVERIFY(messages_.isEmpty());
    Set(window_, 13, 500000);
    QCOMPARE(messages_, QStringList{"譲渡損（マイナス記号）の場合にだけ入力してください。"});
    // The value stays and is added as income.
    Click(window_, "BitBtn1");
    QCOMPARE(Get(window_, 14), Fine(500000));
  }

  void clearZeroesAllFields() {
    for (int n = 1; n <= 24; ++n) Set(window_, n, 1000 + n);
    Click(window_, "BitBtn4");
    for (int n = 1; n <= 24; ++n) {
      QVERIFY2(Get(window_, n) == 0, qPrintable(QStringLiteral("NValEdit%1").arg(n)));
      QCOMPARE(Field(window_, n)->text(), QStringLiteral("0"));
    }
  }

  void ratioSurvivesActivatingAnotherWindow() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    Child<QRadioButton>(window_, "RadioButton5")->click();

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));

    Set(window_, 23, 10000000);
    Click(window_, "BitBtn1");
    QCOMPARE(Get(window_, 24), Fine(250000));  // 50 % of 10,000,000 at 5 %
  }

  void windowsComputeIndependently() {
    QPointer<TForm2> second = new TForm2(tavenko::law::EditionId::Heisei29);
    second->show();
    Child<QRadioButton>(second, "RadioButton5")->click();
    Set(second, 23, 10000000);
    Set(second, 4, 1628000);
    Set(window_, 23, 10000000);
    Set(window_, 4, 651000);
    QCOMPARE(Get(second, 5), Fine(976800));
    QCOMPARE(Get(window_, 5), Fine(1000));

    Click(second, "BitBtn1");
    QCOMPARE(Get(second, 24), Fine(250000));
    QCOMPARE(Get(window_, 24), 0);  // not calculated yet
    Click(window_, "BitBtn1");
    QCOMPARE(Get(window_, 24), Fine(50000));  // still 90 %
    QCOMPARE(Get(window_, 14), Fine(1000));
    QCOMPARE(Get(second, 14), Fine(976800));

    second->close();  // frees itself
    QTRY_VERIFY(second.isNull());
    Click(window_, "BitBtn4");
    QCOMPARE(Get(window_, 5), 0);
  }

  void closingFreesTheWindow() {
    QPointer<TForm2> window = window_.data();
    window_->close();
    QTRY_VERIFY(window.isNull());
  }

  void ratesButtonOpensTheHelpAtItsContents() {
    Click(window_, "BitBtn3");
    QCOMPARE(tavenko::platform::ApplicationHelpFile(), QStringLiteral("tavenko.hlp"));
    QWidget* help = tavenko::platform::HelpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(messages_.isEmpty());
    help->close();
  }

  // Typing, keystroke by keystroke, with the full numeric field.

  void typingSalaryRevenueFillsSalaryIncome() {
    TNValEdit* revenue = Field(window_, 4);
    revenue->setFocus();
    // Each prefix of 6,510,000 and the salary income it gives.
    const QList<QPair<char, double>> keys{{'6', 0}, {'5', 0},    {'1', 0},      {'0', 0},
                                          {'0', 0}, {'0', 1000}, {'0', 4666400}};
    for (const auto& [key, income] : keys) {
      QTest::keyClick(revenue, key);
      QVERIFY2(Get(window_, 5) == Fine(income), qPrintable(revenue->text()));
    }
    QCOMPARE(Field(window_, 5)->text(), QStringLiteral("4,666,400"));
  }

  void typingFiguresAndEnterThenCalculate() {
    Field(window_, 3)->setFocus();
    QTest::keyClicks(Field(window_, 3), "5000000");
    QTest::keyClick(Field(window_, 3), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Field(window_, 4));  // Enter moves on
    Field(window_, 13)->setFocus();
    QTest::keyClicks(Field(window_, 13), "-2000000");
    QVERIFY(messages_.isEmpty());  // a loss typed with its sign draws no warning
    Field(window_, 22)->setFocus();
    QTest::keyClicks(Field(window_, 22), "10500000");
    QCOMPARE(Get(window_, 23), Fine(10000000));
    Click(window_, "BitBtn1");
    QCOMPARE(Get(window_, 14), Fine(3000000));
    QCOMPARE(Get(window_, 20), Fine(105000));
    QCOMPARE(Get(window_, 24), Fine(50000));
  }

  void typingAPositiveTransferEntryWarns() {
    Field(window_, 13)->setFocus();
    QTest::keyClick(Field(window_, 13), Qt::Key_5);
    QCOMPARE(messages_, QStringList{"譲渡損（マイナス記号）の場合にだけ入力してください。"});
  }

 private:
  QPointer<TForm2> window_;
  QStringList messages_;
};

QTEST_MAIN(ComprehensiveTaxWindowTest)
#include "comprehensive_tax_window_test.moc"
