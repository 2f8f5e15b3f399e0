#include "forms/QuickTableSettings.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "controls/IniGT.h"

using tavenko::AmountUnit;
using tavenko::Extended;
using tavenko::face::QuickRange;
namespace calc = tavenko::calc;
namespace face = tavenko::face;

namespace {

const QString kSection = QStringLiteral("quicktable");

// The settings key of one thing kept for a case: "bitbtn16.from".
QString CaseKey(const calc::MainCase& button, const char* what) {
  return QString::fromUtf8(button.button.data(), qsizetype(button.button.size())).toLower() + '.' +
         QLatin1String(what);
}

// Typed figures per yen of the file: 1 / 10,000 for money in 万円.
Extended YenScale(face::Figure figure, AmountUnit unit) {
  return face::InputField(figure).money && unit == AmountUnit::Man ? tavenko::kYenPerMan : 1;
}

}  // namespace

std::optional<QuickRange> QuickTableSettings::LastRange(const calc::MainCase& button, AmountUnit unit,
                                                        bool* dropped) const {
  if (dropped) *dropped = false;
  const auto kept = kept_.find(button.button);
  const std::optional<StoredRange> stored = kept != kept_.end() ? kept->second : Read(button);
  if (!stored) return std::nullopt;
  const Extended scale = YenScale(stored->figure, unit);
  const QuickRange range{stored->figure, stored->from / scale, stored->to / scale, stored->step / scale};
  if (!face::RangeProblem(button, range)) return range;
  const QuickRange whole{stored->figure, std::floor(range.from), std::ceil(range.to),
                         std::max<Extended>(1, std::nearbyint(range.step))};
  if (!face::RangeProblem(button, whole)) return whole;
  if (dropped) *dropped = true;
  return std::nullopt;
}

void QuickTableSettings::Keep(const calc::MainCase& button, const QuickRange& range, AmountUnit unit) {
  const Extended scale = YenScale(range.figure, unit);
  kept_.insert_or_assign(std::string(button.button),
                         StoredRange{range.figure, range.from * scale, range.to * scale, range.step * scale});
}

// A missing or unreadable range gives nothing: the case's starting range.
std::optional<QuickTableSettings::StoredRange> QuickTableSettings::Read(const calc::MainCase& button) const {
  const face::MainField* field =
      face::FindInputField(file_->ReadRawString(kSection, CaseKey(button, "figure"), {}).toStdString());
  if (!field) return std::nullopt;
  StoredRange range{field->figure, 0, 0, 0};
  const std::array<std::pair<const char*, Extended*>, 3> numbers{
      {{"from", &range.from}, {"to", &range.to}, {"step", &range.step}}};
  for (const auto& [key, value] : numbers) {
    bool ok = false;
    *value = Extended(file_->ReadRawString(kSection, CaseKey(button, key), {}).toLongLong(&ok));
    if (!ok) return std::nullopt;
  }
  return range;
}

QRect QuickTableSettings::Frame(const QRect& fallback) const {
  QRect frame = fallback;
  frame.moveTop(file_->ReadInteger(kSection, QStringLiteral("top"), fallback.top()));
  frame.moveLeft(file_->ReadInteger(kSection, QStringLiteral("left"), fallback.left()));
  frame.setWidth(file_->ReadInteger(kSection, QStringLiteral("width"), fallback.width()));
  frame.setHeight(file_->ReadInteger(kSection, QStringLiteral("height"), fallback.height()));
  return frame;
}

std::vector<StoredSetting> QuickTableSettings::ToSave(const QRect& frame) const {
  std::vector<StoredSetting> settings{{kSection, QStringLiteral("top"), frame.top()},
                                      {kSection, QStringLiteral("left"), frame.left()},
                                      {kSection, QStringLiteral("width"), frame.width()},
                                      {kSection, QStringLiteral("height"), frame.height()}};
  for (const auto& [name, range] : kept_) {
    const calc::MainCase& button = *calc::FindMainCase(name);
    const std::string_view key = face::InputField(range.figure).key;
    settings.push_back(
        {kSection, CaseKey(button, "figure"), QString::fromUtf8(key.data(), qsizetype(key.size()))});
    settings.push_back({kSection, CaseKey(button, "from"), QString::number(qlonglong(range.from))});
    settings.push_back({kSection, CaseKey(button, "to"), QString::number(qlonglong(range.to))});
    settings.push_back({kSection, CaseKey(button, "step"), QString::number(qlonglong(range.step))});
  }
  return settings;
}
