// The switches and levers at work: each switch's picture and tooltip word follow its own token;
// the flaps lever's picture follows the flaps' movement. The airbrake lever's notches are
// tests/checks/controls/switches.check's.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "controls/control_state.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

// One switch: its token, and what a reading of it shows.
struct Reading {
  double token;
  double image;      // what drives the lever picture
  const char* word;  // the tooltip's %1
};

struct SwitchCase { const char* gauge; uint32_t token; const std::vector<Reading>& readings; };

const std::vector<Reading> kOnOff = {{0, 0, "off"}, {1, 1, "on"}, {-1, -1, "off"}, {kNaN, kNaN, "off"}};
const std::vector<Reading> kNavGps = {{0, 0, "NAV"}, {1, 1, "GPS"}, {kInf, kInf, "GPS"}, {kNaN, kNaN, "NAV"}};

const SwitchCase kSwitchCases[] = {
    {"Avionics_Switch", 740, kOnOff},     {"Battery_Switch", 364, kOnOff},
    {"Beacon_Light_Switch", 368, kOnOff}, {"Generator_Switch", 565, kOnOff},
    {"Landing_Light_Switch", 14, kOnOff}, {"Navigation_Light_Switch", 619, kOnOff},
    {"Panel_Light_Switch", 10, kOnOff},   {"Pitot_Heat_Switch", 13, kOnOff},
    {"Strobe_Light_Switch", 11, kOnOff},  {"Taxi_Light_Switch", 369, kOnOff},
    {"NAV_GPS_Switch", 848, kNavGps},
};

TEST(Switches, PictureAndTooltipWordFollowTheSwitchsOwnToken) {
  for (const SwitchCase& c : kSwitchCases) {
    for (const Reading& r : c.readings) {
      SCOPED_TRACE(std::string(c.gauge) + " at " + std::to_string(r.token));
      TestHost host;
      host.set(c.token, r.token);
      const double image = icon(c.gauge);
      if (std::isnan(r.image)) EXPECT_TRUE(std::isnan(image));
      else EXPECT_EQ(image, r.image);
      EXPECT_EQ(tooltip_word(c.gauge), r.word);
      EXPECT_EQ(host.lookups.back(), c.token) << "the word is read afresh";
    }
  }
}

// --- Flaps_Switch -------------------------------------------------------------------------------

// The lever's picture at each update, from rest, with the flaps at these values.
std::vector<double> flaps_lever_pictures(const std::vector<double>& flaps) {
  crv5::flaps_lever_prev_value = crv5::flaps_lever_up_ticks = crv5::flaps_lever_down_ticks = 0;
  TestHost host;
  std::vector<double> shown;
  for (double v : flaps) {
    host.set(328, v);
    shown.push_back(icon("Flaps_Switch"));
  }
  return shown;
}

TEST(FlapsLever, PictureFollowsTheFlapsMovement) {
  struct Case { const char* label; std::vector<double> flaps, pictures; } cases[] = {
      {"at rest: centred", {0, 0, 0}, {0, 0, 0}},
      {"going down: down for nine updates, then centred", std::vector<double>(11, 0.5), {2, 2, 2, 2, 2, 2, 2, 2, 2, 0, 0}},
      {"coming up while shown down: up at once", {100, 100, 100, 100, 50}, {2, 2, 2, 2, 1}},
      {"still moving: kept pushed", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11}, std::vector<double>(12, 2)},
      {"no number moves nothing, nor is the next number a move", {kNaN, 0, 0, kInf}, {0, 0, 0, 2}},
  };
  for (const Case& c : cases) EXPECT_EQ(flaps_lever_pictures(c.flaps), c.pictures) << c.label;
}

}  // namespace
