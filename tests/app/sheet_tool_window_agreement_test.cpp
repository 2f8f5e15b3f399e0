// The command-line tool reports what the window shows: the window's figure
// fields are set up as the one field table says, and for every calculation
// button the texts of the result fields after a real click equal the texts
// derived from the same sheet with the table's settings.
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/sheet/SheetTool.h"
#include "calc/MainSheet.h"
#include "controls/NValEdit.h"
#include "face/MainFields.h"
#include "forms/zentai.h"
#include "platform/Messages.h"

using namespace tavenko;

class SheetToolWindowAgreementTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    platform::SetMessageHook([](const QString&) {});
  }

  // The main window's set-up check: every figure field of zentai.ui has the
  // settings of the one field table the tool and the quick table read, and
  // the form has no figure field the table does not know.
  void everyFigureFieldIsSetUpAsTheFieldTableSays() {
    TForm1 form;
    const auto describe = [](const field::FieldSettings& s) {
      return QStringLiteral(
                 "MaxDigits %1 PrmtNegative %2 FixDecimal %3 DelAllClear %4 LeadingChar U+%5 "
                 "ZeroDisplay %6 PutAComma %7 EnterNext %8 ArrowNext %9")
          .arg(s.maxDigits)
          .arg(s.prmtNegative)
          .arg(s.fixDecimal)
          .arg(s.delAllClear)
          .arg(static_cast<uint>(s.leadingChar), 4, 16, QChar('0'))
          .arg(s.zeroDisplay)
          .arg(s.putAComma)
          .arg(s.enterNext)
          .arg(s.arrowNext);
    };
    for (const face::MainField& f : face::MainFields()) {
      const QString name = QString::fromUtf8(f.name.data(), f.name.size());
      auto* edit = form.findChild<TNValEdit*>(name);
      QVERIFY2(edit, qPrintable(name));
      QCOMPARE(name + ": " + describe(edit->Model().Settings()), name + ": " + describe(f.settings));
      QVERIFY2(edit->isReadOnly() == f.ReadOnly(), qPrintable(name));
      const QColor minus = f.negativesInRed ? QColor(Qt::red) : QColor::fromRgba(edit->Model().NormalColor());
      QVERIFY2(edit->MinusColor() == minus, qPrintable(name));
    }
    for (TNValEdit* edit : form.findChildren<TNValEdit*>())
      QVERIFY2(face::FindMainField(edit->objectName().toStdString()), qPrintable(edit->objectName()));
  }

  void everyButtonShowsWhatTheToolReports_data() {
    QTest::addColumn<bool>("yen");
    QTest::newRow("万円") << false;
    QTest::newRow("円") << true;
  }

  void everyButtonShowsWhatTheToolReports() {
    QFETCH(bool, yen);
    calc::MainInputs inputs;
    inputs.income = yen ? 12345678 : 1234;
    inputs.deductions = yen ? 1500000 : 150;
    inputs.profit = yen ? 98765432 : 9876;
    inputs.value = yen ? 876543210 : 87654;
    inputs.children = 2;
    inputs.parents = 1;
    inputs.siblings = 3;
    inputs.years = 12;
    inputs.unit = yen ? AmountUnit::Yen : AmountUnit::Man;

    for (const calc::MainCase& c : calc::MainCases()) {
      TForm1 form;
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      for (const face::MainField& f : face::InputFields())
        form.findChild<TNValEdit*>(QString::fromUtf8(f.name.data(), f.name.size()))
            ->setValue(inputs.*f.input);
      if (yen) QTest::mouseClick(form.findChild<QRadioButton*>("RadioButton4"), Qt::LeftButton);

      const calc::MainSheet sheet = c.compute(inputs);
      QTest::mouseClick(form.findChild<QPushButton*>(QString::fromUtf8(c.button.data(), c.button.size())),
                        Qt::LeftButton);

      for (int i = 0; i < calc::kResultCount; ++i) {
        const face::MainField& f = face::ResultField(i);
        const std::string expected = face::ShownText(f, sheet.results[i]);
        QCOMPARE(form.findChild<TNValEdit*>(QString::fromUtf8(f.name.data(), f.name.size()))->text(),
                 QString::fromStdString(expected));
      }
    }
  }

  // A fee beyond the fee fields' nine digits: the tool reports the value the
  // window's fields hold after the click, not the fee computed.
  void feeFieldsHoldWhatTheToolReports() {
    const std::string_view args[] = {"BitBtn16", "--value", "99999999999", "--children", "99"};
    const sheettool::ToolOutput out = sheettool::RunSheetTool(args);
    QCOMPARE(out.status, 0);
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.findChild<TNValEdit*>("NValEdit14")->setValue(99999999999.0L);
    form.findChild<TNValEdit*>("NValEdit8")->setValue(99);
    QTest::mouseClick(form.findChild<QPushButton*>("BitBtn16"), Qt::LeftButton);
    for (const char* name : {"NValEdit15", "NValEdit18"}) {
      const std::string key = std::string("\"") + name + "\": {\"value\": \"";
      const std::size_t at = out.out.find(key);
      QVERIFY2(at != std::string::npos, name);
      const std::string reported =
          out.out.substr(at + key.size(), out.out.find('"', at + key.size()) - at - key.size());
      auto* field = form.findChild<TNValEdit*>(name);
      QCOMPARE(QString::fromStdString(reported), QString::number(double(field->Value()), 'g', 15));
      QCOMPARE(QString::fromStdString(reported), QStringLiteral("999999999"));
    }
  }
};

QTEST_MAIN(SheetToolWindowAgreementTest)
#include "sheet_tool_window_agreement_test.moc"
