// The settings against what an unlucky machine does to a running program:
// killed at any instant of a write, a full disk while a file in a read-only
// folder grows, SIGTERM when the desktop logs out; and where a copy of the
// program keeps its settings when its own folder may not be written. Each
// case runs this test program again as a child with a role (see RunChild).
#include <sys/resource.h>
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <random>

#include "controls/IniGT.h"
#include "forms/Unit4.h"
#include "forms/zentai.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/TerminationSignals.h"
#include "tests/forms/child_process.h"

using namespace child_process;
using tavenko::platform::ProfileFile;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& data) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(data), data.size());
}

QStringList FilesIn(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
  names.sort();
  return names;
}

// A settings file whose form1.top the writing child sets back and forth
// between a short and a long value, so that the file shrinks and grows,
// with a section of another program's that must survive every write.
QByteArray SettingsWith(const QByteArray& top, int foreignLines = 60) {
  QByteArray content = "[form]\nform1.top=" + top + "\n[keep]\n";
  for (int i = 0; i < foreignLines; ++i)
    content += "line" + QByteArray::number(i) + "=a foreign line that stays\n";
  return content + "last=this line must survive\n";
}
const QByteArray kShortTop = "1";
const QByteArray kLongTop(3000, '2');

// ---- Roles of the child -------------------------------------------------------

void Say(const QString& line) {
  std::printf("%s\n", qUtf8Printable(line));
  std::fflush(stdout);
}

// Writes form1.top back and forth until killed; "ready" after the first write.
int WriteForEver(const QString& path) {
  ProfileFile file(path);
  for (long i = 0;; ++i) {
    const QString top = QString::fromLatin1(i % 2 ? kShortTop : kLongTop);
    if (const auto refusal = file.WriteString("form", "form1.top", top)) {
      Say("error: " + *refusal);
      return 1;
    }
    if (i == 0) Say("ready");
  }
}

// One write of form1.top while files may not grow beyond `limit` bytes, as
// on a full disk: "written", or the reason of the refusal.
int WriteWithLimit(const QString& path, const QString& top, rlim_t limit) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit size{};
  ::getrlimit(RLIMIT_FSIZE, &size);
  size.rlim_cur = limit;
  ::setrlimit(RLIMIT_FSIZE, &size);
  ProfileFile file(path);
  const auto refusal = file.WriteString("form", "form1.top", top);
  Say(refusal ? "error: " + *refusal : QStringLiteral("written"));
  return 0;
}

// The program's windows as a user meets them, with the settings file where
// the program keeps it by default. `mode`:
//   save  click 円, place both windows, close them as the user would
//   show  say where the windows opened, the unit and the settings path
//   wait  as "save" up to the closing, then wait for a signal
int RunWindows(int argc, char** argv, const QString& mode) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("タベンコ"));
  tavenko::platform::SetMessageHook(
      [](const QString& text) { Say("message: " + QString(text).replace('\n', ' ')); });
  if (mode == "wait") {
    tavenko::platform::SetMessageHook({});
    tavenko::platform::CloseWindowsOnTerminationSignals();
  }
  TForm1 form1;
  form1.show();
  if (!QTest::qWaitForWindowExposed(&form1)) return 2;
  QTest::mouseClick(form1.findChild<QPushButton*>("BitBtn26"), Qt::LeftButton);  // 比　較
  TForm4* form4 = form1.findChildren<TForm4*>().constLast();
  if (!QTest::qWaitForWindowExposed(form4)) return 2;
  auto* yen = form1.findChild<QRadioButton*>("RadioButton4");

  if (mode == "show") {
    Say(QStringLiteral("form1 %1 %2 yen %3 form4 %4 %5 path %6")
            .arg(form1.x())
            .arg(form1.y())
            .arg(int(yen->isChecked()))
            .arg(form4->x())
            .arg(form4->y())
            .arg(form1.findChild<TIniGT*>("IniGT1")->Path()));
    return 0;
  }
  QTest::mouseClick(yen, Qt::LeftButton);
  form1.move(300, 200);
  form4->move(250, 150);
  if (mode == "wait") {
    Say("ready");
    return QApplication::exec();
  }
  form4->close();
  form1.close();
  return 0;
}

int RunChild(int argc, char** argv) {
  const QString role = QString::fromLocal8Bit(argv[1]);
  const QString argument = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (role == "--write-for-ever") return WriteForEver(argument);
  if (role == "--write-with-limit" && argc == 5)
    return WriteWithLimit(argument, QString::fromLocal8Bit(argv[3]), std::strtoull(argv[4], nullptr, 10));
  if (role == "--windows") return RunWindows(argc, argv, argument);
  return 125;
}

