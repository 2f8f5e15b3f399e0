// The three windows the main window opens, typed into with real keys, show
// what tavenko-sheet reports for the same figures: every figure field's text
// and value, the title and the messages, in both editions.
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest>
#include <functional>

#include "app/sheet/WindowSheets.h"
#include "controls/NValEdit.h"
#include "forms/SecondaryWindows.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"

using namespace tavenko;

namespace {

using Edition = law::EditionId;

void Type(QWidget* window, const char* field, const char* digits) {
  auto* edit = window->findChild<TNValEdit*>(QLatin1String(field));
  QVERIFY2(edit && edit->isVisible(), field);
  QTest::mouseClick(edit, Qt::LeftButton);
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, QLatin1String(digits));
  QTest::keyClick(edit, Qt::Key_Return);
}

void Press(QWidget* window, const char* button) {
  auto* b = window->findChild<QAbstractButton*>(QLatin1String(button));
  QVERIFY2(b && b->isVisible(), button);
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

// A date typed into a date field as a user does: a click, then the digits of
// the whole date, then Enter.
void TypeDate(QWidget* window, const char* field, const char* digits) {
  auto* edit = window->findChild<QDateEdit*>(QLatin1String(field));
  QVERIFY2(edit && edit->isVisible(), field);
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(6, edit->height() / 2));
  QCoreApplication::processEvents();
  QTest::keyClicks(edit, QLatin1String(digits));
  QTest::keyClick(edit, Qt::Key_Return);
}

struct Row {
  const char* name;
  QWidget* (*create)(QWidget* owner, Edition edition);
  Edition edition;
  std::function<void(QWidget*)> keys;
  std::vector<std::string_view> tool;
};

}  // namespace

class WindowSheetsAgreementTest : public QObject {
  Q_OBJECT

  QStringList messages_;

 private slots:
  void initTestCase() {
    platform::SetMessageHook([this](const QString& text) { messages_ << text; });
  }

