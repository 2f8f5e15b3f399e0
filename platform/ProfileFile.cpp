#include "platform/ProfileFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace tavenko::platform {
namespace {

// ---- The text of the file ---------------------------------------------------

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

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionRange& range,
                                   const QString& key) {
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

// `data` with the key set to `value`, every other line kept.
QByteArray Rewritten(const QByteArray& data, const QString& section, const QString& key,
                     const QString& value) {
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
  return out;
}

// ---- Files ------------------------------------------------------------------

// A file descriptor, closed with its owner.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// The one-line reason shown for an error number.
QString Reason(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("空き容量がありません");
    case EFBIG: return QStringLiteral("ファイルの大きさの上限を超えます");
    case EACCES:
    case EPERM: return QStringLiteral("権限がありません");
    case EROFS: return QStringLiteral("読み取り専用の場所です");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("フォルダーがありません");
    case ELOOP: return QStringLiteral("リンクが循環しています");
    case EIO: return QStringLiteral("入出力エラーです");
    default: return QString::fromLocal8Bit(std::strerror(error));
  }
}
const QString kNotRegular = QStringLiteral("通常のファイルではありません");
const QString kTooLarge = QStringLiteral("1 MiB を超えています");

// Writes all of `data` at `offset`: 0, or the error number.
int WriteAt(int fd, const QByteArray& data, off_t offset) {
  qsizetype done = 0;
  while (done < data.size()) {
    const ssize_t n = ::pwrite(fd, data.constData() + done, std::size_t(data.size() - done), offset + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    done += n;
  }
  return 0;
}

int Sync(int fd) { return ::fdatasync(fd) == 0 ? 0 : errno; }

// Makes a rename or a removal in `folder` last through a power cut.
void SyncFolder(const QByteArray& folder) {
  const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd) ::fsync(fd.get());
}

QByteArray FolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  return slash <= 0 ? QByteArray("/") : path.left(slash);
}

// Whether `path` still names the file open as `fd`.
bool Names(const QByteArray& path, int fd) {
  struct stat named, open;
  return ::lstat(path.constData(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
         named.st_ino == open.st_ino;
}

// What a settings file holds, or why it cannot be used.
struct Content {
  bool exists = false;
  QByteArray bytes;
  struct stat info {};
  QString error;  // empty when the bytes can be used
};

// Reads an open file: a regular file within the bound, or an error.
Content ReadOpen(int fd) {
  Content content;
  content.exists = true;
  const auto refused = [&content](QString why) {
    content.error = std::move(why);
    return content;
  };
  if (::fstat(fd, &content.info) != 0) return refused(Reason(errno));
  if (!S_ISREG(content.info.st_mode)) return refused(kNotRegular);
  if (content.info.st_size > ProfileFile::kLargestFile) return refused(kTooLarge);
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, content.bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return refused(Reason(errno));
    if (n == 0) return content;
    content.bytes.append(buffer, n);
    // A file that grows while it is read is held to the same bound.
    if (content.bytes.size() > ProfileFile::kLargestFile) return refused(kTooLarge);
  }
}

// Reads the file at `path`. Anything but a regular file is refused before it
// is opened: a pipe would wait for a writer, a device might never end.
Content Load(const QByteArray& path) {
  struct stat info;
  if (::stat(path.constData(), &info) != 0) {
    if (errno == ENOENT) return {};
    return {true, {}, {}, Reason(errno)};
  }
  if (!S_ISREG(info.st_mode)) return {true, {}, {}, kNotRegular};
  const Descriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd) return {true, {}, {}, Reason(errno)};
  return ReadOpen(fd.get());
}

// The file a write lands in: `path` with its symbolic links followed, so
// that the links stay links.
QByteArray Target(const QString& path) {
  QString current = QFileInfo(path).absoluteFilePath();
  for (int hop = 0; hop < 40; ++hop) {
    const QFileInfo info(current);
    if (!info.isSymLink()) break;
    current = info.symLinkTarget();
  }
  return Native(current);
}

// ---- Temporary files of a replacing write -----------------------------------

constexpr qsizetype kSuffixLength = 6;
constexpr char kSuffixLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsTemporaryOf(const QByteArray& name, const QByteArray& fileName) {
  if (name.size() != fileName.size() + 1 + kSuffixLength || !name.startsWith(fileName + '.')) return false;
  for (qsizetype i = fileName.size() + 1; i < name.size(); ++i)
    if (!std::strchr(kSuffixLetters, name[i]) || name[i] == '\0') return false;
  return true;
}

struct Temporary {
  Descriptor fd;
  QByteArray path;
};

// A new temporary file "<target>.XXXXXX", locked while it is written so that
// the start-up clean-up of another copy of the program leaves it alone.
// 0, or the error number when none can be made.
int CreateTemporary(const QByteArray& target, Temporary& made) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray path = target + '.';
    for (qsizetype i = 0; i < kSuffixLength; ++i)
      path += kSuffixLetters[QRandomGenerator::global()->bounded(int(sizeof kSuffixLetters - 1))];
    Descriptor fd(::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd) {
      if (errno == EEXIST) continue;
      return errno;
    }
    ::flock(fd.get(), LOCK_EX);
    // A clean-up may have taken the file away before the lock: make another.
    if (!Names(path, fd.get())) continue;
    made = {std::move(fd), std::move(path)};
    return 0;
  }
  return EEXIST;
}