// The folders of one test: the settings file's, the user's settings folder
// ($XDG_CONFIG_HOME) and a home, all inside a temporary folder that
// "nobody" may enter. Permissions are given back at the end so that the
// temporary folder can go.
struct Layout {
  QTemporaryDir root;
  QString folder, config, home;
  QProcessEnvironment environment;

  Layout() {
    ::chmod(QFile::encodeName(root.path()).constData(), 0755);
    folder = root.filePath("prefix/bin");
    config = root.filePath("config");
    home = root.filePath("home");
    for (const QString& path : {folder, config, home}) {
      QDir().mkpath(path);
      SetWritable(path, true);
    }
    environment.insert("XDG_CONFIG_HOME", config);
    environment.insert("HOME", home);
    environment.insert("XDG_RUNTIME_DIR", home);
    ::chmod(QFile::encodeName(home).constData(), 0700);
  }
  ~Layout() {
    for (const QString& path : {folder, config}) ::chmod(QFile::encodeName(path).constData(), 0755);
  }
  QString SettingsPath() const { return folder + "/Tavenko.ini"; }
  QString UserSettingsPath() const { return config + "/tavenko/Tavenko.ini"; }
  QString CopyPath() const { return ProfileFile::RecoveryCopyPath(config + "/tavenko", SettingsPath()); }

  // This test program as "tavenko" in the program folder.
  QString InstallProgram() const { return CopyOfThisProgram(folder); }
  // Makes the program folder an install's: the record an install leaves
  // under its prefix names the folder.
  void RecordInstall() const {
    const QString record = tavenko::platform::InstallRecordPath(folder);
    QVERIFY(QDir().mkpath(QFileInfo(record).absolutePath()));
    WriteAll(record, QFile::encodeName(folder) + '\n');
  }
  // This test program where a child running as "nobody" under root can run
  // it: the build folder may lie in root's home, which "nobody" cannot enter.
  QString ChildProgram() const {
    const QString bin = root.filePath("bin");
    QDir().mkpath(bin);
    return CopyOfThisProgram(bin);
  }

 private:
  static QString CopyOfThisProgram(const QString& into) {
    const QString program = into + "/tavenko";
    if (!QFile::exists(program) && !QFile::copy(QCoreApplication::applicationFilePath(), program))
      qFatal("cannot copy the test program");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                       QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return program;
  }
};

}  // namespace

class SettingsSurvivalTest : public QObject {
  Q_OBJECT

 private slots:
  void killedWhileWriting_data();
  void killedWhileWriting();
  void fullDiskWhileGrowingInPlace_data();
  void fullDiskWhileGrowingInPlace();
  void terminationSignalSavesEveryWindow();
  void settingsKeptWhereTheyCanBe_data();
  void settingsKeptWhereTheyCanBe();
};

void SettingsSurvivalTest::killedWhileWriting_data() {
  QTest::addColumn<bool>("folderWritable");
  QTest::newRow("replaced through a temporary file") << true;
  QTest::newRow("overwritten in place (read-only folder)") << false;
}

// A child writes without pause; it is killed at a random instant, again and
// again. What the next start finds, once it has put right what the kill
// left, is the old or the new content in full, and nothing else is left.
void SettingsSurvivalTest::killedWhileWriting() {
  QFETCH(bool, folderWritable);
  constexpr int kKills = 200;
  Layout layout;
  const QString path = layout.SettingsPath();
  WriteAll(path, SettingsWith(kShortTop));
  GiveToChild(path);
  SetWritable(layout.folder, folderWritable);
  const QSet<QByteArray> whole{SettingsWith(kShortTop), SettingsWith(kLongTop)};

  const QString program = layout.ChildProgram();
  std::mt19937 random(20170315);
  int interrupted = 0;  // kills that left a temporary file or a copy
  int mixed = 0;        // kills that left new bytes over old ones, to be put back
  for (int kill = 0; kill < kKills; ++kill) {
    QProcess child;
    Start(child, {"--write-for-ever", path}, layout.environment, program);
    QVERIFY2(WaitForLine(child, "ready"), child.readAllStandardError().constData());
    ::usleep(random() % 3000);
    child.kill();
    QVERIFY(child.waitForFinished());

    const QByteArray found = ReadAll(path);
    const bool copyLeft = QFile::exists(layout.CopyPath());
    const bool strayLeft = FilesIn(layout.folder) != QStringList{"Tavenko.ini"};
    interrupted += copyLeft || strayLeft;
    mixed += !whole.contains(found);
    // Replaced by a rename, the file itself is whole at every instant; in
    // place, a mixed file always has its copy to go back to.
    QVERIFY2(whole.contains(found) || (!folderWritable && copyLeft), qPrintable(QString::number(kill)));

    ProfileFile(path, layout.config + "/tavenko").Recover();  // what the next start does first
    QVERIFY2(whole.contains(ReadAll(path)), qPrintable(QString::number(kill)));
    QCOMPARE(FilesIn(layout.folder), QStringList{"Tavenko.ini"});
    QVERIFY(!QFile::exists(layout.CopyPath()));
  }
  qInfo("%d kills, %d in the middle of a write, %d leaving a mixed file put back at the start", kKills,
        interrupted, mixed);
  QVERIFY(interrupted > 0);  // the kills did land inside writes
}

