// Each switch's picture and tooltip word follow its own token. The flaps lever's picture and the
// airbrake lever's notches are tests/checks/controls/switches.check's.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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

}  // namespace
