// The warning lamps' rules: each lamp's state at its thresholds (strict or not, as the lamp
// says), with the values it reads and the power it needs, and what a reading that is no number
// shows. -1 is dark; 0 and up are the lit images.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "controls/control_state.h"
#include "mechanics/radio_state.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

struct LampCase {
  const char* gauge;
  std::vector<std::pair<uint32_t, double>> tokens;
  int32_t nav1_power;
  double state;
};

const LampCase kLampCases[] = {
    // Token less one.
    {"Afterburner_Light", {{632, 0}}, 0, -1},
    {"Afterburner_Light", {{632, 1}}, 0, 0},
    {"Fire_Light", {{887, 1}}, 0, 0},
    {"Fire_Light", {{887, 0}}, 0, -1},
    // Hydraulics: strictly below 13 bar (27142.829999999998) and 130 bar (271428.3).
    {"Hydr_Press_Light_Main", {{732, 27142.82}}, 0, 0},
    {"Hydr_Press_Light_Main", {{732, 27142.829999999998}}, 0, -1},
    {"Hydr_Press_Light_Main", {{732, kNaN}}, 0, -1},
    {"Hydr_Press_Light_Aux", {{734, 271428.29}}, 0, 0},
    {"Hydr_Press_Light_Aux", {{734, 271428.3}}, 0, -1},
    // Voltages: one strictly above 20, the other strictly below 10.
    {"Battery_Light", {{761, 24}, {759, 0}}, 0, 0},
    {"Battery_Light", {{761, 20}, {759, 0}}, 0, -1},
    {"Battery_Light", {{761, 24}, {759, 10}}, 0, -1},
    {"Battery_Light", {{761, 24}, {759, 9.99}}, 0, 0},
    {"Battery_Light", {{761, 0}, {759, 24}}, 0, -1},
    {"Generator_Light", {{761, 0}, {759, 24}, {565, 0}}, 0, 0},
    {"Generator_Light", {{761, 10}, {759, 24}}, 0, -1},
    {"Generator_Light", {{761, 0}, {759, 20}}, 0, -1},
    {"Generator_Light", {{761, 24}, {759, 24}}, 0, -1},
    // Pitot heat: switch exactly 0 and token 341 strictly below 10.
    {"Pitot_Heat_Light", {{13, 0}, {341, 9.99}}, 0, 0},
    {"Pitot_Heat_Light", {{13, 0}, {341, 10}}, 0, -1},
    {"Pitot_Heat_Light", {{13, 0.01}, {341, -20}}, 0, -1},
    {"Pitot_Heat_Light", {{13, kNaN}, {341, -20}}, 0, -1},
    // Airbrake: strictly above 16000.
    {"Speed_Brake_Light", {{326, 16000}}, 0, -1},
    {"Speed_Brake_Light", {{326, 16001}}, 0, 0},
    // Flaps: from 5300, 10000 and 16000 on.
    {"Flaps_Light", {{329, 5299}}, 0, -1},
    {"Flaps_Light", {{329, 5300}}, 0, 0},
    {"Flaps_Light", {{329, 9999.99}}, 0, 0},
    {"Flaps_Light", {{329, 10000}}, 0, 1},
    {"Flaps_Light", {{329, 16000}}, 0, 2},
    {"Flaps_Light", {{329, kNaN}}, 0, -1},
    {"Flaps_Light", {{329, kInf}}, 0, 2},
    // Marker beacon: the beacon's image while NAV1 is on, none lit while it is off.
    {"OMI_Light", {{354, 3}}, 0, 0},
    {"OMI_Light", {{354, 3}}, 1, 3},
    {"OMI_Light", {{354, 0}}, 1, 0},
    {"OMI_Light", {{354, kNaN}}, 1, 0},
};

TEST(WarningLights, EachRuleAtItsThresholdsWithItsPower) {
  const int32_t nav1_power = crv5::nav1_power;
  for (const LampCase& c : kLampCases) {
    std::string trace = c.gauge;
    for (const auto& [id, value] : c.tokens) trace += " " + std::to_string(id) + "=" + std::to_string(value);
    SCOPED_TRACE(trace + " nav1_power=" + std::to_string(c.nav1_power));
    TestHost host;
    for (const auto& [id, value] : c.tokens) host.set(id, value);
    crv5::nav1_power = c.nav1_power;
    EXPECT_EQ(icon(c.gauge), c.state);
  }
  crv5::nav1_power = nav1_power;
}

// The flaps lamp's tooltip names the state of its last update, not the flaps now.
TEST(WarningLights, FlapsTooltipWordIsTheLampsLastState) {
  struct Word { double flaps; int32_t state; const char* text; };
  const Word kWords[] = {{5299, -1, "full up"}, {5300, 0, "take off"}, {16000, 2, "landing"}};
  for (const auto& [flaps, state, text] : kWords) {
    TestHost host;
    host.set(329, flaps);
    icon("Flaps_Light");
    host.set(329, 0);
    EXPECT_EQ(tooltip_word("Flaps_Light"), text) << flaps;
    EXPECT_EQ(crv5::flaps_light_state, state) << flaps;
  }
  crv5::flaps_light_state = 5;
  EXPECT_EQ(tooltip_word("Flaps_Light"), "full up");
  crv5::flaps_light_state = 0;
}

}  // namespace