void RemoveStrayTemporaries(const QByteArray& target) {
  const QByteArray folder = FolderOf(target);
  const QByteArray fileName = target.mid(folder.size() + 1);
  const QStringList names = QDir(QFile::decodeName(folder))
                                .entryList({QFile::decodeName(fileName) + QStringLiteral(".??????")},
                                           QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
  for (const QString& name : names) {
    if (!IsTemporaryOf(Native(name), fileName)) continue;
    const QByteArray path = folder + '/' + Native(name);
    const Descriptor fd(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    // Locked: a copy of the program (of whichever user) is writing it now.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (Names(path, fd.get())) ::unlink(path.constData());
  }
}

// ---- The copy kept while a file is overwritten in place ---------------------

const QByteArray kCopyHeader = "tavenko settings copy\n";
const QByteArray kCopyEnd = "\nend\n";

QByteArray CopyRecord(const QByteArray& target, const QByteArray& old) {
  return kCopyHeader + target + '\n' + QByteArray::number(old.size()) + '\n' + old + kCopyEnd;
}

struct CopyOf {
  enum { Other, Incomplete, Complete } state = Other;
  QByteArray old;
};

CopyOf ParseCopy(const QByteArray& record, const QByteArray& target) {
  const QByteArray prefix = kCopyHeader + target + '\n';
  if (!record.startsWith(prefix)) return {prefix.startsWith(record) ? CopyOf::Incomplete : CopyOf::Other, {}};
  const qsizetype sizeEnd = record.indexOf('\n', prefix.size());
  bool ok = false;
  const qsizetype size =
      sizeEnd < 0 ? -1 : record.mid(prefix.size(), sizeEnd - prefix.size()).toLongLong(&ok);
  if (!ok || size < 0 || record.size() != sizeEnd + 1 + size + kCopyEnd.size() || !record.endsWith(kCopyEnd))
    return {CopyOf::Incomplete, {}};
  return {CopyOf::Complete, record.mid(sizeEnd + 1, size)};
}

// Writes `old` back over an open file: 0, or the error number. The old
// content fits in the room the file had before the write began.
int PutBack(int fd, const QByteArray& old) {
  if (const int error = WriteAt(fd, old, 0)) return error;
  if (::ftruncate(fd, old.size()) != 0) return errno;
  return Sync(fd);
}

// Keeps `record` in `copy`, synced: 0, or the error number.
int SaveCopy(const QString& folder, const QByteArray& copy, const QByteArray& record) {
  errno = 0;
  if (!QDir().mkpath(folder)) return errno ? errno : EACCES;
  const Descriptor fd(::open(copy.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd) return errno;
  int error = WriteAt(fd.get(), record, 0);
  if (!error) error = Sync(fd.get());
  if (error) {
    ::unlink(copy.constData());
    return error;
  }
  SyncFolder(Native(folder));
  return 0;
}

}  // namespace

// ---- ProfileFile --------------------------------------------------------------

QString UserSettingsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tavenko");
}

QString InstallRecordPath(const QString& programFolder) {
  // Relative to the programs' folder as the build's install rules lay it out.
  return QDir::cleanPath(programFolder + QStringLiteral("/" TAVENKO_INSTALL_RECORD_FROM_PROGRAMS));
}

bool IsInstalledProgramsFolder(const QString& programFolder) {
  const QFileInfo recordInfo(InstallRecordPath(programFolder));
  // A regular file only: a pipe would hold the start-up until someone wrote to it.
  if (!recordInfo.isFile()) return false;
  QFile record(recordInfo.filePath());
  if (!record.open(QIODevice::ReadOnly)) return false;
  const QString recorded = QFileInfo(QFile::decodeName(record.read(4096).trimmed())).canonicalFilePath();
  return !recorded.isEmpty() && recorded == QFileInfo(programFolder).canonicalFilePath();
}

QString ProfileFile::RecoveryFolder() const {
  return recoveryFolder_.isEmpty() ? UserSettingsFolder() : recoveryFolder_;
}

QString ProfileFile::RecoveryCopyPath(const QString& folder, const QString& file) {
  const QFileInfo info(file);
  const QByteArray hash =
      QCryptographicHash::hash(Native(info.absoluteFilePath()), QCryptographicHash::Sha256).toHex().left(16);
  return folder + '/' + info.fileName() + '.' + QString::fromLatin1(hash) + QStringLiteral(".restore");
}

std::optional<QString> ProfileFile::ReadString(const QString& section, const QString& key) const {
  if (path_.isEmpty()) return std::nullopt;
  Content content = Load(Native(path_));
  if (!content.exists && !startingPoint_.isEmpty()) content = Load(Native(startingPoint_));
  if (!content.exists || !content.error.isEmpty()) return std::nullopt;
  const std::vector<Line> lines = SplitLines(content.bytes);
  const auto range = FindSection(lines, section);
  if (!range) return std::nullopt;
  const auto found = FindKey(lines, *range, key);
  if (!found) return std::nullopt;
  return ValueOf(Decoded(lines[*found].text, false));
}

WriteRefusal ProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
  if (path_.isEmpty()) return Reason(ENOENT);
  const QByteArray target = Target(path_);
  // A file that cannot be read is not written either: its other lines would be lost.
  const Content old = Load(target);
  if (!old.error.isEmpty()) return old.error;
  // A file not made yet starts from its starting point's lines, and is made
  // by its first write even when the value is one the starting point holds:
  // from then on the file alone is read, whatever becomes of the other.
  const QByteArray bytes = Rewritten(old.exists ? old.bytes : StartingContent(), section, key, value);
  if (old.exists && bytes == old.bytes) return std::nullopt;
  // A file its owner made read-only stays as it is.
  if (old.exists && ::access(target.constData(), W_OK) != 0) return Reason(errno);

  Temporary temporary;
  if (const int error = CreateTemporary(target, temporary)) {
    // The folder may not be written; the file itself may (a shared install).
    const bool folderRefused = error == EACCES || error == EPERM;
    if (old.exists && folderRefused) return OverwriteInPlace(target, section, key, value);
    return Reason(error);
  }
  const int fd = temporary.fd.get();
  if (old.exists) {
    // The new file keeps the old one's permissions (and owner, where allowed).
    ::fchmod(fd, old.info.st_mode & 07777);
    if (::geteuid() == 0) {
      const int kept = ::fchown(fd, old.info.st_uid, old.info.st_gid);
      Q_UNUSED(kept);
    }
  }
  int error = WriteAt(fd, bytes, 0);
  if (!error) error = Sync(fd);
  if (!error && ::rename(temporary.path.constData(), target.constData()) != 0) error = errno;
  if (error) {
    ::unlink(temporary.path.constData());
    return Reason(error);
  }
  SyncFolder(FolderOf(target));
  return std::nullopt;
}

