// The settings file: reading and writing by section and key, and TIniGT's
// names, folders, typed values and fences.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

#include "IniGT.h"
#include "Messages.h"
#include "ProfileFile.h"

using tavenko::platform::ProfileFile;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

}  // namespace

class SettingsFileTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(dir.isValid()); }

  void reads_data();
  void reads();
  void writesKeepEveryOtherLine_data();
  void writesKeepEveryOtherLine();
  void refusedWritesReportThePath_data();
  void refusedWritesReportThePath();
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
  QString FilePath() const { return dir.filePath(QStringLiteral("Tavenko.ini")); }
  QTemporaryDir dir;
};

void SettingsFileTest::reads_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("section");
  QTest::addColumn<QString>("key");
  QTest::addColumn<QVariant>("value");  // invalid: missing

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
  QTest::newRow("replace in place, other case") << kWindowsFile << "FORM" << "Form1.TOP" << "80" << replaced;
  QByteArray spaced = kWindowsFile;
  spaced.replace("Form1.Left = 20", "Form1.Left = 7");
  QTest::newRow("replace keeps the spacing") << kWindowsFile << "form" << "form1.left" << "7" << spaced;
  QByteArray appended = kWindowsFile;
  appended.replace("Other=kept\r\n", "Other=kept\r\nform4.top=3\r\n");
  QTest::newRow("new key at the end of its section") << kWindowsFile << "form" << "form4.top" << "3" << appended;
  QTest::newRow("new section at the end of the file")
      << kWindowsFile << "radio" << "radiobutton3" << "1" << kWindowsFile + "[radio]\r\nradiobutton3=1\r\n";
  QTest::newRow("file without a final line end")
      << QByteArray("[a]\nk=1") << "a" << "j" << "2" << QByteArray("[a]\nk=1\nj=2\n");
  QTest::newRow("missing file created") << QByteArray("<none>") << "form" << "form1.top" << "80"
                                        << QByteArray("[form]\nform1.top=80\n");
  QTest::newRow("a line break cannot split the file")
      << QByteArray("[a]\n") << "a" << "k" << "x\n[b]" << QByteArray("[a]\nk=x [b]\n");
  QTest::newRow("UTF-8 value") << QByteArray("[a]\nk=1\n") << "a" << "k" << "円" << QByteArray("[a]\nk=円\n");
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
  QVERIFY(file.WriteString(section, key, value));
  QCOMPARE(ReadAll(FilePath()), after);
  QCOMPARE(file.ReadString(section, key).value_or("<missing>"), value.simplified());
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tavenko.ini"});  // no leftovers
}

void SettingsFileTest::refusedWritesReportThePath_data() {
  QTest::addColumn<QString>("path");
  QTest::newRow("folder does not exist") << QStringLiteral("no-such-folder/Tavenko.ini");
  QTest::newRow("folder is a file") << QStringLiteral("plain-file/Tavenko.ini");
  QTest::newRow("path is a folder") << QStringLiteral("a-folder");
}

void SettingsFileTest::refusedWritesReportThePath() {
  QFETCH(QString, path);
  WriteAll(dir.filePath(QStringLiteral("plain-file")), "x");
  QDir(dir.path()).mkpath(QStringLiteral("a-folder"));
  const QString full = dir.filePath(path);

  TIniGT ini;
  ini.setFileName(full);
  QCOMPARE(ini.ReadInteger("form", "form1.top", 80), 80);
  try {
    ini.WriteInteger("form", "form1.top", 10);
    QFAIL("the write was not refused");
  } catch (const std::runtime_error& error) {
    QCOMPARE(QString::fromUtf8(error.what()), full + QStringLiteral(" に書き込めません"));
  }
}

void SettingsFileTest::fileNameFollowsTheExecutable_data() {
  QTest::addColumn<QString>("executable");
  QTest::addColumn<QString>("fileName");
  QTest::newRow("lower case, no extension") << "tavenko" << "Tavenko.ini";
  QTest::newRow("upper case with extension") << "TAXCALC.EXE" << "Taxcalc.ini";
  QTest::newRow("mixed case") << "Calc.EXE" << "Calc.ini";
  QTest::newRow("first a digit") << "1Tax.exe" << "1tax.ini";
  QTest::newRow("first not ASCII") << "Ärger.EXE" << "Ärger.ini";
  QTest::newRow("with its folder") << "/opt/Tavenko/bin/tavenko" << "Tavenko.ini";
  QTest::newRow("dashes kept") << "tavenko-sheet" << "Tavenko-sheet.ini";
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

  qputenv("XDG_CONFIG_DIRS", (dir.path() + ":/etc/xdg").toUtf8());
  ini.setDefaultDir(ddWindows);
  QCOMPARE(ini.Path(), dir.path() + '/' + appName);
  qunsetenv("XDG_CONFIG_DIRS");
  QCOMPARE(TIniGT::SystemSettingsFolder(), QStringLiteral("/etc/xdg"));

  ini.setDefaultDir(ddNone);
  QCOMPARE(ini.Path(), appName);
  ini.setFileName(dir.filePath("x.ini"));  // a name with a folder is the path
  QCOMPARE(ini.Path(), dir.filePath("x.ini"));
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

  ini.WriteInteger("form", "form1.top", 120);
  QVERIFY(QFile::exists(path));
  QCOMPARE(QFileInfo(path).absolutePath(), QCoreApplication::applicationDirPath());
  QCOMPARE(ini.ReadInteger("form", "form1.top", 80), 120);
  QFile::remove(path);
}

void SettingsFileTest::typedValues_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<int>("integer");  // read with default -1
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
  QTest::newRow("beyond an int") << "99999999999" << -1 << true;
  QTest::newRow("trailing junk") << "12px" << -1 << true;
  QTest::newRow("hex letters without a prefix") << "1f" << -1 << true;
}

void SettingsFileTest::typedValues() {
  QFETCH(QString, stored);
  QFETCH(int, integer);
  QFETCH(bool, boolean);
  TIniGT ini;
  ini.setFileName(FilePath());
  ini.WriteRawString("form", "value", stored);
  QCOMPARE(ini.ReadInteger("form", "value", -1), integer);
  QCOMPARE(ini.ReadBool("form", "value", true), boolean);
  ini.WriteBool("radio", "radiobutton4", boolean);
  QCOMPARE(ini.ReadRawString("radio", "radiobutton4", ""), boolean ? QStringLiteral("1") : QStringLiteral("0"));
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
    ini.WriteFencedString("s", "k", " a b ");
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
