// How long a quick-reference table of 10,000 rows takes: the rows themselves
// (every click of the range), the texts a view asks for one screen at a time,
// and the CSV text of the whole table. Run the Release build:
//
//   build/quick_table_benchmark
#include <benchmark/benchmark.h>

#include "bench/bench_inputs.h"
#include "calc/MainSheet.h"
#include "face/QuickTable.h"

using namespace tavenko;
using namespace tavenko::face;
using tavenko::bench::kRows;
using tavenko::bench::TenThousandRows;
using tavenko::bench::Typed;

namespace {

void ComputeRows(benchmark::State& state, std::string_view buttonName) {
  const calc::MainCase& button = *calc::FindMainCase(buttonName);
  const QuickRange range = TenThousandRows(button);
  for (auto _ : state) {
    QuickTable table(button, Typed(), range);
    benchmark::DoNotOptimize(table.Results(table.RowCount() - 1));
  }
  state.counters["rows"] = kRows;
}

// One screenful: the texts of 40 rows of every column.
void ScreenOfTexts(benchmark::State& state) {
  const calc::MainCase& button = *calc::FindMainCase("BitBtn16");
  const QuickTable table(button, Typed(), TenThousandRows(button));
  for (auto _ : state) {
    for (std::size_t row = 5000; row < 5040; ++row)
      for (int c = 0; c < table.ColumnCount(); ++c) benchmark::DoNotOptimize(table.Text(row, c));
  }
}

void WholeCsv(benchmark::State& state) {
  const calc::MainCase& button = *calc::FindMainCase("BitBtn1");
  const QuickTable table(button, Typed(), TenThousandRows(button));
  for (auto _ : state) benchmark::DoNotOptimize(table.Csv());
}

}  // namespace

// The slowest family (inheritance, with the fee estimate) and one of each other.
BENCHMARK_CAPTURE(ComputeRows, ordinary_income, "BitBtn1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeRows, officer, "BitBtn28")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeRows, residence_over_ten_years, "BitBtn11")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeRows, small_company, "BitBtn13")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeRows, gift, "BitBtn15")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeRows, inheritance_children, "BitBtn16")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeRows, inheritance_siblings_statutory, "BitBtn21")->Unit(benchmark::kMillisecond);
BENCHMARK(ScreenOfTexts)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeCsv)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
