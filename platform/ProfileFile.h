// A settings file of "[section]" lines and "key=value" lines, read and
// written by section and key.
//
// Sections and keys match without regard to letter case; blanks around a
// value are not part of it, and one pair of enclosing quotation marks is
// dropped. A write replaces the value in place, or adds the key at the end of
// its section, or the section at the end of the file, or creates the file;
// every other line stays byte for byte, with LF or CRLF endings as found.
// A write goes to a temporary file in the same folder that then replaces the
// old one, so a crash or a full disk never leaves half a settings file.
// Files are UTF-8; lines in another encoding are kept as they are.
#pragma once

#include <QString>
#include <optional>

namespace tavenko::platform {

class ProfileFile {
 public:
  explicit ProfileFile(QString path = {}) : path_(std::move(path)) {}

  const QString& Path() const { return path_; }

  // The value, or nothing when the file, the section or the key is missing.
  std::optional<QString> ReadString(const QString& section, const QString& key) const;

  // False when the file cannot be written, or exists but cannot be read
  // (writing then would lose its other lines).
  bool WriteString(const QString& section, const QString& key, const QString& value);

 private:
  QString path_;
};

}  // namespace tavenko::platform
