// Redrawing the default cockpit, every window shown: every placed gauge and the windows drawn
// anew, against a redraw in which only the three turbine dials' needles moved (only their places
// on the panel are painted again, the other gauges are left as they are).
//
//   render_bench [benchmark flags]   the timings
//   render_bench --frames N          just N full redraws at 1x, lighting alternating, for counting
//     instructions: valgrind --tool=callgrind --toggle-collect='*full_redraws*'
//         build/render_bench --frames 20
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>
#include <string_view>

#include "bench/cockpit.h"
#include "host/render/panel_renderer.h"
#include "host/render/session_render.h"
#include "host/sim/variables.h"

namespace {

using namespace gaugehost;
using namespace gaugehost::render;

// The default cockpit with every window shown, as the renderer sees it, with its renderer.
struct Cockpit : bench::Cockpit {
  Cockpit() { windows = visible_window_views(session); }
  // What a running host does each frame: brings each visible window's kept picture up to date.
  // Returns the number of gauges drawn anew.
  int draw(double scale, const RenderOptions& options = {}) {
    int redrawn = 0;
    for (const WindowView& window : windows) {
      cairo_surface_t* surface = renderer.update_window(&window, window, scale, options);
      benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
      redrawn += renderer.last_counts().redrawn;
    }
    return redrawn;
  }
  std::vector<WindowView> windows;
  ImageStore images = ImageStore::for_module(session.module_handle());
  PanelRenderer renderer{images};
};

enum class Frame {
  full,         // every gauge and window anew, as when the panel lights are switched on or off:
                // the lighting alternates (the bitmaps of both are ready beforehand)
  first,        // the same with every kept surface dropped first: a window's first drawing
  few_needles,  // only the turbine dials' needles moved
  nothing,      // nothing moved
};

void BM_Redraw(benchmark::State& state, Frame frame) {
  Cockpit cockpit;
  const double scale = state.range(0) / 100.0;
  bool night = frame == Frame::full;
  // Bitmaps decoded once, as in a running host.
  int redrawn = cockpit.draw(scale, {.night = night});
  double percent = 40;
  for (auto _ : state) {
    if (frame == Frame::full) night = !night;
    if (frame == Frame::first) cockpit.renderer.forget();
    if (frame == Frame::few_needles) {
      state.PauseTiming();
      percent = percent >= 100 ? 40 : percent + 0.7;
      cockpit.session.sim().set_var(kTurbineSpeed, percent);
      cockpit.session.sim().set_var(kCorrectedN1, percent + 3);
      cockpit.session.sim().set_var(kCorrectedN2, percent + 5);
      cockpit.session.update(1);
      state.ResumeTiming();
    }
    redrawn = cockpit.draw(scale, {.night = night});
  }
  // The gauges placed, those redrawn in the last frame and the process's peak resident memory.
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["gauges"] = double(cockpit.session.gauges().size());
  state.counters["redrawn"] = redrawn;
  state.counters["peak_rss_MiB"] = usage.ru_maxrss / 1024.0;
}

// Scales in percent: the panel at 1x and 2x.
void at_both_scales(benchmark::internal::Benchmark* b) {
  b->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
}
BENCHMARK_CAPTURE(BM_Redraw, FullRedraw, Frame::full)->Apply(at_both_scales);
BENCHMARK_CAPTURE(BM_Redraw, FirstDraw, Frame::first)->Apply(at_both_scales);
BENCHMARK_CAPTURE(BM_Redraw, FewNeedlesMoved, Frame::few_needles)->Apply(at_both_scales);
BENCHMARK_CAPTURE(BM_Redraw, NothingMoved, Frame::nothing)->Apply(at_both_scales);

// N full redraws at 1x, as BM_Redraw/FullRedraw makes them.
[[gnu::noinline]] void full_redraws(Cockpit& cockpit, int frames) {
  for (int i = 0; i < frames; ++i) cockpit.draw(1, {.night = i % 2 == 0});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string_view(argv[1]) == "--frames") {
    Cockpit cockpit;
    cockpit.draw(1, {.night = true});  // every bitmap decoded, in both lightings
    cockpit.draw(1, {.night = false});
    full_redraws(cockpit, std::atoi(argv[2]));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
