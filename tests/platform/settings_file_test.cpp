// The settings file: reading and writing by section and key, and TIniGT's
// names, folders, typed values and fences.
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>
#include <csignal>
#include <memory>
#include <stdexcept>

#include "controls/IniGT.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"

using tavenko::platform::ProfileFile;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names in a folder, hidden ones too, in byte order.
QStringList FilesIn(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
  names.sort();
  return names;
}

void WriteAll(const QString& path, const QByteArray& data) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(data);
}

// A settings file as Windows leaves it: CRLF, comments, unknown sections and
// keys, Shift-JIS bytes in a comment.
const QByteArray kWindowsFile =
    "; \x83\x5e\x83\x78\x83\x93\x83\x52 settings\r\n"
    "[form]\r\n"
    "form1.top=10\r\n"
    "Form1.Left = 20\r\n"
    "Other=kept\r\n"
    "\r\n"
    "[Unknown]\r\n"
    "foo = bar\r\n";

// The device /dev/<name>, to link a settings file to. Root, who may replace
// any file, gets a node of its own in `folder` instead, so that a write that
// wrongly replaced the node could never harm the machine's own; empty when
// none can be made.
QString DeviceToLinkTo(const QDir& folder, const char* name, dev_t device) {
  if (::geteuid() != 0) return QStringLiteral("/dev/") + QLatin1String(name);
  const QString node = folder.filePath(QStringLiteral("device-") + QLatin1String(name));
  return ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, device) == 0 ? node : QString();
}

// The old content of a file overwritten in place, as its copy keeps it.
const QByteArray kOld = "[form]\nform1.top=1\n[keep]\nlast=this line must survive\n";

// While it lives, files of this process cannot grow beyond `bytes`: a write
// past it fails with EFBIG, as one on a full disk fails with ENOSPC.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

}  // namespace

class SettingsFileTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Copies of in-place writes go to the user's settings folder: a
    // temporary one, never the real home.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
  }
  // Each test in a folder of its own.
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
  }
  void cleanup() { dir.reset(); }

  void reads_data();
  void reads();
  void writesKeepEveryOtherLine_data();
  void writesKeepEveryOtherLine();
  void refusedWritesReportThePath_data();
  void refusedWritesReportThePath();
  void linkToARegularFileStaysALink();
  void replacedFileKeepsItsPermissions();
  void fullDiskKeepsTheFile();
  void recoverRemovesStrayTemporaryFiles();
  void recoverPutsBackTheCopyOfAnInPlaceWrite_data();
  void recoverPutsBackTheCopyOfAnInPlaceWrite();
  void startingPointStandsInUntilTheFileExists_data();
  void startingPointStandsInUntilTheFileExists();
  void fileNameFollowsTheExecutable_data();
  void fileNameFollowsTheExecutable();
  void foldersForABareName();
  void missingFileGivesDefaultsAndFirstWriteCreatesIt();
  void typedValues_data();
  void typedValues();
  void fences_data();
  void fences();
  void fencedWritesKeepBlanks();
  void designModeFence();

 private:
  QString FilePath() const { return dir->filePath(QStringLiteral("Tavenko.ini")); }
  std::unique_ptr<QTemporaryDir> dir;
  QTemporaryDir configHome;
};

void SettingsFileTest::reads_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("section");
  QTest::addColumn<QString>("key");
  QTest::addColumn<QVariant>("value");  // invalid: missing

  // clang-format off
  QTest::newRow("case-insensitive names") << QByteArray("[Form]\nForm1.Top=5\n") << "form" << "FORM1.TOP" << QVariant("5");
  QTest::newRow("blanks around dropped") << QByteArray("[a]\nk =  v w \t\n") << "a" << "k" << QVariant("v w");
  QTest::newRow("quotes dropped") << QByteArray("[a]\nk=\"  x  \"\n") << "a" << "k" << QVariant("  x  ");
  QTest::newRow("single quotes dropped") << QByteArray("[a]\nk='y'\n") << "a" << "k" << QVariant("y");
  QTest::newRow("one pair of quotes only") << QByteArray("[a]\nk=\"\"x\"\"\n") << "a" << "k" << QVariant("\"x\"");
  QTest::newRow("a lone quote stays") << QByteArray("[a]\nk=\"\n") << "a" << "k" << QVariant("\"");
  QTest::newRow("CRLF") << QByteArray("[a]\r\nk=1\r\n") << "a" << "k" << QVariant("1");
  QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[a]\nk=1\n") << "a" << "k" << QVariant("1");
  QTest::newRow("no final line end") << QByteArray("[a]\nk=1") << "a" << "k" << QVariant("1");
  QTest::newRow("empty value is a value") << QByteArray("[a]\nk=\n") << "a" << "k" << QVariant("");
  QTest::newRow("UTF-8 value") << QByteArray("[a]\nk=税額\n") << "a" << "k" << QVariant("税額");
  QTest::newRow("key of another section") << QByteArray("[b]\nk=1\n[a]\nj=2\n") << "a" << "k" << QVariant();
  QTest::newRow("key before any section") << QByteArray("k=1\n[a]\n") << "a" << "k" << QVariant();
  QTest::newRow("missing section") << QByteArray("[b]\nk=1\n") << "a" << "k" << QVariant();
  QTest::newRow("first key wins") << QByteArray("[a]\nk=1\nK=2\n") << "a" << "k" << QVariant("1");
  // clang-format on
}

