#include "controls/IniGT.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <optional>

#include "platform/Messages.h"

using tavenko::platform::WriteRefusal;

namespace {

const QChar kOpenCorner(0xFF62);   // "｢", the half-width corner brackets
const QChar kCloseCorner(0xFF63);  // "｣"

QString ExecutablePath() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
  return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

// Decimal, or hexadecimal after "$" (a text of more than two characters
// starting "0x" counts as "$"), of any length; beyond the range of an int it
// reads as the nearest int, never wrapped. Nothing when unreadable.
std::optional<int> ParseInteger(QString text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = '$' + text.mid(2);
  bool negative = false;
  if (!text.isEmpty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove(0, 1);
  }
  int base = 10;
  if (text.startsWith('$')) {
    base = 16;
    text.remove(0, 1);
  }
  if (text.isEmpty()) return std::nullopt;
  constexpr qint64 kBeyondInt = qint64(INT_MAX) + 1;  // as far as a magnitude needs to go
  qint64 magnitude = 0;
  for (QChar ch : text) {
    const int digit = ch >= '0' && ch <= '9'   ? ch.unicode() - '0'
                      : ch >= 'a' && ch <= 'f' ? ch.unicode() - 'a' + 10
                      : ch >= 'A' && ch <= 'F' ? ch.unicode() - 'A' + 10
                                               : base;
    if (digit >= base) return std::nullopt;
    magnitude = std::min(magnitude * base + digit, kBeyondInt);
  }
  return static_cast<int>(std::clamp<qint64>(negative ? -magnitude : magnitude, INT_MIN, INT_MAX));
}

// Where a bare file name lives by default, and the file that stands in for
// it until it exists. A program run from the folder its install put it in
// keeps its settings in the user's settings folder, whoever runs it (root
// may write the programs' folder, and must not). Any other copy (the build
// folder, an unpacked folder) keeps them beside itself when its folder or
// the file there may be written, else in the user's folder as well. In the
// user's folder, a file of that name beside the program (an older
// version's) is read until the user's own file is made, and never written.
struct SettingsLocation {
  QString path;
  QString startingPoint;
};
SettingsLocation ApplicationSettingsLocation(const QString& name) {
  const QString folder = QFileInfo(ExecutablePath()).absolutePath();
  const QString beside = folder + '/' + name;
  const QString user = tavenko::platform::UserSettingsFolder() + '/' + name;
  if (tavenko::platform::IsInstalledProgramsFolder(folder)) return {user, beside};
  if (::access(QFile::encodeName(folder).constData(), W_OK) == 0 ||
      ::access(QFile::encodeName(beside).constData(), W_OK) == 0)
    return {beside, {}};
  return {user, beside};
}

}  // namespace

TIniGT::TIniGT(QObject* owner) : QObject(owner), file_(std::make_unique<tavenko::platform::ProfileFile>()) {}

TIniGT::~TIniGT() = default;

QString TIniGT::SettingsFileNameFor(const QString& executableName) {
  QString name = QFileInfo(executableName).fileName();
  const qsizetype dot = name.lastIndexOf('.');
  name = (dot > 0 ? name.left(dot) : name) + QStringLiteral(".INI");
  for (QChar& ch : name)
    if (ch >= 'A' && ch <= 'Z') ch = QChar(ch.unicode() + ('a' - 'A'));
  if (name[0] >= 'a' && name[0] <= 'z') name[0] = QChar(name[0].unicode() - ('a' - 'A'));
  return name;
}

// The Linux counterpart of the Windows folder for settings shared by all
// users of the machine: the system folder of the XDG base directories.
QString TIniGT::SystemSettingsFolder() {
  const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
  const QString first = dirs.section(':', 0, 0);
  return first.isEmpty() ? QStringLiteral("/etc/xdg") : first;
}

