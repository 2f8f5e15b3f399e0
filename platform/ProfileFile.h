// A settings file of "[section]" lines and "key=value" lines, read and
// written by section and key.
//
// Sections and keys match without regard to letter case; blanks around a
// value are not part of it, and one pair of enclosing quotation marks is
// dropped. A write replaces the value in place, or adds the key at the end of
// its section, or the section at the end of the file, or creates the file;
// every other line stays byte for byte, with LF or CRLF endings as found.
// Files are UTF-8; lines in another encoding are kept as they are.
//
// Only a regular file of at most kLargestFile bytes is read or written; a
// symbolic link to one is followed and kept. Anything else (a folder, a pipe,
// a device, a link to /dev/null, an oversized file) reads as missing and
// refuses every write, so it stays as it is.
//
// A write leaves the old or the new content in full, whenever it is stopped:
// - where the file's folder may be written, the new content goes to a
//   temporary file "<name>.XXXXXX" beside it, is synced, and replaces the file
//   by a rename;
// - a writable file in a folder that may not be written (a shared install) is
//   overwritten in place, after a copy of its old content has been synced in
//   the recovery folder; the copy goes once the new content is synced.
// Recover() finishes what a killed program left: it puts such a copy back and
// removes temporary files nobody is writing any more. On any failure the file
// stays as it was and the write says why, in one line.
//
// A file may have a starting point: another settings file (one an older
// version kept elsewhere) that stands in for it until it exists. Reads then
// come from the starting point, and the first write makes the file from the
// starting point's lines; the starting point itself is only ever read.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>

namespace tavenko::platform {

// Why a write was refused, in one line ("空き容量がありません"); nothing when
// the value was stored. Every write of a setting reports this way.
using WriteRefusal = std::optional<QString>;

class ProfileFile {
 public:
  // Larger settings files are not read (nor rewritten).
  static constexpr qint64 kLargestFile = 1 << 20;

  // `recoveryFolder` keeps the copy of an in-place write; empty stands for
  // UserSettingsFolder().
  explicit ProfileFile(QString path = {}, QString recoveryFolder = {})
      : path_(std::move(path)), recoveryFolder_(std::move(recoveryFolder)) {}

  const QString& Path() const { return path_; }
  void SetStartingPoint(QString path) { startingPoint_ = std::move(path); }

  // The value, or nothing when the file, the section or the key is missing,
  // or the file cannot be read.
  std::optional<QString> ReadString(const QString& section, const QString& key) const;

  // Why the value could not be stored, the file then unchanged; nothing when
  // it was. A value already stored as given is not written again.
  [[nodiscard]] WriteRefusal WriteString(const QString& section, const QString& key, const QString& value);

  // Start-up repairs after a crash: the content an interrupted in-place write
  // saved goes back into the file, and temporary files of interrupted
  // replacing writes are removed. Does nothing when nothing was interrupted.
  void Recover();

  // Where the copy of an in-place write of `file` is kept, in `folder`.
  static QString RecoveryCopyPath(const QString& folder, const QString& file);

 private:
  QString RecoveryFolder() const;
  WriteRefusal OverwriteInPlace(const QByteArray& target, const QString& section, const QString& key,
                                const QString& value);
  void RestoreInterruptedWrite(const QByteArray& target);

  QByteArray StartingContent() const;

  QString path_;
  QString recoveryFolder_;
  QString startingPoint_;
};

// The user's own folder for the program's settings: $XDG_CONFIG_HOME/tavenko,
// by default ~/.config/tavenko.
QString UserSettingsFolder();

// The file in which an install records the folder it put the programs in,
// for programs found in `programFolder`: <prefix>/share/tavenko/install-location
// for <prefix>/bin.
QString InstallRecordPath(const QString& programFolder);

// Whether `programFolder` is the folder an install put the programs in, as
// that install's record names it. A copy anywhere else (the build folder, an
// unpacked package, an install staged for packaging) is not installed.
bool IsInstalledProgramsFolder(const QString& programFolder);

}  // namespace tavenko::platform
