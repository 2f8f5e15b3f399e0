#include "platform/HelpDocument.h"

#include <QFile>
#include <QFileInfo>
#include <span>

#include "core/NumberText.h"
#include "core/Schedules.h"

// Resources of a static library are registered by hand, outside any namespace.
static void RegisterHelpResources() { Q_INIT_RESOURCE(tavenko_help); }

namespace tavenko::platform {
namespace {

QString Yen(YenAmount amount) {
  return QString::fromStdString(FormatFixed(static_cast<Extended>(amount), 0, true)) + QStringLiteral("円");
}

QString Percent(Extended rate) {
  return QString::fromStdString(FormatGeneral(rate * 100)) + QStringLiteral("%");
}

// "A円超　B円以下", the first row without its lower bound, the top row
// without its upper bound.
QString BracketRange(YenAmount lower, YenAmount upper) {
  QString text;
  if (lower > 0) text += Yen(lower) + QStringLiteral("超");
  if (lower > 0 && upper != kNoLimit) text += QStringLiteral("　");
  if (upper != kNoLimit) text += Yen(upper) + QStringLiteral("以下");
  return text;
}

QString BracketTable(const QString& baseCaption, std::span<const Bracket> rows) {
  QString html =
      QStringLiteral(
          "<table border=\"1\" cellpadding=\"4\">\n  <tr><th>%1</th><th>税率</th><th>控除額</th></tr>\n")
          .arg(baseCaption);
  YenAmount lower = 0;
  for (const Bracket& row : rows) {
    html += QStringLiteral("  <tr><td>%1</td><td align=\"right\">%2</td><td align=\"right\">%3</td></tr>\n")
                .arg(BracketRange(lower, row.upTo), Percent(row.rate), Yen(row.subtrahend));
    lower = row.upTo;
  }
  return html + QStringLiteral("</table>\n");
}

// ---- The texts around the tables, written from the edition --------------------

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// ASCII digits in full width, the separators ("," and ".") as they stand:
// "2,900,000" -> "２,９００,０００", "1.021" -> "１.０２１".
QString Zen(const QString& ascii) {
  QString text;
  for (QChar c : ascii) text += c.isDigit() ? QChar(0xFF10 + (c.unicode() - '0')) : c;
  return text;
}
QString ZenNumber(long long n) { return Zen(QString::number(n)); }
QString ZenYen(YenAmount amount) { return Zen(QString::fromStdString(FormatFixed(amount, 0, true))) + "円"; }
QString ZenPercent(Extended rate) { return Zen(QString::fromStdString(FormatGeneral(rate * 100))) + "％"; }
QString ZenFactor(Extended factor) { return Zen(QString::fromStdString(FormatGeneral(factor))); }
// An amount of whole 万円: "８００万円", "１億円".
QString ZenManYen(YenAmount yen) {
  const YenAmount man = yen / kYenPerMan;
  QString text;
  if (man / 10000 != 0) text += ZenNumber(man / 10000) + "億";
  if (man % 10000 != 0 || man / 10000 == 0) text += ZenNumber(man % 10000) + "万";
  return text + "円";
}

QString TableOpen(std::initializer_list<const char*> headings) {
  QString html = QStringLiteral("<table border=\"1\" cellpadding=\"4\">\n  <tr>");
  for (const char* heading : headings) html += QStringLiteral("<th>%1</th>").arg(QString::fromUtf8(heading));
  return html + QStringLiteral("</tr>\n");
}

QString Cells(std::initializer_list<QString> left, const QString& right) {
  QString html = QStringLiteral("  <tr>");
  for (const QString& cell : left) html += cell.startsWith(QLatin1String("<td")) ? cell : "<td>" + cell + "</td>";
  return html + QStringLiteral("<td align=\"right\">%1</td></tr>\n").arg(right);
}

QString Title(const law::Edition& law) {
  // "平成２９年版" names the edition, "平成２９年分" the year it computes.
  QString year = Utf8(law.titleName);
  if (year.endsWith(QStringLiteral("版"))) year = year.chopped(1) + QStringLiteral("分");
  return QStringLiteral("<h1>タベンコ　%1　税率表</h1>\n<p>このプログラムが計算に使う%2の税率と料率です。金額はすべて円です。</p>")
      .arg(Utf8(law.titleName), year);
}

QString IncomeTaxFormula(const law::Edition& law) {
  return "<p>所得税額＝（課税所得金額×税率－控除額）×" + ZenFactor(law.incomeTax.surtaxFactor) + "</p>";
}

QString SurtaxNote(const law::Edition& law) {
  return "<p class=\"note\">復興特別所得税は所得税額の" + ZenPercent(law.incomeTax.surtaxFactor - 1) + "です。";
}

QString InhabitantRates(const law::Edition& law) {
  const law::InhabitantTaxLaw& t = law.inhabitantTax;
  return TableOpen({"区分", "税率"}) + Cells({"県民税"}, Percent(t.prefecturalRate)) +
         Cells({"市民税"}, Percent(t.municipalRate)) +
         Cells({"合計"}, Percent(t.prefecturalRate + t.municipalRate)) + "</table>";
}

QString BusinessRates(const law::Edition& law) {
  const law::IndividualBusinessTaxLaw& t = law.individualBusinessTax;
  return "<p>事業税額＝（事業所得－" + ZenYen(t.ownerDeduction) + "）×" + ZenPercent(t.rate) +
         "</p>\n<p class=\"note\">" + ZenYen(t.ownerDeduction) +
         "は事業主控除です。事業所得がこれ以下であれば事業税はかかりません。総合課税のウィンドウでは、不動産所得（事業規模）と事業所得の合計が課税標準となり、所得控除は差し引きません。</p>";
}

QString CorporationRates(const law::Edition& law) {
  const law::CorporationTaxLaw& t = law.corporationTax;
  QString html = "<p>法人税額＝所得金額×税率－控除額</p>\n" + BracketTable(QStringLiteral("所得金額"), t.smallCompany) +
                 "<p class=\"note\">資本金１億円以下の会社の税率です（所得" + ZenManYen(t.smallCompany.front().upTo) +
                 "までは軽減税率）。";
  if (!t.additionName.empty())
    html += "このほか、法人税額の" + ZenPercent(t.additionRate) + "の" + Utf8(t.additionName) + "がかかります。";
  return html + "</p>";
}

QString EnterpriseRates(const law::Edition& law) {
  const law::EnterpriseTaxLaw& t = law.enterpriseTax;
  const QString formula =
      t.smallCompanySpecialRate == 0
          ? QStringLiteral("<p>事業税額＝所得金額×税率－控除額（地方法人特別税を含む）</p>\n")
          : "<p>事業税額＝（所得金額×税率－控除額）×" + ZenFactor(t.smallCompany.factor) + "（特別法人事業税" +
                ZenPercent(t.smallCompanySpecialRate) + "を含む）</p>\n";
  return formula + BracketTable(QStringLiteral("所得金額"), t.smallCompany.bands).chopped(1);
}

QString FeeRates(const law::Edition& law) {
  const law::AccountantFeeLaw& f = law.accountantFee;
  QString html = TableOpen({"遺産総額", "基本報酬"});
  YenAmount lower = 0;
  for (const law::FeeRow& row : f.rows) {
    QString range = lower > 0 ? Yen(lower) + "以上　" : QString();
    html += Cells({range + Yen(row.below) + "未満"}, Yen(row.fee));
    lower = row.below;
  }
  html += Cells({Yen(lower) + "以上"}, Yen(f.topFee) + "に、" + Yen(lower) + "を超える" + ZenManYen(f.topStep) +
                                            "ごとに" + Yen(f.topStepAmount) + "を加算");
  return html + "</table>\n<ul>\n  <li>相続人が２人以上のときは、１人増えるごとに基本報酬の" +
         ZenPercent(f.perExtraHeir) + "を加算します。</li>\n  <li>申告書作成報酬として、さらに" +
         ZenPercent(f.returnFactor - 1) + "を加算します（報酬の下限）。</li>\n  <li>報酬の上限は下限の２倍です。</li>\n</ul>";
}

QString ConsumptionRates(const law::Edition& law) {
  const law::ConsumptionTaxLaw& c = law.consumptionTax;
  // "１.０５": the sales with their tax, per yen without it.
  const auto divisor = [](int percent) {
    return Zen(QString::fromStdString(FormatFixed(Extended(percent) / 100, 2, false)));
  };
  const QString standardDivisor = divisor(c.standardIncludedPercent);
  QString html;
  if (c.shape == law::SimplifiedTaxShape::OnValueAdded) {
    html = "<p>税率は" + ZenPercent(c.standardRate) + "です。</p>\n<ul>\n  <li>税引売上＝税込売上÷" + standardDivisor +
           "（千円未満切捨て）</li>\n  <li>納付税額＝税引売上×（１－みなし仕入率）（千円未満切捨て）×" +
           ZenPercent(c.standardRate) + "（百円未満切捨て）</li>\n</ul>\n";
  } else {
    const QString local = ZenNumber(c.localNumerator) + "／" + ZenNumber(c.localDenominator);
    html = "<p>標準税率は" + ZenPercent(c.standardWholeRate) + "（消費税" + ZenPercent(c.standardRate) +
           "と地方消費税）、軽減税率は" + ZenPercent(c.reducedWholeRate) + "（消費税" + ZenPercent(c.reducedRate) +
           "と地方消費税）です。</p>\n<ul>\n  <li>税引売上＝税込売上÷" + standardDivisor + "（軽減税率の売上は÷" +
           divisor(c.reducedIncludedPercent) + "）（千円未満切捨て）</li>\n" +
           "  <li>売上の消費税額＝標準税率の税引売上×" + ZenPercent(c.standardRate) + "＋軽減税率の税引売上×" +
           ZenPercent(c.reducedRate) + "</li>\n" +
           "  <li>消費税額＝売上の消費税額×（１－みなし仕入率）（百円未満切捨て）</li>\n" +
           "  <li>地方消費税額＝消費税額×" + local + "（百円未満切捨て）</li>\n";
    if (c.flatRatioSpecial > 0)
      html += "  <li>２割特例（インボイス登録をした元免税事業者）：消費税額＝売上の消費税額×" +
              ZenPercent(1 - Extended(c.flatRatioSpecial) / 10000) + "（百円未満切捨て）</li>\n";
    html += "</ul>\n";
  }
  html += TableOpen({"区分", "事業", "みなし仕入率"});
  for (const law::DeemedPurchaseClass& cls : c.classes)
    html += Cells({Utf8(cls.classText), Utf8(cls.business)}, QString::number(cls.ratio / 100) + "%");
  return html + "</table>";
}

QString PenaltyRates(const law::Edition& law) {
  const law::AdditionalTaxLaw& a = law.additionalTax;
  const std::span<const law::PenaltyBand> bands = a.noReturnBands;
  const QString understated = QStringLiteral("国税の増差税額（過少申告部分）");
  QString html = TableOpen({"種類", "対象", "税率"});
  html += Cells({"<td rowspan=\"2\">過少申告加算税</td>", understated}, Percent(a.understatementRate));
  html += Cells({"そのうち" + ZenManYen(a.understatementThreshold) + "と当初の申告税額のいずれか多い金額を超える部分"},
                "さらに" + Percent(a.understatementUpperRate - a.understatementRate));
  YenAmount lower = 0;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    QString target = understated;
    if (bands.size() > 1) {
      if (bands[i].upTo == kNoLimit) target += "のうち" + ZenManYen(lower) + "を超える部分";
      else if (lower == 0) target += "のうち" + ZenManYen(bands[i].upTo) + "以下の部分";
      else target += "のうち" + ZenManYen(lower) + "を超え" + ZenManYen(bands[i].upTo) + "以下の部分";
    }
    const QString kind = QStringLiteral("<td rowspan=\"%1\">無申告加算税</td>").arg(bands.size() + 1);
    html += i == 0 ? Cells({kind, target}, Percent(bands[i].rate)) : Cells({target}, Percent(bands[i].rate));
    lower = bands[i].upTo;
  }
  html += Cells({"事業税の増差税額（過少申告部分）"}, Percent(a.noReturnBusinessRate));
  html += Cells({"<td rowspan=\"2\">重加算税</td>", "国税・事業税の増差税額（重課部分）"}, Percent(a.heavyRate));
  html += Cells({"無申告の場合"}, Percent(a.heavyNoReturnRate));
  return html + "</table>";
}

QString DelinquencyRates(const law::Edition& law) {
  const law::DelinquencyLaw& d = law.delinquency;
  const QString days = ZenNumber(d.daysPerYear);
  if (d.years.empty()) {
    return "<p>延滞税額＝増差税額×（１１月末現在の公定歩合＋" + ZenPercent(d.addedToDiscountRate) + "）×日数÷" + days +
           "</p>\n<ul>\n  <li>日数は法定申告期限の翌日から納付日までです。１年は" + days +
           "日として計算します。</li>\n  <li>過少申告部分（重加算税の対象を除く）は、最長で" + days +
           "日分です。</li>\n  <li>重加算税の対象部分と、無申告の場合は、全期間について計算します。</li>\n  <li>住民税・事業税の延滞金も同じ率で計算します。</li>\n</ul>";
  }
  QString html = "<p>延滞税額＝増差税額×割合×日数÷" + days + "（日ごとに、その日の年の割合）</p>\n<ul>\n" +
                 "  <li>日数は法定納期限の翌日から納付日までです。うるう年も１年を" + days + "日として計算します。</li>\n" +
                 "  <li>申告日の翌日から" + ZenNumber(d.lowerRateMonthsNational) +
                 "月を経過する日までは低い割合、その後は高い割合です（住民税・事業税の延滞金は" +
                 ZenNumber(d.lowerRateMonthsLocal) + "月）。</li>\n" +
                 "  <li>過少申告部分（重加算税の対象を除く）は、法定納期限から１年を経過する日の翌日から申告日までの日数を除きます。</li>\n" +
                 "  <li>重加算税の対象部分と、無申告の場合は、全期間について計算します。</li>\n" +
                 "  <li>端数処理は行っていません。</li>\n</ul>\n" + TableOpen({"年", "低い割合", "高い割合"});
  for (std::size_t i = 0; i < d.years.size();) {
    std::size_t j = i;
    while (j + 1 < d.years.size() && d.years[j + 1].lowerRate == d.years[i].lowerRate &&
           d.years[j + 1].higherRate == d.years[i].higherRate)
      ++j;
    QString years = QString::number(d.years[i].year) + "年";
    if (j > i) years += "～" + QString::number(d.years[j].year) + "年";
    html += QStringLiteral("  <tr><td>%1</td><td align=\"right\">%2</td><td align=\"right\">%3</td></tr>\n")
                .arg(years, Percent(d.years[i].lowerRate), Percent(d.years[i].higherRate));
    i = j + 1;
  }
  return html + "</table>";
}

QString AscendantGiftNote(const law::Edition& law) {
  return QStringLiteral("<p>父母・祖父母などの直系尊属から、贈与の年の１月１日現在で") +
         ZenNumber(law.giftTax.linealAscendantDoneeAge) +
         QStringLiteral("歳以上の子・孫などが受けた贈与に適用します。</p>");
}

struct GeneratedText {
  const char* name;  // the marker <!--generated:name--> in the document
  QString (*text)(const law::Edition& law);
};

const GeneratedText kGeneratedTexts[] = {
    {"title", Title},
    {"income-tax-formula", IncomeTaxFormula},
    {"surtax-note", SurtaxNote},
    {"ascendant-gift-note", AscendantGiftNote},
    {"inhabitant-rates", InhabitantRates},
    {"business-rates", BusinessRates},
    {"corporation-rates", CorporationRates},
    {"enterprise-rates", EnterpriseRates},
    {"fee-rates", FeeRates},
    {"consumption-rates", ConsumptionRates},
    {"penalty-rates", PenaltyRates},
    {"delinquency-rates", DelinquencyRates},
};

struct GeneratedTable {
  const char* name;  // the marker <!--generated:name--> in the document
  const char* baseCaption;
  std::span<const Bracket> (*rows)(const law::Edition& law);
};

const GeneratedTable kGeneratedTables[] = {
    {"income-tax", "課税所得金額", [](const law::Edition& law) { return law.incomeTax.brackets; }},
    {"gift-tax-general", "基礎控除後の課税価格", [](const law::Edition& law) { return law.giftTax.general; }},
    {"gift-tax-ascendant", "基礎控除後の課税価格",
     [](const law::Edition& law) { return law.giftTax.linealAscendant; }},
    {"inheritance-tax", "法定相続分に応ずる取得金額",
     [](const law::Edition& law) { return law.inheritanceTax.brackets; }},
};

}  // namespace

std::optional<QString> HelpDocumentHtml(const QString& helpFile, const law::Edition& law) {
  static const bool registered = (RegisterHelpResources(), true);
  Q_UNUSED(registered);
  const QString baseName = QFileInfo(helpFile).completeBaseName().toLower();
  if (baseName.isEmpty()) return std::nullopt;
  QFile file(QStringLiteral(":/help/%1.html").arg(baseName));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QString html = QString::fromUtf8(file.readAll());
  for (const GeneratedText& text : kGeneratedTexts)
    html.replace(QStringLiteral("<!--generated:%1-->").arg(QLatin1String(text.name)), text.text(law));
  for (const GeneratedTable& table : kGeneratedTables) {
    html.replace(QStringLiteral("<!--generated:%1-->").arg(QLatin1String(table.name)),
                 BracketTable(QString::fromUtf8(table.baseCaption), table.rows(law)));
  }
  return html;
}

}  // namespace tavenko::platform
