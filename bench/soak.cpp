// Soak: the default cockpit with every window shown and the aircraft model on, run for many
// cycles, reporting the process's resident memory as it goes and any token variable or element
// value that stops being a finite number.
//
//   soak [CYCLES]    (default 10000000; 18 cycles are one simulated second)
//
// The aircraft starts in the cruise scenario (engine running, autopilot on) and is flown by the
// host's flight model through a repeating round of throttle, afterburner, gear, flaps, speed
// brake, radio and autopilot events, the tanks refilled when low.
// Exits 0 when memory grew by at most 1 MiB after the first 10000 cycles and every value stayed
// finite, 1 otherwise.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/cockpit.h"
#include "host/sim/variables.h"

namespace {

using namespace gaugehost;

constexpr int64_t kDefaultCycles = 10'000'000;
constexpr int64_t kWarmUpCycles = 10'000;  // caches and kept events settle in this
constexpr double kAllowedGrowthMiB = 1.0;
constexpr int64_t kCheckEvery = 1000;      // cycles between checks of every value
constexpr double kLevelFull = 8388608;

struct KeyAt {
  int64_t cycle;  // within the round
  uint32_t event, value;
};

// One round of ten simulated minutes, repeated.
constexpr int64_t kRound = 18 * 600;
constexpr KeyAt kRoundEvents[] = {
    {100, 0x1011c, 16384},   // throttle full
    {400, 0x1034a, 0},       // afterburner switch on
    {1000, 0x10022, 0},      // gear up
    {1500, 0x100de, 0},      // flaps one step down, twice
    {1700, 0x100de, 0},
    {2000, 0x100fa, 16384},  // speed brake out
    {2600, 0x100fa, 0},      // and in
    {3000, 0x10069, 0},      // NAV1 MHz up
    {3100, 0x10067, 0},      // COM1 channel up
    {3200, 0x10073, 0},      // transponder thousands up
    {3300, 0x1039e, 0},      // ADF 0.1 kHz up
    {3400, 0x1002c, 0},      // autopilot master
    {3500, 0x1023a, 0},      // heading hold on
    {4000, 0x1034a, 0},      // afterburner switch off
    {4500, 0x1011c, 4000},   // throttle back
    {5000, 0x100df, 0},      // flaps up, twice
    {5200, 0x100df, 0},
    {5400, 0x1023b, 0},      // heading hold off
    {5500, 0x1002c, 0},      // autopilot master off
    {6000, 0x10022, 0},      // gear down
    {8000, 0x101fa, 90},     // heading bug
    {9000, 0x1015b, 0},      // barometric setting up
    {9500, 0x1015c, 0},      // and down
};

void refuel_when_low(SimState& sim) {
  for (Token tank : {kLeftTank1Level, kLeftTank2Level, kRightTank1Level, kRightTank2Level})
    if (sim.var(tank) < 0.2 * kLevelFull) sim.set_var(tank, kLevelFull);
}

// Values that are no longer finite numbers: token variables, then element values.
std::vector<std::string> non_finite(const Session& session) {
  std::vector<std::string> found;
  for (const VariableInfo& info : variable_table())
    if (!std::isfinite(session.sim().var(info.id)))
      found.push_back("var " + std::to_string(info.id) + " (" + info.name + ")");
  bench::for_each_element(session, [&](const GaugeInstance& gauge, const EvaluatedElement& e) {
    for (double value : {e.value, e.x, e.y, e.rotation, e.angle})
      if (!std::isfinite(value)) {
        found.push_back(gauge.name + ", element of resource " + std::to_string(e.resource_id) +
                        ": " + std::to_string(value));
        break;
      }
  });
  return found;
}

// 1e7 as well as 10000000; 0 for no number from 1 to 1e12.
int64_t cycles_argument(int argc, char** argv) {
  if (argc < 2) return kDefaultCycles;
  char* end = nullptr;
  const double cycles = std::strtod(argv[1], &end);
  return *end || !(cycles >= 1 && cycles <= 1e12) ? 0 : int64_t(cycles);
}

}  // namespace

int main(int argc, char** argv) {
  const int64_t cycles = cycles_argument(argc, argv);
  if (cycles == 0) {
    std::fprintf(stderr, "usage: soak [CYCLES]  (1 to 1e12, default 1e7)\n");
    return 2;
  }
  bench::Cockpit cockpit(true);
  Session& session = cockpit.session;
  session.apply_scenario("cruise");
  const double start_mib = bench::resident_mib();
  std::printf("soak: %lld cycles of %zu gauges (%d elements), model on; resident %.2f MiB\n",
              static_cast<long long>(cycles), session.gauges().size(), cockpit.element_count(),
              start_mib);
  std::printf("%14s %14s %12s %12s %10s\n", "cycles", "sim hours", "rss MiB", "growth MiB",
              "engine %");

  std::vector<std::string> not_finite;  // at the first check that found any
  double warm_mib = start_mib, highest_after_warm_up = start_mib;
  int64_t next_report = kWarmUpCycles;
  for (int64_t cycle = 1; cycle <= cycles; ++cycle) {
    const int64_t in_round = cycle % kRound;
    for (const KeyAt& key : kRoundEvents)
      if (in_round == key.cycle) session.send_key_event(key.event, key.value);
    if (in_round == 0) refuel_when_low(session.sim());
    session.update(1);

    if (cycle % kCheckEvery == 0 && not_finite.empty()) not_finite = non_finite(session);
    if (cycle == kWarmUpCycles) warm_mib = bench::resident_mib();
    if (cycle == next_report || cycle == cycles) {
      const double mib = bench::resident_mib();
      if (cycle >= kWarmUpCycles) highest_after_warm_up = std::max(highest_after_warm_up, mib);
      std::printf("%14lld %14.2f %12.2f %12.3f %10.1f\n", static_cast<long long>(cycle),
                  double(cycle) / 18.0 / 3600.0, mib, mib - start_mib,
                  session.sim().var(kTurbineSpeed));
      std::fflush(stdout);
      next_report = std::min(next_report * 2, next_report + 1'000'000);
    }
  }

  const double growth = cycles >= kWarmUpCycles ? highest_after_warm_up - warm_mib : 0.0;
  std::printf("growth after the first %lld cycles: %.3f MiB (allowed %.1f); from the start: "
              "%.3f MiB\n",
              static_cast<long long>(kWarmUpCycles), growth, kAllowedGrowthMiB,
              bench::resident_mib() - start_mib);
  if (not_finite.empty()) {
    std::printf("every variable and element value stayed finite\n");
  } else {
    std::printf("values no longer finite:\n");
    for (const std::string& what : not_finite) std::printf("  %s\n", what.c_str());
  }
  return growth <= kAllowedGrowthMiB && not_finite.empty() ? 0 : 1;
}