void SettingsFileTest::reads() {
  QFETCH(QByteArray, file);
  QFETCH(QString, section);
  QFETCH(QString, key);
  QFETCH(QVariant, value);
  WriteAll(FilePath(), file);
  const auto read = ProfileFile(FilePath()).ReadString(section, key);
  QCOMPARE(read.has_value(), value.isValid());
  if (read) QCOMPARE(*read, value.toString());
}

void SettingsFileTest::writesKeepEveryOtherLine_data() {
  QTest::addColumn<QByteArray>("before");  // "<none>": no file
  QTest::addColumn<QString>("section");
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QByteArray>("after");

  QByteArray replaced = kWindowsFile;
  replaced.replace("form1.top=10", "form1.top=80");
  QTest::newRow("replace in place, other case") << kWindowsFile << "FORM"
                                                << "Form1.TOP"
                                                << "80" << replaced;
  QByteArray spaced = kWindowsFile;
  spaced.replace("Form1.Left = 20", "Form1.Left = 7");
  QTest::newRow("replace keeps the spacing") << kWindowsFile << "form"
                                             << "form1.left"
                                             << "7" << spaced;
  QByteArray appended = kWindowsFile;
  appended.replace("Other=kept\r\n", "Other=kept\r\nform4.top=3\r\n");
  QTest::newRow("new key at the end of its section") << kWindowsFile << "form"
                                                     << "form4.top"
                                                     << "3" << appended;
  QTest::newRow("new section at the end of the file")
      // clang-format off
      << kWindowsFile << "radio" << "radiobutton3" << "1" << kWindowsFile + "[radio]\r\nradiobutton3=1\r\n";
  QTest::newRow("file without a final line end")
      << QByteArray("[a]\nk=1") << "a" << "j" << "2" << QByteArray("[a]\nk=1\nj=2\n");
  QTest::newRow("missing file created") << QByteArray("<none>") << "form" << "form1.top" << "80"
                                        << QByteArray("[form]\nform1.top=80\n");
  QTest::newRow("a line break cannot split the file")
      << QByteArray("[a]\n") << "a" << "k" << "x\n[b]" << QByteArray("[a]\nk=x [b]\n");
  QTest::newRow("UTF-8 value") << QByteArray("[a]\nk=1\n") << "a" << "k" << "円" << QByteArray("[a]\nk=円\n");
  // clang-format on
}

void SettingsFileTest::writesKeepEveryOtherLine() {
  QFETCH(QByteArray, before);
  QFETCH(QString, section);
  QFETCH(QString, key);
  QFETCH(QString, value);
  QFETCH(QByteArray, after);
  QFile::remove(FilePath());
  if (before != "<none>") WriteAll(FilePath(), before);
  ProfileFile file(FilePath());
  QCOMPARE(file.WriteString(section, key, value), std::nullopt);
  QCOMPARE(ReadAll(FilePath()), after);
  QCOMPARE(file.ReadString(section, key).value_or("<missing>"), value.simplified());
  QCOMPARE(FilesIn(dir->path()), QStringList{"Tavenko.ini"});  // no leftovers
}

