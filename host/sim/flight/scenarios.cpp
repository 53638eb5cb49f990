#include "host/sim/flight/scenarios.h"

#include <cmath>

#include "host/base/host_error.h"
#include "host/base/input_file.h"
#include "host/sim/data_file.h"
#include "host/sim/sim_state.h"
#include "host/sim/variables.h"

namespace gaugehost::flight {

namespace {

constexpr double kHighestFeet = 100000;

void read_var(const DataLine& line, Scenario& s) {
  line.expect_fields(3, 3, "var ID VALUE");
  const double id = line.number_field(1, "variable id", 0, 4294967295.0);
  if (id != std::floor(id)) line.fail("bad variable id " + line.fields[1] + ", expected a whole number");
  if (!find_variable(uint32_t(id))) line.fail(unknown_variable(uint32_t(id)));
  const bool integer = SimState::is_integer_var(uint32_t(id));
  const double value = integer ? line.number_field(2, "value", 0, 4294967295.0)
                               : line.number_field(2, "value", -1e9, 1e9);
  if (integer && value != std::floor(value))
    line.fail("bad value " + line.fields[2] + " of integer variable, expected a whole number");
  s.vars.emplace_back(uint32_t(id), value);
}

void read_click(const DataLine& line, Scenario& s) {
  line.expect_fields(4, 4, "click GAUGE X Y");
  auto pixel = [&](size_t index, std::string_view what) {
    const double value = line.number_field(index, what, 0, 100000);
    if (value != std::floor(value))
      line.fail("bad " + std::string(what) + " " + line.fields[index] + ", expected whole pixels");
    return int32_t(value);
  };
  s.clicks.push_back(ScenarioClick{line.fields[1], pixel(2, "X"), pixel(3, "Y")});
}

// One line under a `scenario` head.
void read_setting(const DataLine& line, Scenario& s) {
  const std::string& key = line.fields[0];
  auto one = [&](const char* what, double min, double max) {
    line.expect_fields(2, 2, key + " " + what);
    return line.number_field(1, what, min, max);
  };
  if (key == "position") {
    line.expect_fields(3, 3, "position LAT LON");
    s.position = nav::LatLon{line.number_field(1, "latitude", -89.9, 89.9),
                             line.number_field(2, "longitude", -180, 180)};
  } else if (key == "ground") {
    s.ground_ft = one("FEET", -1000, 29000);
  } else if (key == "altitude") {
    line.expect_fields(2, 2, "altitude FEET|ground");
    s.on_ground = line.fields[1] == "ground";
    if (s.on_ground) s.altitude_ft.reset();
    else s.altitude_ft = line.number_field(1, "altitude", -1000, kHighestFeet);
  } else if (key == "heading") {
    s.heading_mag = one("DEGREES", 0, 360);
  } else if (key == "airspeed") {
    s.airspeed_kt = one("KNOTS", 0, 900);
  } else if (key == "pitch") {
    s.pitch = one("DEGREES", -60, 60);
  } else if (key == "bank") {
    s.bank = one("DEGREES", -80, 80);
  } else if (key == "climb") {
    s.climb_fpm = one("FEET_PER_MINUTE", -20000, 20000);
  } else if (key == "var") {
    read_var(line, s);
  } else if (key == "click") {
    read_click(line, s);
  } else {
    line.fail("unknown setting " + quote_input(key) +
              ", expected position, ground, altitude, heading, airspeed, pitch, bank, climb, "
              "var or click");
  }
}

}  // namespace

const Scenario* ScenarioBook::find(std::string_view name) const {
  for (const Scenario& s : scenarios)
    if (s.name == name) return &s;
  return nullptr;
}

std::string ScenarioBook::names() const {
  std::string out;
  for (const Scenario& s : scenarios) out += (out.empty() ? "" : ", ") + s.name;
  return out;
}

ScenarioBook parse_scenarios(std::string_view text, const std::string& name) {
  ScenarioBook book;
  for (const DataLine& line : split_data_text(text, name)) {
    if (line.fields[0] == "scenario") {
      line.expect_fields(2, 2, "scenario NAME");
      if (book.find(line.fields[1])) line.fail("scenario " + line.fields[1] + " given twice");
      if (book.scenarios.empty() && line.fields[1] != "ramp")
        line.fail("the first scenario must be ramp, which every other starts from");
      book.scenarios.push_back(Scenario{.name = line.fields[1]});
      continue;
    }
    if (book.scenarios.empty()) line.fail("expected: scenario NAME before its settings");
    read_setting(line, book.scenarios.back());
  }
  if (book.scenarios.empty()) throw HostError(name + ": no scenarios");
  const Scenario& ramp = book.scenarios.front();
  if (!ramp.position || !ramp.ground_ft || !ramp.heading_mag)
    throw HostError(name + ": the ramp scenario needs a position, a ground and a heading");
  return book;
}

ScenarioBook read_scenarios(const std::filesystem::path& path) {
  return parse_scenarios(read_input_file(path, "scenario file"), path.string());
}

std::filesystem::path default_scenario_file() {
  return std::filesystem::path(CRV5_SOURCE_DIR) / "panels" / "corvane" / "scenarios.txt";
}

}  // namespace gaugehost::flight
