// The command-line tool reports what the window shows: for every calculation
// button, the texts of the window's result fields after a real click equal
// the texts the tool derives from the same sheet with its own field settings.
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "MainSheet.h"
#include "Messages.h"
#include "NValEdit.h"
#include "SheetTool.h"
#include "zentai.h"

using namespace tavenko;

class SheetToolWindowAgreementTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    platform::SetMessageHook([](const QString&) {});
  }

  void fieldSettingsMatchTheWindow() {
    TForm1 form;
    for (const char* name : {"NValEdit1", "NValEdit2", "NValEdit3", "NValEdit4", "NValEdit5", "NValEdit6",
                             "NValEdit7", "NValEdit15", "NValEdit17", "NValEdit18"}) {
      const auto settings = sheettool::MainWindowFieldSettings(name);
      QVERIFY(settings.has_value());
      auto* field = form.findChild<TNValEdit*>(name);
      QVERIFY2(field, name);
      QCOMPARE(field->MaxDigits(), settings->maxDigits);
      QCOMPARE(field->FixDecimal(), settings->fixDecimal);
      QCOMPARE(field->ZeroDisplay(), settings->zeroDisplay);
      QCOMPARE(field->PrmtNegative(), settings->prmtNegative);
      QCOMPARE(field->PutAComma(), settings->putAComma);
    }
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
      const std::pair<const char*, Extended> typed[] = {
          {"NValEdit11", inputs.income}, {"NValEdit12", inputs.deductions}, {"NValEdit13", inputs.profit},
          {"NValEdit14", inputs.value},  {"NValEdit8", inputs.children},    {"NValEdit9", inputs.parents},
          {"NValEdit10", inputs.siblings}, {"NValEdit16", inputs.years}};
      for (const auto& [name, value] : typed) form.findChild<TNValEdit*>(name)->setValue(value);
      if (yen) QTest::mouseClick(form.findChild<QRadioButton*>("RadioButton4"), Qt::LeftButton);

      const calc::MainSheet sheet = c.compute(inputs);
      QTest::mouseClick(form.findChild<QPushButton*>(QString::fromUtf8(c.button.data(), c.button.size())),
                        Qt::LeftButton);

      for (int i = 0; i < calc::kResultCount; ++i) {
        const std::string name = "NValEdit" + std::to_string(i + 1);
        const std::string expected = field::ShownText(*sheettool::MainWindowFieldSettings(name), sheet.results[i]);
        QCOMPARE(form.findChild<TNValEdit*>(QString::fromStdString(name))->text(), QString::fromStdString(expected));
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
      const std::string reported = out.out.substr(at + key.size(), out.out.find('"', at + key.size()) - at - key.size());
      auto* field = form.findChild<TNValEdit*>(name);
      QCOMPARE(QString::fromStdString(reported), QString::number(double(field->Value()), 'g', 15));
      QCOMPARE(QString::fromStdString(reported), QStringLiteral("999999999"));
    }
  }
};

QTEST_MAIN(SheetToolWindowAgreementTest)
#include "sheet_tool_window_agreement_test.moc"
