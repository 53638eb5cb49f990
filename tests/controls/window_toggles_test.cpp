// The panel-window buttons: each member as a row of the buttons' table (picture, help id or
// tooltip, the host's key event or the parameter-text click), the click commands and the
// installation commands of the programmable buttons.
#include <gtest/gtest.h>

#include <string>

#include "common/parameter_text.h"
#include "module/gauges.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

struct Button {
  const char* gauge;
  int32_t bitmap;
  int32_t help_id;      // of the outer parent
  const char* tooltip;  // or null
  uint32_t event;       // the host's key event; 0 for a programmable button
};

const Button kButtons[] = {
    {"ATC_Toggle", 90, 43924, nullptr, 0x1001c},
    {"Kneeboard_Toggle", 70, 43923, nullptr, 0x10154},
    {"Map_Toggle", 80, 43919, nullptr, 0x10380},
    {"Autopilot_Toggle", 210, 0, "Display/Hide the Autopilot subpanel", 0},
    {"Close_Subpanel", 110, 0, "Close the subpanel", 0},
    {"Compass_Toggle", 100, 43913, nullptr, 0},
    {"Electricity_Toggle", 190, 0, "Display/Hide the Electrical subpanel", 0},
    {"GPS_Toggle", 120, 43911, nullptr, 0},
    {"IFR_Panel_Toggle", 130, 0, "Display/Hide the main IFR panel", 0},
    {"Invisible_Toggle", 180, 0, nullptr, 0},
    {"Radios_Toggle", 160, 43910, nullptr, 0},
    {"Starter_Toggle", 200, 0, "Display/Hide the Starter subpanel", 0},
    {"Throttle_Toggle", 170, 43912, nullptr, 0},
    {"Landing_View_Toggle", 150, 0, "Hide/Display the Landing panel", 0},
    {"VFR_Panel_Toggle", 140, 0, "Display/Hide the main VFR panel", 0},
};

// A left click on the button's area with `parameters` as the gauge's text.
void click(GaugeHeader& gauge, const char* parameters) {
  gauge.parameters = parameters;
  MouseRect* area = gauge.mouse_rects;
  while (area->kind != kMouseChild) ++area;
  ClickRecord record{.point = {8, 8}, .gauge = &gauge, .rect = area};
  EXPECT_FALSE(area->function(&record, kMouseLeftSingle));
  gauge.parameters = nullptr;
}

TEST(WindowButtons, EveryMemberIsItsRow) {
  for (const Button& b : kButtons) {
    SCOPED_TRACE(b.gauge);
    GaugeHeader& gauge = *find_gauge(b.gauge);
    EXPECT_EQ(gauge.callback != nullptr, b.event == 0) << "programmable buttons install";
    if (b.event != 0) continue;
    TestHost host;
    click(gauge, nullptr);
    EXPECT_EQ(host.window_toggles, std::vector<uint32_t>{0}) << "no text: the main panel";
    click(gauge, "t303");
    EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x103ca, 303}}));
    EXPECT_EQ(host.window_toggles.size(), 1u);
  }
}

TEST(WindowButtons, ClickCommands) {
  struct Case { const char* parameters; std::vector<KeyEvent> events; } cases[] = {
      {"tRADIO_STACK_PANEL", {{0x103ca, 50}}},
      {"o50 c75 t10", {{0x103cb, 50}, {0x103cc, 75}, {0x103ca, 10}}},
      {"t10 c75 o50", {{0x103cb, 50}, {0x103cc, 75}, {0x103ca, 10}}},
      {"o50 o75", {{0x103cb, 50}, {0x103cb, 75}}},
      {"t50 // t75", {{0x103ca, 50}}},
      {"t50 #t75", {{0x103ca, 50}}},
      {"t50 't75", {{0x103ca, 50}}},
      {"/t50", {}},
      {"oFOO", {{0x103cb, 0}}},
      {"o", {}},
      {"o-3", {}},
      {"oANNUNCIATOR2_PANEL cIFR_MAIN_PANEL tGPS_PANEL", {{0x103cb, 150}, {0x103cc, 175}, {0x103ca, 225}}},
      {"oMAIN_PANEL oCOMPASS_PANEL oANNUNCIATOR_PANEL oCOLLECTIVE_PANEL oTHROTTLE_PANEL oMINI_CONTROLS_PANEL oOVERHEAD_PANEL",
       {{0x103cb, 0}, {0x103cb, 75}, {0x103cb, 125}, {0x103cb, 200}, {0x103cb, 10}, {0x103cb, 100}, {0x103cb, 250}}},
      {"p-3", {{0x100c7, 0}, {0x100c7, 0}, {0x100c7, 0}}},
      {"p2 p5", {{0x100c6, 0}, {0x100c6, 0}}},
      {"p0", {{0x10153, 0}}},
      {"p", {{0x10153, 0}}},
      {"t10 p1", {{0x103ca, 10}, {0x100c6, 0}}},
  };
  for (const Case& c : cases) {
    TestHost host;
    click(*find_gauge("Starter_Toggle"), c.parameters);
    EXPECT_EQ(host.events, c.events) << c.parameters;
    EXPECT_TRUE(host.window_toggles.empty()) << c.parameters;
  }
}

