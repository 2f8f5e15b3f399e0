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
  for (const GeneratedTable& table : kGeneratedTables) {
    html.replace(QStringLiteral("<!--generated:%1-->").arg(QLatin1String(table.name)),
                 BracketTable(QString::fromUtf8(table.baseCaption), table.rows(law)));
  }
  return html;
}

}  // namespace tavenko::platform
