// One simulator cycle of the default cockpit with every window shown: for each of the 90 gauges,
// service 6 and every element evaluated. With the aircraft model off (the gauges and the host's
// evaluation alone) and on (the systems model's step of 1/18 s as well).
//
//   cycle_bench [benchmark flags]      the timings
//   cycle_bench --cycles N [--model]   just N cycles, for counting instructions:
//     valgrind --tool=callgrind --toggle-collect='gaugehost::Session::update(int)'
//         build/cycle_bench --cycles 1000
#include <benchmark/benchmark.h>

#include "bench/cockpit.h"

namespace {

using gaugehost::bench::Cockpit;

void run_cycles(benchmark::State& state, bool model_on) {
  Cockpit cockpit(model_on);
  for (auto _ : state) cockpit.session.update(1);
  state.counters["gauges"] = double(cockpit.session.gauges().size());
  state.counters["elements"] = cockpit.element_count();
  state.counters["ns_per_element"] = benchmark::Counter(
      double(cockpit.element_count()) * double(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Cycle(benchmark::State& state) { run_cycles(state, false); }
void BM_CycleWithModel(benchmark::State& state) { run_cycles(state, true); }

BENCHMARK(BM_Cycle)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_CycleWithModel)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  return gaugehost::bench::run(argc, argv, "--cycles", [](int cycles, std::string_view more) {
    Cockpit(more == "--model").session.update(cycles);
  });
}
