// Scenarios: where and in what state the aircraft starts, read from a data file (panels/corvane/
// scenarios.txt). Each begins with `scenario NAME`; the lines under it say
//   position LAT LON        degrees
//   ground FEET             the elevation of the ground (the world is flat at it)
//   altitude FEET|ground    above sea level
//   heading DEGREES         magnetic
//   airspeed KNOTS          indicated
//   pitch DEGREES / bank DEGREES (right wing down positive) / climb FEET_PER_MINUTE
//   var ID VALUE            a token variable (switches, engine, radios, autopilot)
//   click GAUGE X Y         a left click on a gauge of the panel (its bitmap's pixels), made in
//                           order after the settings, skipped when the panel has no such gauge
// Every scenario starts from the one named `ramp` (cold and dark), which must come first.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/sim/nav/geo.h"

namespace gaugehost::flight {

// A pilot's click on a switch of the panel, for the state the variables cannot set (a radio
// head's own power).
struct ScenarioClick {
  std::string gauge;  // as a check file names it: NAME or NAME:N
  int32_t x = 0;      // pixels of the gauge's bitmap
  int32_t y = 0;
};

struct Scenario {
  std::string name;
  std::optional<nav::LatLon> position;
  std::optional<double> ground_ft;
  std::optional<double> altitude_ft;  // empty with on_ground
  bool on_ground = false;
  std::optional<double> heading_mag;
  std::optional<double> airspeed_kt;
  std::optional<double> pitch;
  std::optional<double> bank;
  std::optional<double> climb_fpm;
  std::vector<std::pair<uint32_t, double>> vars;
  std::vector<ScenarioClick> clicks;
};

struct ScenarioBook {
  std::vector<Scenario> scenarios;  // the ramp first
  const Scenario* find(std::string_view name) const;
  std::string names() const;  // "ramp, runway, ..."
};

// Throws HostError "FILE:LINE: problem" for a line that cannot be read.
ScenarioBook read_scenarios(const std::filesystem::path& path);
ScenarioBook parse_scenarios(std::string_view text, const std::string& name);
std::filesystem::path default_scenario_file();

}  // namespace gaugehost::flight