void SettingsSurvivalTest::fullDiskWhileGrowingInPlace_data() {
  QTest::addColumn<QByteArray>("top");
  QTest::addColumn<int>("room");  // the largest a file may grow to, in bytes
  QTest::addColumn<QString>("said");
  QTest::newRow("growing past the room left")
      << QByteArray(2000, '9') << 5000 << "error: ファイルの大きさの上限を超えます";
  QTest::newRow("no room for the copy of the old content")
      << QByteArray(2000, '9') << 4096
      << "error: 変更前の写しを <config>/tavenko に置けません、"
         "ファイルの大きさの上限を超えます";
  QTest::newRow("within the room left") << QByteArray("42") << 5000 << "written";
}

// A file of 4,090 bytes in a read-only folder on a disk that is all but
// full: a write that needs more room than there is, for the file or for the
// copy of its old content, is refused with its reason, and the file keeps
// every line; a write that fits is made.
void SettingsSurvivalTest::fullDiskWhileGrowingInPlace() {
  QFETCH(QByteArray, top);
  QFETCH(int, room);
  QFETCH(QString, said);
  Layout layout;
  QByteArray original = SettingsWith(kShortTop, 100);
  original.insert(original.indexOf("last="), "; " + QByteArray(4090 - original.size() - 3, '-') + '\n');
  QCOMPARE(original.size(), 4090);
  WriteAll(layout.SettingsPath(), original);
  GiveToChild(layout.SettingsPath());
  SetWritable(layout.folder, false);

  QProcess child;
  Start(child, {"--write-with-limit", layout.SettingsPath(), QString::fromLatin1(top), QString::number(room)},
        layout.environment, layout.ChildProgram());
  QVERIFY(child.waitForFinished());
  QCOMPARE(QString::fromUtf8(child.readAllStandardOutput().trimmed()),
           QString(said).replace("<config>", layout.config));
  QByteArray expected = original;
  if (said == "written") expected.replace("form1.top=1\n", "form1.top=" + top + '\n');
  QCOMPARE(ReadAll(layout.SettingsPath()), expected);
  QVERIFY(!QFile::exists(layout.CopyPath()));
}

// SIGTERM (a desktop logging out) closes the windows as the user would, so
// each saves its settings, and the program ends normally.
void SettingsSurvivalTest::terminationSignalSavesEveryWindow() {
  Layout layout;
  const QString program = layout.InstallProgram();
  QProcess child;
  Start(child, {"--windows", "wait"}, layout.environment, program);
  QVERIFY2(WaitForLine(child, "ready"), child.readAllStandardError().constData());
  QVERIFY(::kill(pid_t(child.processId()), SIGTERM) == 0);
  QVERIFY(child.waitForFinished());
  QCOMPARE(child.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.exitCode(), 0);

  const ProfileFile saved(layout.SettingsPath());
  QCOMPARE(saved.ReadString("form", "form1.left").value_or("-"), QStringLiteral("300"));
  QCOMPARE(saved.ReadString("form", "form1.top").value_or("-"), QStringLiteral("200"));
  QCOMPARE(saved.ReadString("form", "form4.left").value_or("-"), QStringLiteral("250"));
  QCOMPARE(saved.ReadString("form", "form4.top").value_or("-"), QStringLiteral("150"));
  QCOMPARE(saved.ReadString("radio", "radiobutton4").value_or("-"), QStringLiteral("1"));
}