TEST(WindowButtons, AClickWithoutAGaugeCountsAsNoText) {
  TestHost host;
  GaugeHeader& gauge = *find_gauge("GPS_Toggle");
  MouseRect* area = gauge.mouse_rects + 1;
  ClickRecord record{.point = {8, 8}, .gauge = nullptr, .rect = area};
  area->function(&record, kMouseLeftSingle);
  area->function(nullptr, kMouseLeftSingle);
  EXPECT_EQ(host.window_toggles, (std::vector<uint32_t>{0, 0}));
}

TEST(WindowButtons, InstallationSetsPictureAndHelpAndClosesOnce) {
  struct Case {
    const char* parameters;
    int32_t bitmap, help_id;
    std::vector<KeyEvent> first_install;
  } cases[] = {
      {"b150 hTOGGLE_GPS_WINDOW", 150, 43911, {}},
      {"b155 hTOGGLE_GPS_WINDOW", 120, 0, {}},
      {"b90 hTOGGLE_GPS_WINDOW", 120, 0, {}},
      {"b200 hTOGGLE_GPS_WINDOW", 120, 0, {}},
      {"b100", 100, 0, {}},
      {"b190 h43914", 190, 43914, {}},
      {"hTOGGLE_FUEL_WINDOW", 120, 43914, {}},
      {"hTOGGLE_COLLECTIVE_WINDOW", 120, 43915, {}},
      {"h1234", 120, 0, {}},
      {"h", 120, 0, {}},
      {"b150 #hTOGGLE_GPS_WINDOW", 150, 0, {}},
      {"aGPS_PANEL", 120, 0, {{0x103cc, 225}}},
      {"a", 120, 0, {}},
      {"t301 a12", 120, 0, {{0x103cc, 12}}},
      {"", 120, 0, {}},
  };
  for (const Case& c : cases) {
    GaugeHeader& gauge = *find_gauge("GPS_Toggle");
    gauge.elements[0]->resource_id = 120;
    gauge.mouse_rects[0].help_id = 0;
    gauge.user_data = 0;
    gauge.parameters = c.parameters;
    TestHost host;
    TestHost::service(gauge, kServicePreInstall);
    EXPECT_EQ(gauge.elements[0]->resource_id, c.bitmap) << c.parameters;
    EXPECT_EQ(gauge.mouse_rects[0].help_id, c.help_id) << c.parameters;
    EXPECT_EQ(host.events, c.first_install) << c.parameters;
    EXPECT_EQ(gauge.user_data, 1u) << c.parameters;
    host.clear_log();
    TestHost::service(gauge, kServicePreInstall);
    TestHost::service(gauge, kServicePreUpdate);
    EXPECT_TRUE(host.events.empty()) << c.parameters << ": later installations close nothing";
    gauge.parameters = nullptr;
  }
}

TEST(WindowButtons, PanelAndWindowNames) {
  using crv5::parameter_text::read_help_id;
  const auto read_panel_id = [](const char* value) { return crv5::parameter_text::read_panel(value).id; };
  EXPECT_EQ(read_panel_id(""), -1);
  EXPECT_EQ(read_panel_id("  42x"), 42);
  EXPECT_EQ(read_panel_id("RADIO_STACK_PANELS"), 50) << "matched at the start";
  EXPECT_EQ(read_panel_id("radio_stack_panel"), 0) << "names are upper case";
  EXPECT_EQ(read_help_id(""), 0);
  EXPECT_EQ(read_help_id("40959"), 0);
  EXPECT_EQ(read_help_id("40960"), 40960);
  EXPECT_EQ(read_help_id("TOGGLE_RADIO_WINDOW"), 43910);
  EXPECT_EQ(read_help_id("TOGGLE_THROTTLE_WINDOW"), 43912);
  EXPECT_EQ(read_help_id("TOGGLE_COMPASS_WINDOW"), 43913);
}

}  // namespace
