#include "WindowSettings.h"

#include <QGuiApplication>
#include <QPoint>
#include <QScreen>
#include <QSet>
#include <cstdlib>
#include <exception>

#include "IniGT.h"
#include "Messages.h"

void KeepOnAScreen(int& left, int& top, int fallback) {
  // Farther out than any desktop reaches, and short of the int's end, so
  // that the window's geometry can never wrap round.
  constexpr int kFarthest = 1 << 24;
  const bool nearby = std::abs(qint64(left)) < kFarthest && std::abs(qint64(top)) < kFarthest;
  // A point of the title bar just inside the frame.
  if (!nearby || !QGuiApplication::screenAt(QPoint(left + 16, top + 8))) left = top = fallback;
}

void SaveSettings(QWidget* window, TIniGT* ini, const std::function<void()>& writes) {
  static QSet<QString> toldAbout;  // settings files the user has heard of
  try {
    writes();
  } catch (const std::exception& refusal) {
    if (toldAbout.contains(ini->Path())) return;
    toldAbout.insert(ini->Path());
    tavenko::platform::ShowMessage(
        window, QStringLiteral("設定を保存できませんでした。\n") + QString::fromUtf8(refusal.what()));
  }
}