void SettingsFileTest::refusedWritesReportThePath_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("reason");
  const QString notRegular = QStringLiteral("通常のファイルではありません");
  QTest::newRow("folder does not exist") << "no-such-folder/Tavenko.ini"
                                         << "フォルダーがありません";
  QTest::newRow("folder is a file") << "plain-file/Tavenko.ini"
                                    << "フォルダーがありません";
  QTest::newRow("path is a folder") << "a-folder" << notRegular;
  QTest::newRow("a named pipe (would wait for a writer)") << "pipe" << notRegular;
  QTest::newRow("a link to /dev/null (settings thrown away)") << "to-null" << notRegular;
  QTest::newRow("a link to /dev/zero (would never end)") << "to-zero" << notRegular;
  QTest::newRow("a link to a folder") << "to-folder" << notRegular;
  QTest::newRow("links in a loop") << "loop-a"
                                   << "リンクが循環しています";
  QTest::newRow("larger than the bound") << "large.ini"
                                         << "1 MiB を超えています";
}

// Whatever stands at the path reads as missing, quickly, and stays as it is;
// a write says why it was refused.
void SettingsFileTest::refusedWritesReportThePath() {
  QFETCH(QString, path);
  QFETCH(QString, reason);
  const QDir folder(dir->path());
  WriteAll(folder.filePath("plain-file"), "x");
  folder.mkpath("a-folder");
  QVERIFY(::mkfifo(QFile::encodeName(folder.filePath("pipe")).constData(), 0600) == 0);
  const QString null = DeviceToLinkTo(folder, "null", makedev(1, 3));
  const QString zero = DeviceToLinkTo(folder, "zero", makedev(1, 5));
  if (null.isEmpty() || zero.isEmpty()) QSKIP("no device node of our own to try root's writes on");
  QVERIFY(QFile::link(null, folder.filePath("to-null")));
  QVERIFY(QFile::link(zero, folder.filePath("to-zero")));
  QVERIFY(QFile::link(folder.filePath("a-folder"), folder.filePath("to-folder")));
  QVERIFY(QFile::link(folder.filePath("loop-b"), folder.filePath("loop-a")));
  QVERIFY(QFile::link(folder.filePath("loop-a"), folder.filePath("loop-b")));
  const QByteArray large = "[form]\nform1.top=5\n" + QByteArray(ProfileFile::kLargestFile, ';');
  WriteAll(folder.filePath("large.ini"), large);
  const QStringList before = folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden);
  const QString full = dir->filePath(path);

  TIniGT ini;
  ini.setFileName(full);
  QElapsedTimer clock;
  clock.start();
  ::alarm(10);  // a read that hangs ends the test instead of waiting for ever
  QCOMPARE(ini.ReadInteger("form", "form1.top", 80), 80);
  ::alarm(0);
  QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
  QCOMPARE(ini.WriteInteger("form", "form1.top", 10),
           full + QStringLiteral(" に書き込めません（%1）").arg(reason));
  QCOMPARE(folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden), before);  // no leftovers
  QCOMPARE(QFileInfo(folder.filePath("to-null")).symLinkTarget(), null);
  QVERIFY(QFileInfo(null).exists() && !QFileInfo(null).isFile());
  QCOMPARE(ReadAll(folder.filePath("large.ini")), large);
  QVERIFY(QFileInfo(folder.filePath("pipe")).isFile() == false && QFileInfo::exists(folder.filePath("pipe")));
}

void SettingsFileTest::linkToARegularFileStaysALink() {
  const QString target = dir->filePath("real.ini");
  WriteAll(target, "[keep]\nline=1\n");
  const QString link = dir->filePath("Tavenko.ini");
  QVERIFY(QFile::link(QStringLiteral("real.ini"), link));  // relative, as users make them
  ProfileFile file(link);
  QCOMPARE(file.WriteString("form", "form1.top", "7"), std::nullopt);
  QCOMPARE(QFileInfo(link).symLinkTarget(), target);
  QCOMPARE(ReadAll(target), QByteArray("[keep]\nline=1\n[form]\nform1.top=7\n"));
  QCOMPARE(file.ReadString("form", "form1.top").value_or(""), QStringLiteral("7"));
  QCOMPARE(FilesIn(dir->path()), (QStringList{"Tavenko.ini", "real.ini"}));
}

