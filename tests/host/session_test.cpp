// The host driving the real module: fresh loads, the panel lifecycle, windows and key events,
// and the check runner's results and errors.
#include "host/panel/session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/check/check_runner.h"
#include "module/records.h"

namespace gaugehost {
namespace {

namespace fs = std::filesystem;

const fs::path kModule = fs::path(CRV5_BUILD_DIR) / "CRV5_Instr.gau";

std::unique_ptr<Session> fresh_session() {
  return std::make_unique<Session>(Module::load(kModule));
}

fs::path temp_file(const std::string& name, const std::string& text) {
  const fs::path path = fs::temp_directory_path() / ("gaugehost_test_" + name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

const ElementNeedle& main_pointer(const GaugeInstance& gauge) {
  return *reinterpret_cast<const ElementNeedle*>(gauge.root.children.at(0).children.at(0).record);
}

TEST(Loader, TheGaugeTableAndItsErrors) {
  const auto module = Module::load(kModule);
  ASSERT_EQ(module->gauges().size(), 90u);
  EXPECT_STREQ(module->gauges().front()->name, "Registration");
  EXPECT_STREQ(module->gauges().back()->name, "AP_Tester");
  EXPECT_EQ(module->name(), "CRV5_Instr");
  EXPECT_NE(module->find_gauge("Engine_RPM"), nullptr);
  EXPECT_EQ(module->find_gauge("engine_rpm"), nullptr);

  EXPECT_THROW(Module::load("/nonexistent/CRV5_Instr.gau"), HostError);
  const fs::path garbage = temp_file("garbage.gau", "not a library");
  try {
    Module::load(garbage);
    ADD_FAILURE() << "loaded a text file";
  } catch (const HostError& error) {
    EXPECT_TRUE(
        std::string(error.what()).starts_with(garbage.string() + ": not a loadable module"));
  }
}

TEST(Loader, EveryLoadStartsFromTheModulesLoadValues) {
  // Installing N1 with engine 2 rewrites its records in place; the next load has them afresh.
  for (int load = 0; load < 2; ++load) {
    auto session = fresh_session();
    GaugeInstance& n1 = session->place_gauge("Engine_Corrected_N1", "2");
    session->update();
    EXPECT_EQ(main_pointer(n1).source.id, 645u) << "load " << load;
  }
  auto session = fresh_session();
  GaugeInstance& n1 = session->place_gauge("Engine_Corrected_N1");
  session->update();
  EXPECT_EQ(main_pointer(n1).source.id, 626u);
}

TEST(SessionWindows, KeyEventsAndToggleRequestsOpenAndCloseWindows) {
  auto session = fresh_session();
  session->load_panel(parse_panel_config(
      "[Window00]\nident=MAIN_PANEL\ngauge00=crv5_instr!Engine_RPM, 0, 0, 150\n"
      "[Window01]\nident=75\nvisible=0\ngauge00=CRV5_Instr!Engine_RPM, 0, 0, 300, 200, x\n",
      "panel.cfg"));
  Window& compass = *session->find_window("COMPASS_PANEL");
  EXPECT_EQ(session->find_window("75"), &compass);
  EXPECT_EQ(session->find_window(75), &compass);
  EXPECT_EQ(session->find_window("Window01"), &compass);
  EXPECT_EQ(session->find_window("Window09"), nullptr);

  // The placement's height comes from the bitmap's proportions when it is not given.
  const GaugeInstance& first = *session->gauges()[0];
  EXPECT_EQ(first.placement.width, 150);
  EXPECT_EQ(first.placement.height, 150 * first.bitmap_size.height / first.bitmap_size.width);
  EXPECT_EQ(session->gauges()[1]->name, "Engine_RPM:2");
  EXPECT_EQ(session->gauges()[1]->parameters, "x");

  session->send_key_event(0x103cb, 75);
  EXPECT_TRUE(compass.visible);
  session->send_key_event(0x103cb, 75);
  EXPECT_TRUE(compass.visible);
  session->send_key_event(0x103ca, 75);
  EXPECT_FALSE(compass.visible);
  session->toggle_panel_window(75);
  EXPECT_TRUE(compass.visible);
  session->send_key_event(0x103cc, 75);
  EXPECT_FALSE(compass.visible);
  session->send_key_event(0x103cc, 9999);  // no such window: recorded only
  session->send_key_event(0x10001, 75);    // not a window event
  EXPECT_FALSE(compass.visible);
  const std::vector<KeyEvent> expected = {{0x103cb, 75}, {0x103cb, 75}, {0x103ca, 75},
                                          {75, 0, true}, {0x103cc, 75}, {0x103cc, 9999},
                                          {0x10001, 75}};
  EXPECT_EQ(session->sim().take_events(), expected);
  EXPECT_TRUE(session->sim().take_events().empty());

  // Only gauges of visible windows are updated.
  session->update();
  EXPECT_TRUE(session->gauges()[0]->updated);
  EXPECT_FALSE(session->gauges()[1]->updated);
}

TEST(SessionWindows, APanelWithAnUnknownGaugeOrModuleInstallsNothing) {
  auto session = fresh_session();
  const char* bad[] = {
      "[Window00]\ngauge00=CRV5_Instr!Engine_RPM,0,0,10\ngauge01=CRV5_Instr!Engine_Rpm,0,0,10\n",
      "[Window00]\ngauge00=Other!Engine_RPM,0,0,10\n"};
  for (const char* text : bad) {
    try {
      session->load_panel(parse_panel_config(text, "p.cfg"));
      ADD_FAILURE() << text;
    } catch (const HostError& error) {
      EXPECT_NE(std::string(error.what()).find("p.cfg:"), std::string::npos);
      EXPECT_NE(std::string(error.what()).find("unknown"), std::string::npos);
    }
  }
  EXPECT_TRUE(session->gauges().empty());
  EXPECT_TRUE(session->windows().empty());
}

TEST(SessionSim, IntegerVariablesAndCalculatorResults) {
  SimState sim;
  sim.set_var(16, 0x11895);
  ModuleVar record{.id = 16};
  sim.fill(record);
  EXPECT_EQ(record.value.u32, 0x11895u);
  EXPECT_EQ(record.value.raw >> 32, 0u);
  sim.set_var(625, 97.5);
  record = {.id = 625};
  sim.fill(record);
  EXPECT_EQ(record.value.f, 97.5);

  double number = 5;
  const char* text = nullptr;
  sim.calculate("(A:ATC ID,string)", &number, &text);
  EXPECT_EQ(number, 0);
  EXPECT_STREQ(text, "");
  sim.set_calc_text("(A:ATC ID,string)", "F-ZCRV");
  sim.calculate("(A:ATC ID,string)", nullptr, &text);
  sim.set_calc_text("(A:ATC ID,string)", "F-ZXXX");  // an earlier text stays readable
  EXPECT_STREQ(text, "F-ZCRV");
}

// --- The check runner ---

struct RunResult {
  CheckTotals totals;
  std::string output;
};

RunResult run_checks(const std::string& name, const std::string& text) {
  std::ostringstream out;
  const CheckTotals totals = run_check_files({temp_file(name, text)}, kModule, out);
  return {totals, out.str()};
}

TEST(CheckRunner, CountsChecksAndPrintsFailuresWithFileAndLine) {
  const auto [totals, output] = run_checks("counts.check",
                                           "# a comment\n"
                                           "gauge Engine_RPM\n"
                                           "  set var 625 27.36128\n"
                                           "update 2\n"
                                           "expect element Engine_RPM#2 angle 90\n"
                                           "expect element Engine_RPM#2 angle 91 ~0.5\n"
                                           "expect var 625 0x1b ~1\n"
                                           "expect events 0x10001\n");
  EXPECT_EQ(totals.passed, 2);
  EXPECT_EQ(totals.failed, 2);
  EXPECT_EQ(totals.exit_status(), 1);
  const std::string file = (fs::temp_directory_path() / "gaugehost_test_counts.check").string();
  EXPECT_EQ(output, file + ":6: expected angle 91, got 90\n" + file +
                        ":8: expected events 0x10001, got none\n2 passed, 2 failed\n");
}

TEST(CheckRunner, BadLinesStopTheFileWithExitStatusTwo) {
  const std::pair<const char*, const char*> cases[] = {
      {"frobnicate\n", ":1: unknown command \"frobnicate\""},
      {"set colour 1\n", ":1: unknown command \"set colour\", expected set followed by one of:"},
      {"set var 625\n", ":1: expected: set var ID VALUE"},
      {"set var 625 fast\n", ":1: bad value \"fast\""},
      {"set var 16 1.5\n", ":1: bad value of integer variable 16 \"1.5\""},
      {"gauge Engine_RPM\nupdate -1\n", ":2: bad count \"-1\""},
      {"gauge Engine_RPMS\n", ":1: unknown gauge \"Engine_RPMS\""},
      {"click Engine_RPM 1 2\n", ":1: no gauge \"Engine_RPM\" is placed"},
      {"gauge Engine_RPM\nupdate\nexpect element Engine_RPM#9 value 0\n",
       ":3: Engine_RPM has 4 elements"},
      {"gauge Engine_RPM\nupdate\nexpect element Engine_RPM#0 angle 0\n",
       ":3: Engine_RPM#0 is a static image"},
      {"expect tooltip \"x 1 2 none\n", ":1: a quoted token has no closing"},
      {"module nowhere.gau\n", ":1: "},
      {"gauge Engine_RPM\nmodule other.gau\n", ":2: module must come before"},
      {"panel nowhere.cfg\n", ":1: "},
      {"set window MAIN_PANEL on\n", ":1: no window \"MAIN_PANEL\""},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    const auto [totals, output] = run_checks("bad.check", text);
    EXPECT_EQ(totals.exit_status(), 2);
    EXPECT_NE(output.find("bad.check" + std::string(message)), std::string::npos) << output;
    EXPECT_TRUE(output.ends_with("0 passed, 0 failed\n")) << output;
  }
}

TEST(CheckRunner, TokensAndNumbers) {
  const CheckLine line =
      split_check_line("  set calc \"(A:ATC ID,string)\" \"say \\\"hi\\\" \\\\\" ");
  ASSERT_EQ(line.tokens.size(), 4u);
  EXPECT_EQ(line.tokens[2], "(A:ATC ID,string)");
  EXPECT_EQ(line.tokens[3], "say \"hi\" \\");
  EXPECT_EQ(line.quoted, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(parse_check_number("0x103cb", "id"), 0x103cb);
  EXPECT_EQ(parse_check_number("-2.5e1", "v"), -25);
  EXPECT_EQ(parse_check_number(".5", "v"), 0.5);
  for (const char* bad : {"", "0x", "1,5", "nan", "inf", "12abc", "--1", "0xg"})
    EXPECT_THROW(parse_check_number(bad, "v"), HostError) << bad;
}

// --- Clicks, on records of the test's own ---

struct Call {
  const MouseRect* rect;
  PixPoint point;
  uint32_t flags;
};
std::vector<Call> calls;

bool record_call(ClickRecord* click, uint32_t flags) {
  calls.push_back({click->rect, click->point, flags});
  return false;
}

MouseRect click_rects[] = {
    crv5::mouse_parent(),
    crv5::mouse_child({0, 0, 50, 50}, kCursorUpArrow, 0x20200000, record_call),  // knob
    crv5::mouse_key_child({50, 0, 50, 50}, kCursorHand, 0x20000000, 0x10022),    // lever
    crv5::mouse_child({0, 50, 100, 50}, kCursorHand, 0x20800000, record_call),   // throttle
    crv5::mouse_child({100, 0, 20, 20}, kCursorHand, 0x20000000, nullptr),       // nothing
    crv5::mouse_parent_end(),
    crv5::mouse_end(),
};
GaugeHeader click_header = crv5::gauge_header("Clicks", 30, nullptr, click_rects);

TEST(SessionMouse, ClicksRepeatsAndDragsReachTheRightArea) {
  auto session = fresh_session();
  GaugeInstance gauge{.header = &click_header, .name = "Clicks", .bitmap_size = {120, 100}};
  calls.clear();

  EXPECT_EQ(session->click(gauge, {10, 10}, MouseButton::left, 3), &click_rects[1]);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].flags, 0x20000000u);
  EXPECT_EQ(calls[3].flags, 0x20200000u);
  EXPECT_EQ(calls[0].point.x, 10);
  EXPECT_EQ(calls[0].rect, &click_rects[1]);
  EXPECT_EQ(session->drag(gauge, {20, 20}), nullptr);  // the knob takes no drags
  EXPECT_EQ(session->click(gauge, {10, 10}, MouseButton::right), nullptr);
  EXPECT_EQ(calls.size(), 4u);

  // A lever area: the host sends its key event itself, once, whatever the repeats.
  EXPECT_EQ(session->click(gauge, {60, 10}, MouseButton::left, 5), &click_rects[2]);
  EXPECT_EQ(session->sim().take_events(), (std::vector<KeyEvent>{{0x10022, 0}}));

  // A drag goes to the area of the last click, wherever the pointer is now.
  calls.clear();
  session->click(gauge, {5, 60}, MouseButton::left);
  EXPECT_EQ(session->drag(gauge, {90, 5}), &click_rects[3]);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].flags, 0x20800000u);
  EXPECT_EQ(calls[1].point.x, 90);
  EXPECT_EQ(calls[1].rect, &click_rects[3]);

  // An area with neither a key event nor a function does nothing; off the bitmap nothing is hit.
  calls.clear();
  EXPECT_EQ(session->click(gauge, {105, 5}, MouseButton::left), &click_rects[4]);
  EXPECT_EQ(session->click(gauge, {5, 100}, MouseButton::left), nullptr);
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(session->sim().take_events().empty());
}

}  // namespace
}  // namespace gaugehost