QByteArray ProfileFile::StartingContent() const {
  if (startingPoint_.isEmpty()) return {};
  const Content content = Load(Native(startingPoint_));
  return content.error.isEmpty() ? content.bytes : QByteArray();
}

WriteRefusal ProfileFile::OverwriteInPlace(const QByteArray& target, const QString& section,
                                           const QString& key, const QString& value) {
  const Descriptor fd(::open(target.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd) return Reason(errno);
  // One writer at a time: two copies of the program closing together would
  // otherwise mix their contents. Recover() leaves a locked file alone.
  ::flock(fd.get(), LOCK_EX);
  const Content old = ReadOpen(fd.get());
  if (!old.error.isEmpty()) return old.error;
  const QByteArray bytes = Rewritten(old.bytes, section, key, value);
  if (bytes == old.bytes) return std::nullopt;

  const QString folder = RecoveryFolder();
  const QByteArray copy = Native(RecoveryCopyPath(folder, QFile::decodeName(target)));
  if (const int error = SaveCopy(folder, copy, CopyRecord(target, old.bytes)))
    return QStringLiteral("変更前の写しを %1 に置けません、%2").arg(folder, Reason(error));

  // The new content over the old without truncating first; the file is
  // shortened only once the new content is on the disk.
  int error = WriteAt(fd.get(), bytes, 0);
  if (!error && bytes.size() < old.bytes.size()) {
    error = Sync(fd.get());
    if (!error && ::ftruncate(fd.get(), bytes.size()) != 0) error = errno;
  }
  if (!error) error = Sync(fd.get());
  // On failure the old content goes back; if even that fails, the copy stays
  // for Recover() at the next start.
  if (error && PutBack(fd.get(), old.bytes) != 0) return Reason(error);
  ::unlink(copy.constData());
  if (error) return Reason(error);
  return std::nullopt;
}

void ProfileFile::Recover() {
  if (path_.isEmpty()) return;
  const QByteArray target = Target(path_);
  RestoreInterruptedWrite(target);
  RemoveStrayTemporaries(target);
}

void ProfileFile::RestoreInterruptedWrite(const QByteArray& target) {
  const QByteArray copy = Native(RecoveryCopyPath(RecoveryFolder(), QFile::decodeName(target)));
  if (::access(copy.constData(), F_OK) != 0) return;
  const Descriptor fd(::open(target.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info;
  if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  // Locked: the copy belongs to a write going on right now.
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return;
  // Read only under the lock: a write that has just ended has removed it.
  QFile file(QFile::decodeName(copy));
  if (!file.open(QIODevice::ReadOnly)) return;
  const CopyOf saved = ParseCopy(file.read(2 * kLargestFile + 4096), target);
  file.close();
  // An incomplete copy was being written when the program stopped: the
  // settings file was not touched yet.
  if (saved.state == CopyOf::Incomplete ||
      (saved.state == CopyOf::Complete && PutBack(fd.get(), saved.old) == 0))
    ::unlink(copy.constData());
}

}  // namespace tavenko::platform
