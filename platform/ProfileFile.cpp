#include "ProfileFile.h"

#include <QFile>
#include <QSaveFile>
#include <vector>

namespace tavenko::platform {
namespace {

// One line of the file: its bytes and its ending ("\n", "\r\n" or none).
struct Line {
  QByteArray text;
  QByteArray ending;
};

std::vector<Line> SplitLines(const QByteArray& data) {
  std::vector<Line> lines;
  qsizetype start = 0;
  while (start < data.size()) {
    const qsizetype newline = data.indexOf('\n', start);
    if (newline < 0) {
      lines.push_back({data.mid(start), {}});
      break;
    }
    const bool crlf = newline > start && data[newline - 1] == '\r';
    const qsizetype end = crlf ? newline - 1 : newline;
    lines.push_back({data.mid(start, end - start), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
  return lines;
}

QString Decoded(const QByteArray& text, bool firstLine) {
  static const QByteArray byteOrderMark("\xEF\xBB\xBF");
  return QString::fromUtf8(firstLine && text.startsWith(byteOrderMark) ? text.mid(3) : text);
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The name of a section line ("[name]"), or nothing for other lines.
std::optional<QString> SectionName(const QString& line) {
  const QString trimmed = line.trimmed();
  if (!trimmed.startsWith('[')) return std::nullopt;
  const qsizetype close = trimmed.indexOf(']');
  return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// The key of a "key=value" line, or nothing.
std::optional<QString> KeyName(const QString& line) {
  const qsizetype equals = line.indexOf('=');
  if (equals <= 0) return std::nullopt;
  const QString key = line.left(equals).trimmed();
  if (key.isEmpty()) return std::nullopt;
  return key;
}

QString ValueOf(const QString& line) {
  QString value = line.mid(line.indexOf('=') + 1).trimmed();
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.mid(1, value.size() - 2);
  return value;
}

// The lines of the first section named `section`: [first, end).
struct SectionRange {
  std::size_t header = 0, first = 0, end = 0;
};

std::optional<SectionRange> FindSection(const std::vector<Line>& lines, const QString& section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(Decoded(lines[i].text, i == 0));
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(Decoded(lines[end].text, false))) ++end;
    return SectionRange{i, i + 1, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionRange& range, const QString& key) {
  for (std::size_t i = range.first; i < range.end; ++i) {
    const auto name = KeyName(Decoded(lines[i].text, false));
    if (name && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

// A line break inside a name or value would break the file into other lines.
QByteArray OneLine(const QString& text) {
  QString line = text;
  line.replace('\r', ' ').replace('\n', ' ');
  return line.toUtf8();
}

}  // namespace

std::optional<QString> ProfileFile::ReadString(const QString& section, const QString& key) const {
  QFile file(path_);
  if (path_.isEmpty() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  const std::vector<Line> lines = SplitLines(file.readAll());
  const auto range = FindSection(lines, section);
  if (!range) return std::nullopt;
  const auto found = FindKey(lines, *range, key);
  if (!found) return std::nullopt;
  return ValueOf(Decoded(lines[*found].text, false));
}

bool ProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
  if (path_.isEmpty()) return false;
  QByteArray data;
  QFile existing(path_);
  if (existing.exists()) {
    if (!existing.open(QIODevice::ReadOnly)) return false;
    data = existing.readAll();
    existing.close();
  }
  std::vector<Line> lines = SplitLines(data);
  QByteArray ending = "\n";
  for (const Line& line : lines) {
    if (!line.ending.isEmpty()) {
      ending = line.ending;  // new lines follow the file's own line ends
      break;
    }
  }
  const QByteArray keyLine = OneLine(key) + '=' + OneLine(value);
  const auto insertAt = [&](std::size_t at, QByteArray text) {
    if (at > 0 && lines[at - 1].ending.isEmpty()) lines[at - 1].ending = ending;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), ending});
  };

  if (const auto range = FindSection(lines, section)) {
    if (const auto found = FindKey(lines, *range, key)) {
      Line& line = lines[*found];
      // The key and the blanks after "=" stay as the file has them.
      qsizetype valueStart = line.text.indexOf('=') + 1;
      while (valueStart < line.text.size() && (line.text[valueStart] == ' ' || line.text[valueStart] == '\t'))
        ++valueStart;
      line.text = line.text.left(valueStart) + OneLine(value);
    } else {
      // After the section's last line that is not blank.
      std::size_t at = range->end;
      while (at > range->first && lines[at - 1].text.trimmed().isEmpty()) --at;
      insertAt(at, keyLine);
    }
  } else {
    insertAt(lines.size(), '[' + OneLine(section) + ']');
    insertAt(lines.size(), keyLine);
  }

  QByteArray out;
  for (const Line& line : lines) out += line.text + line.ending;
  QSaveFile file(path_);
  // A file that may be written in a folder that may not (a shared install)
  // is written in place, as the only way left to keep the setting.
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(out);
  return file.commit();
}

}  // namespace tavenko::platform
