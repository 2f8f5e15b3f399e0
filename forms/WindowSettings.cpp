#include "forms/WindowSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSet>
#include <QWidget>
#include <cstdlib>
#include <type_traits>

#include "controls/IniGT.h"
#include "platform/Messages.h"

namespace {

constexpr int kDefaultPosition = 80;  // top and left without a stored position
const QString kPositionSection = QStringLiteral("form");

// Whether a screen shows the title bar of a window placed at `left`, `top`.
bool OnAScreen(int left, int top) {
  // Farther out than any desktop reaches, and short of the int's end, so
  // that the window's geometry can never wrap round.
  constexpr int kFarthest = 1 << 24;
  const bool nearby = std::abs(qint64(left)) < kFarthest && std::abs(qint64(top)) < kFarthest;
  // A point of the title bar just inside the frame.
  return nearby && QGuiApplication::screenAt(QPoint(left + 16, top + 8));
}

}  // namespace

TIniGT* AddSettingsFile(QWidget* window) {
  auto* ini = new TIniGT(window);
  ini->setObjectName(QStringLiteral("IniGT1"));
  ini->setDefaultDir(ddApplication);
  ini->setFence(fnNone);
  ini->Loaded();
  return ini;
}

QPoint StoredPosition(const TIniGT& ini, const QString& windowKey) {
  const int top = ini.ReadInteger(kPositionSection, windowKey + QStringLiteral(".top"), kDefaultPosition);
  const int left = ini.ReadInteger(kPositionSection, windowKey + QStringLiteral(".left"), kDefaultPosition);
  return OnAScreen(left, top) ? QPoint(left, top) : QPoint(kDefaultPosition, kDefaultPosition);
}

std::vector<StoredSetting> PositionSettings(const QWidget& window, const QString& windowKey) {
  return {{kPositionSection, windowKey + QStringLiteral(".top"), window.y()},
          {kPositionSection, windowKey + QStringLiteral(".left"), window.x()}};
}

void SaveSettings(QWidget* window, TIniGT* ini, const std::vector<StoredSetting>& settings) {
  static QSet<QString> toldAbout;  // settings files the user has heard of
  for (const StoredSetting& setting : settings) {
    const auto write = [&](auto value) {
      if constexpr (std::is_same_v<decltype(value), bool>)
        return ini->WriteBool(setting.section, setting.key, value);
      else if constexpr (std::is_same_v<decltype(value), QString>)
        return ini->WriteRawString(setting.section, setting.key, value);
      else
        return ini->WriteInteger(setting.section, setting.key, value);
    };
    const tavenko::platform::WriteRefusal refusal = std::visit(write, setting.value);
    if (!refusal) continue;
    if (!toldAbout.contains(ini->Path())) {
      toldAbout.insert(ini->Path());
      tavenko::platform::ShowMessage(window, QStringLiteral("設定を保存できませんでした。\n") + *refusal);
    }
    return;
  }
}
