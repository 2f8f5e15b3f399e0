// Child processes for the tests that kill, signal or restart the program: the
// test program itself, run again with a role as its first argument.
//
// A folder that may not be written stops no one running as root, so under
// root every child runs as the user "nobody", in folders given to that user.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace child_process {

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// The account an unprivileged child runs as under root.
struct Account {
  uid_t uid = 65534;
  gid_t gid = 65534;
};
inline Account Nobody() {
  Account account;
  if (const passwd* entry = ::getpwnam("nobody")) {
    account.uid = entry->pw_uid;
    account.gid = entry->pw_gid;
  }
  return account;
}

// Hands a file to the child's user: under root to "nobody"; otherwise it is
// the tests' own already.
inline void GiveToChild(const QString& path) {
  if (!RunningAsRoot()) return;
  const Account nobody = Nobody();
  QVERIFY(::chown(QFile::encodeName(path).constData(), nobody.uid, nobody.gid) == 0);
}

// A folder the child may write, or only read and enter. Under root the
// child runs as "nobody", so the folder is given to that user or kept root's.
inline void SetWritable(const QString& folder, bool writable) {
  const QByteArray path = QFile::encodeName(folder);
  if (RunningAsRoot()) {
    const Account owner = writable ? Nobody() : Account{0, 0};
    QVERIFY(::chown(path.constData(), owner.uid, owner.gid) == 0);
    QVERIFY(::chmod(path.constData(), 0755) == 0);
  } else {
    QVERIFY(::chmod(path.constData(), writable ? 0755 : 0555) == 0);
  }
}

// Starts `program` (by default the test program itself) with `arguments`,
// as "nobody" under root unless `keepRoot`. The platform plugin stays
// offscreen; `environment` adds to the tests' own.
inline void Start(QProcess& process, const QStringList& arguments, const QProcessEnvironment& environment,
                  const QString& program = {}, bool keepRoot = false) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  for (const QString& name : environment.keys()) env.insert(name, environment.value(name));
  process.setProcessEnvironment(env);
  if (RunningAsRoot() && !keepRoot) {
    const Account nobody = Nobody();
    process.setChildProcessModifier([nobody] {
      if (::setgroups(0, nullptr) != 0 || ::setgid(nobody.gid) != 0 || ::setuid(nobody.uid) != 0)
        ::_exit(126);
    });
  }
  process.start(program.isEmpty() ? QCoreApplication::applicationFilePath() : program, arguments);
}

// Waits for a line the child prints on its standard output.
inline bool WaitForLine(QProcess& process, const QByteArray& line, int milliseconds = 30000) {
  QByteArray seen;
  QDeadlineTimer deadline(milliseconds);
  while (!deadline.hasExpired()) {
    if (!process.canReadLine() && !process.waitForReadyRead(int(deadline.remainingTime()))) return false;
    while (process.canReadLine())
      if (process.readLine().trimmed() == line) return true;
  }
  return false;
}

}  // namespace child_process
