// The rates help: its tables say what the program computes, and the help
// window opens at its contents page.
#include <QApplication>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "core/Schedules.h"
#include "platform/HelpDocument.h"
#include "platform/HelpViewer.h"
#include "platform/Messages.h"

using namespace tavenko;

namespace {

YenAmount ParseYen(const QString& text) {
  return text.isEmpty() ? 0 : QString(text).remove(',').toLongLong();
}

// "23.4" percent as the decimal fraction 0.234, read the way a rate literal
// is, so that ties round as the schedules round them.
Extended ParsePercent(const QString& percent) {
  QString whole = percent.section('.', 0, 0).rightJustified(2, '0');
  const QString decimals = percent.section('.', 1);
  const QString fraction = "0." + whole + decimals;
  return std::strtold(fraction.toLatin1().constData(), nullptr);
}

// The table that follows the anchor `name` in the document.
QString Section(const QString& html, const QString& name) {
  const qsizetype start = html.indexOf(QStringLiteral("<a name=\"%1\"></a>").arg(name));
  if (start < 0) return {};
  const qsizetype end = html.indexOf(QStringLiteral("</table>"), start);
  return end < 0 ? QString() : html.mid(start, end - start);
}

struct RateRow {
  YenAmount lower;  // 0 for the first row
  YenAmount upper;  // kNoLimit for the top row
  Extended rate;
  YenAmount subtrahend;
};

QList<RateRow> RateRows(const QString& table) {
  static const QRegularExpression row(
      QStringLiteral("<tr><td>(?:([\\d,]+)円超)?　?(?:([\\d,]+)円以下)?</td><td[^>]*>([\\d.]+)%</"
                     "td><td[^>]*>([\\d,]+)円</td></tr>"));
  QList<RateRow> rows;
  for (auto match = row.globalMatch(table); match.hasNext();) {
    const auto m = match.next();
    rows.append({ParseYen(m.captured(1)), m.captured(2).isEmpty() ? kNoLimit : ParseYen(m.captured(2)),
                 ParsePercent(m.captured(3)), ParseYen(m.captured(4))});
  }
  return rows;
}

using Schedule = YenAmount (*)(const law::Edition&, YenAmount);

}  // namespace

Q_DECLARE_METATYPE(Schedule)

class RatesHelpTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    messages_.clear();
    platform::SetMessageHook([this](const QString& text) { messages_ << text; });
    platform::SetApplicationHelpFile(QStringLiteral("tavenko.hlp"));
  }

  void cleanup() {
    delete platform::HelpWindow();
    platform::SetMessageHook({});
  }

  void rateTablesAgreeWithTheSchedules_data() {
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("section");
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<int>("rowCount");
    for (const law::Edition* law : law::Editions()) {
      const QString key = QString::fromUtf8(law->key.data(), law->key.size());
      const auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(key + " " + name)) << key; };
      row("income tax") << "income-tax" << Schedule(IncomeTaxWithSurtax) << 7;
      row("corporation tax") << "corporation-tax" << Schedule(CorporationTax)
                             << int(law->corporationTax.smallCompany.size());
      row("enterprise tax") << "enterprise-tax" << Schedule(CorporateEnterpriseTax) << 3;
      row("gift tax general") << "gift-tax-general" << Schedule(GiftTaxGeneral) << 8;
      row("gift tax from ascendants") << "gift-tax-ascendant" << Schedule(GiftTaxSpecial) << 8;
      row("inheritance tax") << "inheritance-tax" << Schedule(InheritanceTaxSchedule) << 8;
    }
  }

  // Each edition's page: the rows of a table give the schedule's figures at
  // their bounds (the income tax times the surtax, a small company's
  // enterprise tax times its factor).
  void rateTablesAgreeWithTheSchedules() {
    QFETCH(QString, edition);
    QFETCH(QString, section);
    QFETCH(Schedule, schedule);
    QFETCH(int, rowCount);
    const law::Edition& law = law::EditionOf(*law::FindEdition(edition.toStdString()));
    const std::optional<QString> html = platform::HelpDocumentHtml(QStringLiteral("tavenko.hlp"), law);
    QVERIFY(html);
    const QList<RateRow> rows = RateRows(Section(*html, section));
    QCOMPARE(rows.size(), rowCount);
    const Extended factor = section == "income-tax"       ? law.incomeTax.surtaxFactor
                            : section == "enterprise-tax" ? law.enterpriseTax.smallCompany.factor
                                                          : 1;
    YenAmount lower = 0;
    for (const RateRow& row : rows) {
      QCOMPARE(row.lower, lower);  // rows follow one another without a gap
      lower = row.upper;
      // The row's formula gives the schedule's figure at both of its ends.
      for (YenAmount x : {row.lower + 1, row.upper == kNoLimit ? row.lower + 123456789 : row.upper}) {
        Extended tax = static_cast<Extended>(x) * row.rate - row.subtrahend;
        if (factor != 1) tax *= factor;
        QVERIFY2(schedule(law, x) == StoreYen(tax), qPrintable(QString::number(x)));
      }
    }
    QCOMPARE(lower, kNoLimit);
  }

  void accountantFeeTableAgreesWithTheSchedule() {
    const QString table =
        Section(*platform::HelpDocumentHtml(QStringLiteral("tavenko.hlp")), "accountant-fee");
    static const QRegularExpression row(QStringLiteral(
        "<tr><td>(?:([\\d,]+)円以上)?　?(?:([\\d,]+)円未満)?</td><td[^>]*>([\\d,]+)円</td></tr>"));
    int rows = 0;
    for (auto match = row.globalMatch(table); match.hasNext(); ++rows) {
      const auto m = match.next();
      const YenAmount fee = ParseYen(m.captured(3));
      QCOMPARE(AccountantFeeBase(law::kHeisei29, ParseYen(m.captured(1))), fee);
      QCOMPARE(AccountantFeeBase(law::kHeisei29, ParseYen(m.captured(2)) - 1), fee);
    }
    QCOMPARE(rows, 7);
    QVERIFY(
        table.contains(QStringLiteral("<tr><td>1,000,000,000円以上</td><td align=\"right\">1,900,000円に")));
  }

  void contentsOpensOneWindowAtItsContentsPage() {
    platform::RunHelpMacro(QStringLiteral("contents()"));
    QWidget* window = platform::HelpWindow();
    QVERIFY(window && window->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("目次")));
    QCOMPARE(browser->verticalScrollBar()->value(), 0);

    browser->scrollToAnchor(QStringLiteral("delinquency-tax"));
    QVERIFY(browser->verticalScrollBar()->value() > 0);
    platform::RunHelpMacro(QStringLiteral("contents()"));
    QCOMPARE(platform::HelpWindow(), window);  // the same window, back at its contents
    QCOMPARE(browser->verticalScrollBar()->value(), 0);
    QVERIFY(messages_.isEmpty());
  }

  void helpOutlivesTheWindowThatAskedForIt() {
    auto* asker = new QWidget;
    asker->show();
    platform::RunHelpMacro(QStringLiteral("contents()"), asker);
    delete asker;
    QVERIFY(platform::HelpWindow() && platform::HelpWindow()->isVisible());
  }

  // The documents colour their headings for white paper; a dark desktop
  // palette must not put them on a dark page.
  void pageStaysWhitePaperUnderADarkPalette() {
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::Link, QColor(100, 160, 255));
    QApplication::setPalette(dark);
    platform::RunHelpMacro(QStringLiteral("contents()"));
    auto* browser = platform::HelpWindow()->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    QVERIFY(QTest::qWaitForWindowExposed(platform::HelpWindow()));
    const QImage page = browser->viewport()->grab().toImage();
    QApplication::setPalette(original);
    const QColor corner = page.pixelColor(page.width() - 3, page.height() - 3);
    QVERIFY2(corner.lightness() > 240, qPrintable(corner.name()));
    // Some text is drawn dark on it, and the links are not the palette's pale blue.
    bool darkText = false, paleLink = false;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) {
        const QColor c = page.pixelColor(x, y);
        darkText = darkText || c.lightness() < 60;
        paleLink = paleLink || c == QColor(100, 160, 255);
      }
    QVERIFY(darkText);
    QVERIFY(!paleLink);
  }

  void failuresAreReported_data() {
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QString>("macro");
    QTest::addColumn<QString>("message");
    // clang-format off
    QTest::newRow("no such help file") << "nothing.hlp" << "contents()" << "ヘルプファイル「nothing.hlp」が見つかりません。";
    QTest::newRow("no help file set") << "" << "contents()" << "ヘルプファイル「」が見つかりません。";
    QTest::newRow("unknown macro") << "tavenko.hlp" << "index()" << "ヘルプのマクロ「index()」は実行できません。";
    // clang-format on
  }

  void failuresAreReported() {
    QFETCH(QString, helpFile);
    QFETCH(QString, macro);
    QFETCH(QString, message);
    platform::SetApplicationHelpFile(helpFile);
    platform::RunHelpMacro(macro);
    QCOMPARE(messages_, QStringList{message});
    QVERIFY(!platform::HelpWindow());
  }

 private:
  QStringList messages_;
};

QTEST_MAIN(RatesHelpTest)
#include "rates_help_test.moc"
