#include "platform/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

#include "platform/Messages.h"

namespace tavenko::platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

int wakeUp[2] = {-1, -1};  // the handler writes to [0], the event loop reads [1]

// Async-signal-safe: only tells the event loop, and lets the next signal
// take its default course.
void OnSignal(int number) {
  const int savedErrno = errno;
  std::signal(number, SIG_DFL);
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t written = ::write(wakeUp[0], &byte, 1);
  errno = savedErrno;
}

void CloseEveryWindow() {
  char byte;
  [[maybe_unused]] const ssize_t read = ::read(wakeUp[1], &byte, 1);
  SendMessagesToStandardError();
  QApplication::closeAllWindows();
  QCoreApplication::quit();  // should a window have refused to close
}

}  // namespace

void CloseWindowsOnTerminationSignals() {
  if (wakeUp[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp) != 0) return;
  auto* notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
    notifier->setEnabled(false);
    CloseEveryWindow();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int each : kSignals) {
    // A signal the program was started to ignore (nohup, a background job)
    // stays ignored.
    struct sigaction previous {};
    if (::sigaction(each, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    ::sigaction(each, &action, nullptr);
  }
}

}  // namespace tavenko::platform
