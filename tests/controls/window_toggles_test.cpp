// The programmable panel-window buttons: each reads its placement's text when clicked, the click
// commands and the installation commands at their edges. The buttons' pictures, help, fixed
// events and click areas are driven end to end by tests/checks/controls.
#include <gtest/gtest.h>

#include <string>

#include "common/parameter_text.h"
#include "module/gauges.h"
#include "tests/support/gauge_access.h"

namespace {

using namespace crv5::testing;

// A left click on the button's area with `parameters` as the gauge's text.
void click(GaugeHeader& gauge, const char* parameters) {
  gauge.parameters = parameters;
  MouseRect* area = gauge.mouse_rects;
  while (area->kind != kMouseChild) ++area;
  ClickRecord record{.point = {8, 8}, .gauge = &gauge, .rect = area};
  EXPECT_FALSE(area->function(&record, kMouseLeftSingle));
  gauge.parameters = nullptr;
}

TEST(WindowButtons, EveryProgrammableButtonReadsItsText) {
  for (const char* name : {"Autopilot_Toggle", "Close_Subpanel", "Compass_Toggle", "Electricity_Toggle",
                           "GPS_Toggle", "IFR_Panel_Toggle", "Invisible_Toggle", "Radios_Toggle",
                           "Starter_Toggle", "Throttle_Toggle", "Landing_View_Toggle", "VFR_Panel_Toggle"}) {
    TestHost host;
    click(*find_gauge(name), "t303");
    EXPECT_EQ(host.events, (std::vector<KeyEvent>{{0x103ca, 303}})) << name;
    EXPECT_TRUE(host.window_toggles.empty()) << name;
  }
}

TEST(WindowButtons, ClickCommands) {
  struct Case { const char* parameters; std::vector<KeyEvent> events; } cases[] = {
      {"tRADIO_STACK_PANEL", {{0x103ca, 50}}},
      {"o50 c75 t10", {{0x103cb, 50}, {0x103cc, 75}, {0x103ca, 10}}},
      {"t10 c75 o50", {{0x103cb, 50}, {0x103cc, 75}, {0x103ca, 10}}},
      {"o50 o75", {{0x103cb, 50}, {0x103cb, 75}}},
      {"t50 #t75", {{0x103ca, 50}}},
      {"/t50", {}},
      {"oFOO", {{0x103cb, 0}}},
      {"o", {}},
      {"o-3", {}},
      {"oANNUNCIATOR2_PANEL cIFR_MAIN_PANEL tGPS_PANEL", {{0x103cb, 150}, {0x103cc, 175}, {0x103ca, 225}}},
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
      {"b155 hTOGGLE_GPS_WINDOW", 120, 0, {}},  // no button's picture: nothing is set, help neither
      {"b90 hTOGGLE_GPS_WINDOW", 120, 0, {}},
      {"b200 hTOGGLE_GPS_WINDOW", 120, 0, {}},
      {"b100", 100, 0, {}},
      {"b190 h43914", 190, 43914, {}},
      {"hTOGGLE_COLLECTIVE_WINDOW", 120, 43915, {}},
      {"h1234", 120, 0, {}},
      {"b150 #hTOGGLE_GPS_WINDOW", 150, 0, {}},
      {"a", 120, 0, {}},
      {"t301 a12", 120, 0, {{0x103cc, 12}}},
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
