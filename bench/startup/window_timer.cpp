// Times one launch of a windowed program on the current X display: from the
// moment before the program is started to the map of its first top-level
// window (the window is on screen), and on to the first drawing into that
// window (the window shows its content); and the processor time the
// program's main thread had used by the map, which other work on a busy
// machine sways far less than the wall-clock times. Prints the three in
// milliseconds, "MAPPED PAINTED CPU_AT_MAP", and ends the program with
// SIGKILL, so that it writes nothing on its way out.
//
//   window_timer PROGRAM [ARGUMENTS...]
//
// The window is told from others by its _NET_WM_PID, the started process.
// Run it on a display without a window manager: a manager reparents and maps
// windows on its own schedule. The map is seen as the server's MapNotify on
// the root window, the drawing as a Damage report on the window, created as
// soon as the window exists, so no drawing can slip by before it is watched.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kGiveUpAfter = std::chrono::seconds(30);

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Windows may vanish between the event that names them and the request that
// asks about them; such errors are expected and ignored.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

std::optional<pid_t> WindowPid(Display* display, Window window) {
  static const Atom net_wm_pid = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &left,
                         &data) != Success ||
      !data)
    return std::nullopt;
  std::optional<pid_t> pid;
  if (type == XA_CARDINAL && format == 32 && count == 1)
    pid = static_cast<pid_t>(*reinterpret_cast<long*>(data));
  XFree(data);
  return pid;
}

// The time the main thread of process `pid` has run, from the scheduler's
// account (nanoseconds, unlike the clock ticks of /proc/PID/stat). The main
// thread is the one a window waits for; helper threads may run beside it.
double MainThreadMilliseconds(pid_t pid) {
  std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
  double nanoseconds = 0;
  schedstat >> nanoseconds;
  return nanoseconds / 1e6;
}

pid_t Launch(char* argv[], int x_connection) {
  fcntl(x_connection, F_SETFD, FD_CLOEXEC);  // the program opens its own connection
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[0], argv);
    std::perror(argv[0]);
    _exit(127);
  }
  return pid;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "window_timer: cannot open the X display\n");
    return 1;
  }
  int damage_event_base = 0, damage_error_base = 0;
  if (!XDamageQueryExtension(display, &damage_event_base, &damage_error_base)) {
    std::fprintf(stderr, "window_timer: the X server has no Damage extension\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t pid = Launch(argv + 1, ConnectionNumber(display));
  if (pid < 0) {
    std::perror("fork");
    return 1;
  }

  Window shown = None;
  double mapped = -1, painted = -1, processor_at_map = -1;
  const char* failure = nullptr;
  bool ended = false;
  while (painted < 0 && !failure) {
    if (!XPending(display)) {
      pollfd x_events{ConnectionNumber(display), POLLIN, 0};
      if (poll(&x_events, 1, 100) <= 0) {
        ended = waitpid(pid, nullptr, WNOHANG) == pid;
        if (ended)
          failure = "the program ended before its window was shown";
        else if (Clock::now() - start > kGiveUpAfter)
          failure = "no window was shown in 30 seconds";
        continue;
      }
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
      XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
    } else if (event.type == MapNotify && shown == None && !event.xmap.override_redirect &&
               WindowPid(display, event.xmap.window) == pid) {
      mapped = MillisecondsSince(start);
      processor_at_map = MainThreadMilliseconds(pid);
      shown = event.xmap.window;
    } else if (event.type == damage_event_base + XDamageNotify &&
               reinterpret_cast<XDamageNotifyEvent&>(event).drawable == shown && shown != None) {
      painted = MillisecondsSince(start);
    }
  }

  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  XCloseDisplay(display);
  if (failure) {
    std::fprintf(stderr, "window_timer: %s: %s\n", argv[1], failure);
    return 1;
  }
  std::printf("%.1f %.1f %.1f\n", mapped, painted, processor_at_map);
  return 0;
}