void SettingsSurvivalTest::settingsKeptWhereTheyCanBe_data() {
  QTest::addColumn<bool>("installed");  // run from the folder an install put it in
  QTest::addColumn<bool>("byRoot");
  QTest::addColumn<bool>("olderFileBeside");  // settings an older version kept beside the program
  QTest::addColumn<bool>("programFolderWritable");
  QTest::addColumn<bool>("userFolderWritable");
  QTest::addColumn<QString>("kept");  // "beside", "user" or "nowhere"
  // clang-format off
  //                                                                  installed root   older  program user
  QTest::newRow("a copy in a folder of its own: beside it")            << false << false << false << true  << true  << "beside";
  QTest::newRow("a copy in a read-only folder: in the user's folder")  << false << false << false << false << true  << "user";
  QTest::newRow("a copy, neither folder writable: said once")          << false << false << false << false << false << "nowhere";
  QTest::newRow("a copy run by root: beside it")                       << false << true  << false << false << true  << "beside";
  QTest::newRow("installed for one user: in the user's folder")        << true  << false << false << true  << true  << "user";
  QTest::newRow("installed for all: in the user's folder")             << true  << false << false << false << true  << "user";
  QTest::newRow("installed, run by root: in root's folder")            << true  << true  << false << false << true  << "user";
  QTest::newRow("installed over an older file: read, never written")   << true  << false << true  << false << true  << "user";
  QTest::newRow("installed over an older file, run by root")           << true  << true  << true  << false << true  << "user";
  QTest::newRow("installed, the user's folder read-only: said once")   << true  << false << true  << true  << false << "nowhere";
  // clang-format on
}

// The unit and both window positions survive a restart wherever the program
// can keep them; where it cannot, closing says so once. An installed
// program writes nothing beside itself, whoever runs it, and starts from
// the settings an older version left there.
void SettingsSurvivalTest::settingsKeptWhereTheyCanBe() {
  QFETCH(bool, installed);
  QFETCH(bool, byRoot);
  QFETCH(bool, olderFileBeside);
  QFETCH(bool, programFolderWritable);
  QFETCH(bool, userFolderWritable);
  QFETCH(QString, kept);
  if (byRoot && !RunningAsRoot()) QSKIP("runs the program as root");
  Layout layout;
  const QString program = layout.InstallProgram();
  if (installed) layout.RecordInstall();
  const QByteArray older =
      "[form]\nform1.left=120\nform1.top=110\nform4.left=130\nform4.top=140\n"
      "[radio]\nradiobutton3=0\nradiobutton4=1\n[other]\nkey=an older line that stays\n";
  if (olderFileBeside) WriteAll(layout.SettingsPath(), older);
  SetWritable(layout.folder, programFolderWritable);
  SetWritable(layout.config, userFolderWritable);

  const auto run = [&](const QString& mode) {
    QProcess child;
    Start(child, {"--windows", mode}, layout.environment, program, byRoot);
    if (!child.waitForFinished() || child.exitCode() != 0) qWarning() << child.readAllStandardError();
    return QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  };
  const QString path = kept == "beside" ? layout.SettingsPath() : layout.UserSettingsPath();
  const QString first =
      (olderFileBeside ? "form1 120 110 yen 1 form4 130 140" : "form1 80 80 yen 0 form4 80 80");
  // The older file is read from the first start.
  if (olderFileBeside) QCOMPARE(run("show"), QStringList{first + " path " + path});
  const QStringList messages = run("save");
  const QStringList shown = run("show");

  if (kept == "nowhere") {
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith("message: 設定を保存できませんでした。 " + path + " に書き込めません（"),
             qPrintable(messages[0]));
    QCOMPARE(shown, QStringList{first + " path " + path});
  } else {
    QCOMPARE(messages, QStringList());
    QCOMPARE(shown, QStringList{"form1 300 200 yen 1 form4 250 150 path " + path});
  }
  const QStringList besideProgram =
      kept == "beside" || olderFileBeside ? QStringList{"Tavenko.ini", "tavenko"} : QStringList{"tavenko"};
  QCOMPARE(FilesIn(layout.folder), besideProgram);
  if (olderFileBeside) QCOMPARE(ReadAll(layout.SettingsPath()), older);
  QCOMPARE(QFile::exists(layout.UserSettingsPath()), kept == "user");
  if (olderFileBeside && kept == "user")
    QCOMPARE(ProfileFile(layout.UserSettingsPath()).ReadString("other", "key").value_or("-"),
             QStringLiteral("an older line that stays"));
}

int main(int argc, char** argv) {
  if (argc > 1 && argv[1][0] == '-' && argv[1][1] == '-') return RunChild(argc, argv);
  QApplication app(argc, argv);
  SettingsSurvivalTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "settings_survival_test.moc"