// A replaced file keeps what its owner set: its permissions, and nothing is
// written when the value is already there.
void SettingsFileTest::replacedFileKeepsItsPermissions() {
  WriteAll(FilePath(), "[form]\nform1.top=1\n");
  QVERIFY(QFile::setPermissions(FilePath(), QFile::ReadOwner | QFile::WriteOwner));
  ProfileFile file(FilePath());
  QCOMPARE(file.WriteString("form", "form1.top", "2"), std::nullopt);
  QCOMPARE(QFileInfo(FilePath()).permissions() & 0x7777,
           QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

  struct stat before, after;
  QVERIFY(::stat(QFile::encodeName(FilePath()).constData(), &before) == 0);
  QCOMPARE(file.WriteString("FORM", "Form1.Top", "2"), std::nullopt);
  QVERIFY(::stat(QFile::encodeName(FilePath()).constData(), &after) == 0);
  QCOMPARE(after.st_ino, before.st_ino);
}

// A write that meets the end of the room (a full disk, a file size limit)
// leaves the file as it was and says so; nothing is built from the part
// written, and the next write with room keeps every line.
void SettingsFileTest::fullDiskKeepsTheFile() {
  QByteArray original =
      "[form]\nform1.top=120\nform1.left=40\n[radio]\nradiobutton3=1\nradiobutton4=0\n[keep]\n";
  for (int i = 0; original.size() < 1500; ++i) original += "line" + QByteArray::number(i) + "=kept\n";
  original += "last=this line must survive\n";
  WriteAll(FilePath(), original);

  ProfileFile file(FilePath());
  {
    const FileSizeLimit limit(1000);  // the temporary file stops at 1000 bytes
    QCOMPARE(file.WriteString("radio", "radiobutton4", "1"),
             QStringLiteral("ファイルの大きさの上限を超えます"));
    QVERIFY(file.WriteString("form", "form1.top", "7"));
  }
  QCOMPARE(ReadAll(FilePath()), original);
  QCOMPARE(FilesIn(dir->path()), QStringList{"Tavenko.ini"});

  QCOMPARE(file.WriteString("radio", "radiobutton4", "1"), std::nullopt);
  QByteArray expected = original;
  expected.replace("radiobutton4=0", "radiobutton4=1");
  QCOMPARE(ReadAll(FilePath()), expected);
}

// What a killed write left: temporary files of this settings file that no
// one is writing go at the start; a copy of an interrupted in-place write
// goes back into the file.
void SettingsFileTest::recoverRemovesStrayTemporaryFiles() {
  const QDir folder(dir->path());
  WriteAll(FilePath(), "[form]\nform1.top=1\n");
  for (const char* name : {"Tavenko.ini.a1B2c3", "Tavenko.ini.zzzzzz"})
    WriteAll(folder.filePath(name), "[form]\n");
  // Not ours: other names, and a temporary file being written right now.
  const QStringList kept{"Other.ini.a1B2c3", "Tavenko.ini.bak", "Tavenko.ini.a1B2c3d", "Tavenko.ini.in-use"};
  for (const QString& name : kept) WriteAll(folder.filePath(name), "x");
  const QString inUse = folder.filePath("Tavenko.ini.Locked");
  WriteAll(inUse, "[form]\n");
  QFile writer(inUse);
  QVERIFY(writer.open(QIODevice::ReadWrite));
  QVERIFY(::flock(writer.handle(), LOCK_EX) == 0);

  ProfileFile(FilePath()).Recover();
  QStringList expected = kept;
  expected << "Tavenko.ini"
           << "Tavenko.ini.Locked";
  expected.sort();
  QCOMPARE(FilesIn(dir->path()), expected);
  QCOMPARE(ReadAll(FilePath()), QByteArray("[form]\nform1.top=1\n"));
}

void SettingsFileTest::recoverPutsBackTheCopyOfAnInPlaceWrite_data() {
  QTest::addColumn<QByteArray>("record");  // "<old>" stands for a complete copy of the old content
  QTest::addColumn<QByteArray>("after");
  QTest::addColumn<bool>("copyStays");
  const QByteArray mixed = "[form]\nform1.top=99999\nleft=2\n[keep]\nlast=this line must";
  QTest::newRow("complete copy: the old content back") << QByteArray("<old>") << kOld << false;
  QTest::newRow("copy cut short: the file was not touched yet")
      << QByteArray("tavenko settings copy\n<path>\n60\n[form]\nform1") << mixed << false;
  QTest::newRow("copy stopped before its first byte") << QByteArray() << mixed << false;
  QTest::newRow("copy stopped within its path") << QByteArray("tavenko settings copy\n/") << mixed << false;
  QTest::newRow("copy of another file: left alone")
      << QByteArray("tavenko settings copy\n/elsewhere/Tavenko.ini\n3\nabc\nend\n") << mixed << true;
}

void SettingsFileTest::recoverPutsBackTheCopyOfAnInPlaceWrite() {
  QFETCH(QByteArray, record);
  QFETCH(QByteArray, after);
  QFETCH(bool, copyStays);
  const QString copies = dir->filePath("copies");
  QDir().mkpath(copies);
  const QString copy = ProfileFile::RecoveryCopyPath(copies, FilePath());
  const QByteArray path = QFile::encodeName(FilePath());
  if (record == "<old>")
    record =
        "tavenko settings copy\n" + path + '\n' + QByteArray::number(kOld.size()) + '\n' + kOld + "\nend\n";
  record.replace("<path>", path);
  WriteAll(copy, record);
  // The file as a kill during the write left it: new bytes over the old ones.
  WriteAll(FilePath(), "[form]\nform1.top=99999\nleft=2\n[keep]\nlast=this line must");

  ProfileFile(FilePath(), copies).Recover();
  QCOMPARE(ReadAll(FilePath()), after);
  QCOMPARE(QFile::exists(copy), copyStays);
}

void SettingsFileTest::startingPointStandsInUntilTheFileExists_data() {
  QTest::addColumn<QByteArray>("file");       // "<none>": not made yet
  QTest::addColumn<QByteArray>("starting");   // "<folder>": a folder of that name
  QTest::addColumn<QString>("write");         // "key=value" in [form], or nothing
  QTest::addColumn<QString>("read");          // form1.top afterwards, "-" when missing
  QTest::addColumn<QByteArray>("fileAfter");  // "<none>": still not made

  const QByteArray older = "[form]\nform1.top=5\n[other]\nkey=kept\n";
  // clang-format off
  QTest::newRow("no file yet: reads the starting point") << QByteArray("<none>") << older << "" << "5" << QByteArray("<none>");
  QTest::newRow("the first write starts from its lines")
      << QByteArray("<none>") << older << "form1.top=7" << "7" << QByteArray("[form]\nform1.top=7\n[other]\nkey=kept\n");
  QTest::newRow("a value it holds already still makes the file") << QByteArray("<none>") << older << "form1.top=5" << "5" << older;
  QTest::newRow("the file, once made, wins")
      << QByteArray("[form]\nform1.top=9\n") << older << "" << "9" << QByteArray("[form]\nform1.top=9\n");
  QTest::newRow("an unreadable starting point starts empty")
      << QByteArray("<none>") << QByteArray("<folder>") << "form1.left=3" << "-" << QByteArray("[form]\nform1.left=3\n");
  // clang-format on
}

// A file not made yet reads as its starting point and is first written
// with the starting point's lines; the starting point is never written.
void SettingsFileTest::startingPointStandsInUntilTheFileExists() {
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, starting);
  QFETCH(QString, write);
  QFETCH(QString, read);
  QFETCH(QByteArray, fileAfter);
  const QString startingPath = dir->filePath(QStringLiteral("older/Tavenko.ini"));
  QVERIFY(QDir().mkpath(starting == "<folder>" ? startingPath : dir->filePath(QStringLiteral("older"))));
  if (starting != "<folder>") WriteAll(startingPath, starting);
  if (file != "<none>") WriteAll(FilePath(), file);

  ProfileFile profile(FilePath());
  profile.SetStartingPoint(startingPath);
  if (!write.isEmpty())
    QCOMPARE(profile.WriteString("form", write.section('=', 0, 0), write.section('=', 1)), std::nullopt);
  QCOMPARE(profile.ReadString("form", "form1.top").value_or("-"), read);
  QCOMPARE(QFile::exists(FilePath()) ? ReadAll(FilePath()) : QByteArray("<none>"), fileAfter);
  if (starting != "<folder>") QCOMPARE(ReadAll(startingPath), starting);
}