  void windowShowsWhatTheToolReports_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(Rows().size()); ++i) QTest::newRow(Rows()[i].name) << i;
  }

  void windowShowsWhatTheToolReports() {
    QFETCH(int, row);
    const Row& r = Rows()[row];
    messages_.clear();
    QWidget owner;
    QWidget* window = r.create(&owner, r.edition);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    r.keys(window);
    const sheettool::WindowSheet sheet = sheettool::ComputeWindowSheet(r.tool);
    QCOMPARE(window->windowTitle().toStdString(), sheet.title);
    QStringList expectedMessages;
    for (const std::string& m : sheet.messages) expectedMessages << QString::fromStdString(m);
    QCOMPARE(messages_, expectedMessages);
    for (const sheettool::ShownFigure& f : sheet.figures) {
      auto* field = window->findChild<TNValEdit*>(QString::fromStdString(f.field));
      QVERIFY2(field, f.field.c_str());
      QCOMPARE(f.field + " " + field->text().toStdString(), f.field + " " + f.text);
      QVERIFY2(field->Value() == f.value, f.field.c_str());
    }
  }

  // "税率" opens the rates help written for the window's edition.
  void ratesButtonOpensTheHelpOfTheWindowsEdition() {
    platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
    QWidget owner;
    using Create = QWidget* (*)(QWidget*, Edition);
    const std::pair<Create, const char*> windows[] = {{CreateComprehensiveTaxWindow, "BitBtn3"},
                                                      {CreateAdditionalTaxWindow, "BitBtn5"}};
    for (auto [create, button] : windows) {
      for (const law::Edition* law : law::Editions()) {
        QWidget* window = create(&owner, law->id);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        Press(window, button);
        auto* browser = platform::HelpWindow()->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
        const QString heading = browser->toPlainText().section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(heading.contains(QString::fromUtf8(law->titleName.data())), qPrintable(heading));
        window->close();
      }
    }
    delete platform::HelpWindow();
  }

  // Enter in a date field moves on to the next one, and the payment date
  // follows the filing date while it is the same.
  void dateFieldsTakeTypedDatesAndMoveOn() {
    QWidget owner;
    QWidget* window = CreateAdditionalTaxWindow(&owner, Edition::Reiwa7);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    TypeDate(window, "DateEdit2", "20260630");
    auto* paid = window->findChild<QDateEdit*>(QStringLiteral("DateEdit3"));
    QCOMPARE(paid->date(), QDate(2026, 6, 30));
    QCOMPARE(QApplication::focusWidget(), paid);
  }

 private:
  static const std::vector<Row>& Rows() {
    static const std::vector<Row> rows{
        {"総合課税 平成29年版", CreateComprehensiveTaxWindow, Edition::Heisei29,
         [](QWidget* w) {
           Type(w, "NValEdit4", "5000000");
           Type(w, "NValEdit9", "3000000");
           Type(w, "NValEdit3", "12000000");
           Type(w, "NValEdit22", "10500000");
           Press(w, "RadioButton5");
           Press(w, "BitBtn1");
         },
         {"総合課税", "--salary-revenue", "5000000", "--pension-65", "3000000", "--business", "12000000",
          "--sales", "10500000", "--ratio", "50"}},
        // The business income typed after the pensions makes them higher.
        {"総合課税 令和7年分", CreateComprehensiveTaxWindow, Edition::Reiwa7,
         [](QWidget* w) {
           Type(w, "NValEdit4", "5000000");
           Type(w, "NValEdit9", "3000000");
           Type(w, "NValEdit11", "2000000");
           Type(w, "NValEdit3", "12000000");
           Type(w, "NValEdit13", "5");
           Type(w, "NValEdit22", "10500000");
           Type(w, "NValEdit25", "2160000");
           Press(w, "RadioButton6");
           Press(w, "BitBtn1");
         },
         {"総合課税", "--edition", "r7", "--salary-revenue", "5000000", "--pension-65", "3000000",
          "--pension-under-65", "2000000", "--business", "12000000", "--transfer-loss", "5", "--sales",
          "10500000", "--reduced-sales", "2160000", "--ratio", "40"}},
        {"総合課税 令和7年分 2割特例", CreateComprehensiveTaxWindow, Edition::Reiwa7,
         [](QWidget* w) {
           Type(w, "NValEdit22", "10500000");
           Press(w, "CheckBox1");
           Press(w, "BitBtn1");
         },
         {"総合課税", "--edition", "r7", "--sales", "10500000", "--niwari"}},
        {"加算税 平成29年版", CreateAdditionalTaxWindow, Edition::Heisei29,
         [](QWidget* w) {
           Type(w, "NValEdit5", "4000000");
           Type(w, "NValEdit6", "500000");
           Press(w, "CheckBox1");
           Press(w, "BitBtn1");
         },
         {"加算税", "--initial", "0,0,0", "--amended", "4000000,500000,0", "--no-return"}},
        {"加算税 令和7年分", CreateAdditionalTaxWindow, Edition::Reiwa7,
         [](QWidget* w) {
           Type(w, "NValEdit5", "4000000");
           Type(w, "NValEdit6", "500000");
           Type(w, "NValEdit7", "200000");
           Type(w, "NValEdit13", "3");
           Type(w, "NValEdit18", "1");
           TypeDate(w, "DateEdit2", "20260630");
           TypeDate(w, "DateEdit3", "20260930");
           Press(w, "CheckBox1");
           Press(w, "BitBtn1");
         },
         {"加算税", "--edition", "r7", "--initial", "0,0,0", "--amended", "4000000,500000,200000", "--split",
          "3,1", "--no-return", "--filed", "2026-06-30", "--paid", "2026-09-30"}},
        {"加算税 令和7年分 refused dates", CreateAdditionalTaxWindow, Edition::Reiwa7,
         [](QWidget* w) {
           Type(w, "NValEdit5", "1000000");
           TypeDate(w, "DateEdit2", "20260630");
           TypeDate(w, "DateEdit3", "20260601");
           Press(w, "BitBtn1");
         },
         {"加算税", "--edition", "r7", "--initial", "0,0,0", "--amended", "1000000,0,0", "--filed", "2026-06-30",
          "--paid", "2026-06-01"}},
        {"法人成り 平成29年版", CreateIncorporationWindow, Edition::Heisei29,
         [](QWidget* w) {
           Type(w, "NValEdit1", "1000");
           Type(w, "NValEdit2", "100");
           Press(w, "BitBtn2");
         },
         {"法人成り", "--income", "1000", "--deductions", "100", "--search"}},
        {"法人成り 令和7年分", CreateIncorporationWindow, Edition::Reiwa7,
         [](QWidget* w) {
           Type(w, "NValEdit1", "1000");
           Type(w, "NValEdit2", "100");
           Press(w, "BitBtn2");
         },
         {"法人成り", "--edition", "r7", "--income", "1000", "--deductions", "100", "--search"}},
    };
    return rows;
  }
};

QTEST_MAIN(WindowSheetsAgreementTest)
#include "window_sheets_agreement_test.moc"
