// How long the 早見表 window takes to show a table of 10,000 rows: the table
// handed over (the view's model, the column widths, the chart's six lines)
// and the whole window painted, per case family; and how long a change of
// range holds the window's thread before the worker takes over. Run the
// Release build without a display:
//
//   QT_QPA_PLATFORM=offscreen build/quick_window_benchmark
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/bench_inputs.h"
#include "calc/MainSheet.h"
#include "controls/NValEdit.h"
#include "face/QuickTable.h"
#include "forms/QuickTableWindow.h"
#include "forms/WindowLook.h"

using namespace tavenko;
using tavenko::bench::TenThousandRows;
using tavenko::bench::Typed;

namespace {

constexpr int kRuns = 15;

struct Spread {
  double least, median, most;
};

template <class Work>
Spread Milliseconds(Work work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer clock;
    clock.start();
    work();
    times.push_back(double(clock.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2], times.back()};
}

void Report(const char* what, const char* button, Spread s) {
  std::printf("%-34s %-9s %8.1f %8.1f %8.1f\n", what, button, s.least, s.median, s.most);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  InstallJapaneseFontFallbacks();
  std::printf("%-34s %-9s %8s %8s %8s   (ms, %d runs, 10,000 rows)\n", "", "button", "least", "median",
              "most", kRuns);

  for (const char* name : {"BitBtn1", "BitBtn28", "BitBtn13", "BitBtn15", "BitBtn16"}) {
    const calc::MainCase& button = *calc::FindMainCase(name);
    const calc::MainInputs inputs = Typed();
    TQuickTableWindow window(button, inputs);
    window.show();
    window.BringTableUpToDate();
    QApplication::processEvents();

    std::shared_ptr<const face::QuickTable> table;
    Report("computed (worker thread)", name, Milliseconds([&] {
             table = std::make_shared<const face::QuickTable>(button, inputs, TenThousandRows(button));
           }));
    // Handed over: the model, the widths, the chart's lines; then painted:
    // every pixel of the window, as the next screen update draws it.
    Report("handed over", name, Milliseconds([&] { window.ShowTable(table); }));
    Report("painted", name, Milliseconds([&] { (void)window.grab(); }));
    Report("shown: handed over and painted", name, Milliseconds([&] {
             window.ShowTable(table);
             (void)window.grab();
           }));
  }

  // A range typed into the window: how long its thread is held from the
  // change to the hand-over to the worker, and how long until the table of
  // 10,000 rows is shown.
  const calc::MainCase& button = *calc::FindMainCase("BitBtn16");
  TQuickTableWindow window(button, Typed());
  window.show();
  window.BringTableUpToDate();
  auto* to = window.findChild<TNValEdit*>(QStringLiteral("ToField"));
  const face::QuickRange large = TenThousandRows(button);
  std::vector<double> held;
  const Spread whole = Milliseconds([&] {
    to->setValue(to->Value() == large.to ? large.to - large.step : large.to);
    QElapsedTimer clock;
    clock.start();
    window.Recompute();
    held.push_back(double(clock.nsecsElapsed()) / 1e6);
    window.BringTableUpToDate();
    QApplication::processEvents();
  });
  std::printf(
      "range changed, %s: window's thread held at most %.2f ms; table computed and shown %.1f ms "
      "(median)\n",
      "BitBtn16", *std::max_element(held.begin(), held.end()), whole.median);
  return 0;
}