void SettingsFileTest::fileNameFollowsTheExecutable_data() {
  QTest::addColumn<QString>("executable");
  QTest::addColumn<QString>("fileName");
  // clang-format off
  QTest::newRow("lower case, no extension") << "tavenko" << "Tavenko.ini";
  QTest::newRow("upper case with extension") << "TAXCALC.EXE" << "Taxcalc.ini";
  QTest::newRow("mixed case") << "Calc.EXE" << "Calc.ini";
  QTest::newRow("first a digit") << "1Tax.exe" << "1tax.ini";
  QTest::newRow("first not ASCII") << "Ärger.EXE" << "Ärger.ini";
  QTest::newRow("with its folder") << "/opt/Tavenko/bin/tavenko" << "Tavenko.ini";
  QTest::newRow("dashes kept") << "tavenko-sheet" << "Tavenko-sheet.ini";
  // clang-format on
}

void SettingsFileTest::fileNameFollowsTheExecutable() {
  QFETCH(QString, executable);
  QFETCH(QString, fileName);
  QCOMPARE(TIniGT::SettingsFileNameFor(executable), fileName);
}

void SettingsFileTest::foldersForABareName() {
  TIniGT ini;
  ini.Loaded();
  const QString appName = TIniGT::SettingsFileNameFor(QCoreApplication::applicationFilePath());
  QCOMPARE(ini.FileName(), appName);
  QCOMPARE(ini.Path(), QCoreApplication::applicationDirPath() + '/' + appName);

  qputenv("XDG_CONFIG_DIRS", (dir->path() + ":/etc/xdg").toUtf8());
  ini.setDefaultDir(ddWindows);
  QCOMPARE(ini.Path(), dir->path() + '/' + appName);
  qunsetenv("XDG_CONFIG_DIRS");
  QCOMPARE(TIniGT::SystemSettingsFolder(), QStringLiteral("/etc/xdg"));

  ini.setDefaultDir(ddNone);
  QCOMPARE(ini.Path(), appName);
  ini.setFileName(dir->filePath("x.ini"));  // a name with a folder is the path
  QCOMPARE(ini.Path(), dir->filePath("x.ini"));
}