void TIniGT::setFileName(const QString& name) {
  fileName_ = name;
  file_.reset();
  SettingsLocation location;
  if (name.contains('/'))
    location.path = name;
  else if (defaultDir_ == ddApplication)
    location = ApplicationSettingsLocation(name);
  else if (defaultDir_ == ddWindows)
    location.path = SystemSettingsFolder() + '/' + name;
  else
    location.path = name;  // relative to the current folder
  file_ = std::make_unique<tavenko::platform::ProfileFile>(location.path);
  file_->SetStartingPoint(location.startingPoint);
}

void TIniGT::setDefaultDir(TIniGTDefaultDir dir) {
  defaultDir_ = dir;
  setFileName(fileName_);
}

void TIniGT::setFence(TIniGTFence fence) {
  if (designing_ && fence_ == fnVer11Mode && fence != fnVer11Mode)
    tavenko::platform::ShowMessage(qobject_cast<QWidget*>(parent()),
                                   QStringLiteral("fnVer11Mode以外の値にすると、TIniGTのVer1.0とVer1.1で"
                                                  "書き込んだﾌｧｲﾙを正しく読めない事があります。"));
  fence_ = fence;
  newlyPlaced_ = false;
}

QString TIniGT::Path() const { return file_->Path(); }

void TIniGT::Loaded() {
  if (designing_ && newlyPlaced_) fence_ = fnVer11Mode;
  if (fileName_.isEmpty()) setFileName(SettingsFileNameFor(ExecutablePath()));
  // What a program killed while writing left behind is put right first.
  file_->Recover();
}

QString TIniGT::ReadRawString(const QString& section, const QString& key, const QString& def) const {
  return file_->ReadString(section, key).value_or(def);
}

WriteRefusal TIniGT::WriteRawString(const QString& section, const QString& key, const QString& text) {
  const auto refused = [&](const QString& reason) {
    return Path() + QStringLiteral(" に書き込めません（%1）").arg(reason);
  };
  // The user's settings folder is made with the first setting kept there.
  const QString folder = QDir::cleanPath(QFileInfo(Path()).absolutePath());
  if (folder == QDir::cleanPath(tavenko::platform::UserSettingsFolder()) && !QDir().mkpath(folder))
    return refused(QStringLiteral("フォルダー %1 を作れません").arg(folder));
  if (const WriteRefusal refusal = file_->WriteString(section, key, text)) return refused(*refusal);
  return std::nullopt;
}

bool TIniGT::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

WriteRefusal TIniGT::WriteBool(const QString& section, const QString& key, bool value) {
  return WriteRawString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

int TIniGT::ReadInteger(const QString& section, const QString& key, int def) const {
  const auto stored = file_->ReadString(section, key);
  if (!stored) return def;
  return ParseInteger(*stored).value_or(def);
}

WriteRefusal TIniGT::WriteInteger(const QString& section, const QString& key, int value) {
  return WriteRawString(section, key, QString::number(value));
}

QString TIniGT::Fenced(const QString& text) const {
  switch (fence_) {
    case fnDoubleQuote: return '"' + text + '"';
    case fnParenthesis:
    case fnVer11Mode: return kOpenCorner + text + kCloseCorner;
    case fnNone: break;
  }
  return text;
}

QString TIniGT::ReadFencedString(const QString& section, const QString& key, const QString& def) const {
  const QString value = ReadRawString(section, key, Fenced(def));
  if (value.size() <= 1) return value;
  const bool quoted = value.front() == '"' && value.back() == '"';
  const bool cornered = value.front() == kOpenCorner && value.back() == kCloseCorner;
  const bool accepted = (fence_ == fnDoubleQuote && quoted) || (fence_ == fnParenthesis && cornered) ||
                        (fence_ == fnVer11Mode && (quoted || cornered));
  return accepted ? value.mid(1, value.size() - 2) : value;
}

WriteRefusal TIniGT::WriteFencedString(const QString& section, const QString& key, const QString& text) {
  return WriteRawString(section, key, Fenced(text));
}