void SettingsFileTest::missingFileGivesDefaultsAndFirstWriteCreatesIt() {
  TIniGT ini;
  ini.setFileName(QStringLiteral("settings-test-%1.ini").arg(QCoreApplication::applicationPid()));
  const QString path = ini.Path();
  QVERIFY(!QFile::exists(path));
  QCOMPARE(ini.ReadInteger("form", "form1.top", 80), 80);
  QCOMPARE(ini.ReadBool("radio", "radiobutton3", true), true);
  QCOMPARE(ini.ReadBool("radio", "radiobutton4", false), false);
  QCOMPARE(ini.ReadRawString("a", "b", "def"), QStringLiteral("def"));
  ini.setFence(fnParenthesis);
  QCOMPARE(ini.ReadFencedString("a", "b", " def "), QStringLiteral(" def "));

  QCOMPARE(ini.WriteInteger("form", "form1.top", 120), std::nullopt);
  QVERIFY(QFile::exists(path));
  QCOMPARE(QFileInfo(path).absolutePath(), QCoreApplication::applicationDirPath());
  QCOMPARE(ini.ReadInteger("form", "form1.top", 80), 120);
  QFile::remove(path);
}

void SettingsFileTest::typedValues_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<int>("integer");   // read with default -1
  QTest::addColumn<bool>("boolean");  // read with default true
  QTest::newRow("decimal") << "80" << 80 << true;
  QTest::newRow("hexadecimal 0x") << "0x50" << 80 << true;
  QTest::newRow("hexadecimal 0X") << "0X1f" << 31 << true;
  QTest::newRow("hexadecimal $") << "$50" << 80 << true;
  QTest::newRow("negative") << "-7" << -7 << true;
  QTest::newRow("zero is false") << "0" << 0 << false;
  QTest::newRow("two is true") << "2" << 2 << true;
  QTest::newRow("letters") << "abc" << -1 << true;
  QTest::newRow("empty") << "" << -1 << true;
  QTest::newRow("0x alone") << "0x" << -1 << true;
  QTest::newRow("largest int") << "2147483647" << INT_MAX << true;
  QTest::newRow("smallest int") << "-2147483648" << INT_MIN << true;
  QTest::newRow("beyond an int, held to it") << "99999999999" << INT_MAX << true;
  QTest::newRow("below an int, held to it") << "-2147483649" << INT_MIN << true;
  QTest::newRow("hexadecimal beyond an int") << "0xFFFFFFFFFFFFFFFFFFFF" << INT_MAX << true;
  QTest::newRow("many leading zeros") << QString(40, '0') + "80" << 80 << true;
  QTest::newRow("sign alone") << "-" << -1 << true;
  QTest::newRow("trailing junk") << "12px" << -1 << true;
  QTest::newRow("hex letters without a prefix") << "1f" << -1 << true;
}

void SettingsFileTest::typedValues() {
  QFETCH(QString, stored);
  QFETCH(int, integer);
  QFETCH(bool, boolean);
  TIniGT ini;
  ini.setFileName(FilePath());
  QCOMPARE(ini.WriteRawString("form", "value", stored), std::nullopt);
  QCOMPARE(ini.ReadInteger("form", "value", -1), integer);
  QCOMPARE(ini.ReadBool("form", "value", true), boolean);
  QCOMPARE(ini.WriteBool("radio", "radiobutton4", boolean), std::nullopt);
  QCOMPARE(ini.ReadRawString("radio", "radiobutton4", ""),
           boolean ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsFileTest::fences_data() {
  QTest::addColumn<int>("fence");
  QTest::addColumn<QByteArray>("line");  // as found in the file
  QTest::addColumn<QString>("read");

  QTest::newRow("brackets dropped") << int(fnParenthesis) << QByteArray("k=｢x｣") << "x";
  QTest::newRow("both forms read quotes") << int(fnVer11Mode) << QByteArray("k=\"\"x\"\"") << "x";
  QTest::newRow("brackets only read brackets") << int(fnParenthesis) << QByteArray("k=\"\"x\"\"") << "\"x\"";
  QTest::newRow("none leaves brackets") << int(fnNone) << QByteArray("k=｢x｣") << "｢x｣";
  QTest::newRow("one character never unfenced") << int(fnVer11Mode) << QByteArray("k=｢") << "｢";
}

void SettingsFileTest::fences() {
  QFETCH(int, fence);
  QFETCH(QByteArray, line);
  QFETCH(QString, read);
  TIniGT ini;
  ini.setFileName(FilePath());
  ini.setFence(static_cast<TIniGTFence>(fence));
  WriteAll(FilePath(), "[s]\n" + line + "\n");
  QCOMPARE(ini.ReadFencedString("s", "k", "default"), read);
  // A missing key gives the default as it was given.
  QCOMPARE(ini.ReadFencedString("s", "missing", " default "), QStringLiteral(" default "));
}

void SettingsFileTest::fencedWritesKeepBlanks() {
  const struct {
    TIniGTFence fence;
    QByteArray line;
    QString read;
  } cases[] = {{fnNone, "k= a b ", "a b"},
               {fnDoubleQuote, "k=\" a b \"", " a b "},
               {fnParenthesis, "k=｢ a b ｣", " a b "},
               {fnVer11Mode, "k=｢ a b ｣", " a b "}};
  for (const auto& c : cases) {
    QFile::remove(FilePath());
    TIniGT ini;
    ini.setFileName(FilePath());
    ini.setFence(c.fence);
    QCOMPARE(ini.WriteFencedString("s", "k", " a b "), std::nullopt);
    QCOMPARE(ReadAll(FilePath()), "[s]\n" + c.line + "\n");
    QCOMPARE(ini.ReadFencedString("s", "k", ""), c.read);
  }
}

void SettingsFileTest::designModeFence() {
  QStringList messages;
  tavenko::platform::SetMessageHook([&](const QString& text) { messages << text; });
  TIniGT placed;
  placed.setDesigning(true);
  placed.setFileName(FilePath());
  placed.Loaded();
  QCOMPARE(placed.Fence(), fnVer11Mode);
  placed.setFence(fnNone);
  QCOMPARE(messages.size(), 1);
  QVERIFY(messages[0].startsWith(QStringLiteral("fnVer11Mode以外の値にすると、")));
  QCOMPARE(placed.Fence(), fnNone);

  TIniGT running;  // at run time: no fence change, no message
  running.setFence(fnVer11Mode);
  running.setFence(fnNone);
  running.Loaded();
  QCOMPARE(running.Fence(), fnNone);
  QCOMPARE(messages.size(), 1);
  tavenko::platform::SetMessageHook({});
}

QTEST_MAIN(SettingsFileTest)
#include "settings_file_test.moc"
