// The host driving the real module: fresh loads, the size of a background bitmap read from its
// resource, panel windows, the simulator's variables, and the check runner's results and errors.
// (Window key events: tests/checks/host; clicks: the click_areas check files.)
#include "host/panel/session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>

#include "host/check/check_runner.h"
#include "module/records.h"
#include "tests/host/host_support.h"

namespace gaugehost {
namespace {

using namespace tests;

TEST(Loader, EveryLoadStartsFromTheModulesLoadValues) {
  // Installing N1 for engine 2 rewrites its records in place; the next load has them afresh.
  for (const char* parameters : {"2", ""}) {
    Session session(Module::load(kModule));
    GaugeInstance& n1 = session.place_gauge("Engine_Corrected_N1", parameters);
    session.update();
    const auto* main_pointer =
        reinterpret_cast<const ElementNeedle*>(n1.root.children.at(0).children.at(0).record);
    EXPECT_EQ(main_pointer->source.id, *parameters ? 645u : 626u) << "parameters " << parameters;
  }
}

// A background's size from its BITMAP resource: PNG bytes on Linux, a device-independent bitmap
// (the BITMAP resources of the Windows module) under Wine.
std::vector<unsigned char> dib(int32_t width, int32_t height, uint32_t header_size = 40) {
  std::vector<unsigned char> bytes(136, 0);  // room for the largest info header (124 bytes)
  auto put = [&](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
  };
  put(0, header_size);
  put(4, uint32_t(width));
  put(8, uint32_t(height));
  return bytes;
}

std::vector<unsigned char> png(uint32_t width, uint32_t height) {
  std::vector<unsigned char> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                      0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (uint32_t value : {width, height})
    for (int i = 3; i >= 0; --i) bytes.push_back(uint8_t(value >> (8 * i)));
  return bytes;
}

TEST(ImageSize, ReadsPngsAndWindowsBitmaps) {
  using Size = std::optional<std::pair<int, int>>;
  const std::tuple<const char*, std::vector<unsigned char>, Size> cases[] = {
      {"PNG", png(300, 200), std::pair(300, 200)},
      {"bitmap stored from the bottom up", dib(150, 25), std::pair(150, 25)},
      {"bitmap stored from the top down", dib(64, -48), std::pair(64, 48)},
      {"bitmap with a larger info header", dib(19, 19, 124), std::pair(19, 19)},
      {"info header longer than the bytes", dib(19, 19, 4000), std::nullopt},
      {"core header of 12 bytes", dib(19, 19, 12), std::nullopt},
      {"too short for either", std::vector<unsigned char>(20, 0x28), std::nullopt},
      {"nothing", {}, std::nullopt},
  };
  for (const auto& [what, bytes, expected] : cases) {
    const std::optional<PixSize> size = image_size(bytes);
    EXPECT_EQ(size ? Size(std::pair(int(size->width), int(size->height))) : std::nullopt, expected)
        << what;
  }
}

// What the module cannot place is a placeholder; gauges without a size take their own; windows
// lie on the screen as window_size, window_pos and position say, or at the main window's scale.
TEST(SessionWindows, PlaceholdersNaturalSizesAndThePlaceOnTheScreen) {
  const PanelConfig config = parse_panel_config(
      "[Window00]\nsize_mm=800,600\nwindow_size=1.0\nposition=7\n"
      "gauge00=CRV5_Instr!Registration, 0, 0\n"
      "gauge01=Other!Dial, 10, 20\ngauge02=CRV5_Instr!Engine_Rpm, 5, 5, 50\n"
      "gauge03=other!Knob, 0, 0, 30, 20\n"
      "[Window01]\nsize_mm=400,250\nposition=8\nbackground_color=1,2,3\n"
      "[Window02]\nsize_mm=100,100\nwindow_size=0.25,0.5\nwindow_pos=0.1,0.2\n",
      "panel.cfg");
  Session session(Module::load(kModule));
  EXPECT_EQ(session.load_panel(config).size(), 2u);  // their messages: lint_test.cpp, kPlanted
  ASSERT_EQ(session.gauges().size(), 1u);
  // The placard at its own width (150 mm: 150 units) and its bitmap's proportions.
  const GaugeInstance& placard = *session.gauges()[0];
  EXPECT_EQ(placard.placement.width, 150);
  EXPECT_EQ(placard.placement.height, 150 * placard.bitmap_size.height / placard.bitmap_size.width);
  const auto& placeholders = session.windows()[0].placeholders;
  ASSERT_EQ(placeholders.size(), 3u);
  EXPECT_EQ(std::tie(placeholders[0].label, placeholders[0].box.x, placeholders[0].box.width),
            std::make_tuple(std::string("Other!Dial"), 10, 100));
  EXPECT_EQ(placeholders[1].label, "CRV5_Instr!Engine_Rpm");
  EXPECT_EQ(std::tie(placeholders[2].box.width, placeholders[2].box.height), std::make_tuple(30, 20));

  const auto expect_on_screen = [&](size_t w, std::vector<double> expected) {
    const ScreenRect& r = session.windows()[w].screen;
    const std::vector<double> rect{r.x, r.y, r.w, r.h};
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(rect[i], expected[i], 1e-9) << w << ", " << i;
  };
  // 1.0 wide, as high as 800 x 600 shows on a 1024 x 768 screen; bottom centre.
  expect_on_screen(0, {0, 0, 1, 1});
  // 400 x 250 at the main window's scale (half the screen's width), bottom right. (A size_mm of
  // one number takes its height from the bitmap: tests/host/lint_test.cpp, RealPanels.)
  EXPECT_EQ(session.windows()[1].paint, (Rgb{1, 2, 3}));
  const double high = 0.5 * 250 / 400 * 1024 / 768;
  expect_on_screen(1, {0.5, 1 - high, 0.5, high});
  expect_on_screen(2, {0.1, 0.2, 0.25, 0.5});
}

TEST(SessionSim, CalculatorResultsAndTheirTexts) {
  SimState sim;
  double number = 5;
  const char* text = nullptr;
  sim.calculate("(A:ATC ID,string)", &number, &text);  // not set: 0 and ""
  EXPECT_EQ(number, 0);
  EXPECT_STREQ(text, "");
  sim.set_calc_text("(A:ATC ID,string)", "F-ZCRV");
  sim.calculate("(A:ATC ID,string)", nullptr, &text);
  sim.set_calc_text("(A:ATC ID,string)", "F-ZXXX");  // an earlier text stays readable
  EXPECT_STREQ(text, "F-ZCRV");
}

TEST(SessionSim, KnownVariablesReadBackAsSetAndNoOthersAreKept) {
  // Known and unknown numbers, below and above those of the host's table.
  const struct {
    uint32_t id;
    double set;
    double read;
  } cases[] = {
      {61, 123.5, 123.5},                   // a float variable
      {23, 0x1234 + 0.7, 0x1234},           // an integer variable keeps the whole number
      {23, -1, 0},                          // ...and 0 for what is no 32-bit number
      {23, 5e9, 0},
      {23, 4294967295.0, 4294967295.0},
      {0xffffffff, 1e300, 0},               // unknown to the host: not kept
  };
  SimState sim;
  for (const auto& c : cases) {
    sim.set_var(c.id, c.set);
    EXPECT_EQ(sim.var(c.id), c.read) << c.id << " set to " << c.set;
    ModuleVar record{.id = c.id};
    record.value.raw = 0xdeadbeefdeadbeefu;
    EXPECT_EQ(sim.read(record), c.read);
    if (SimState::is_integer_var(c.id))
      EXPECT_EQ(record.value.raw, uint64_t(c.read));  // the integer in a zeroed word
    else
      EXPECT_EQ(record.value.f, c.read);
  }
  for (uint32_t never_set : {62u, 1025u}) EXPECT_EQ(sim.var(never_set), 0);
  sim.set_var(61, NAN);
  EXPECT_TRUE(std::isnan(sim.var(61)));
}

// --- The check runner ---

std::pair<CheckTotals, std::string> run_checks(const std::string& name, const std::string& text) {
  std::ostringstream out;
  const fs::path file = write_file(fs::temp_directory_path() / ("gaugehost_test_" + name), text);
  const CheckTotals totals = run_check_files({file}, kModule, out);
  return {totals, out.str()};
}

TEST(CheckRunner, CountsChecksAndPrintsFailuresWithFileAndLine) {
  const auto [totals, output] = run_checks("counts.check",
                                           "# a comment\n"
                                           "gauge Engine_RPM\n"
                                           "  set var 625 27.36128\n"
                                           "update 2\n"
                                           "expect element Engine_RPM#2 angle 90\n"
                                           "expect element Engine_RPM#2 angle 91 ~0.5 "
                                           "Engine_RPM#1-2 value 27.36128\n"
                                           "expect var 625 0x1b ~1\n"
                                           "expect events 0x10001\n"
                                           "gauge ATC_Toggle\n"
                                           "expect area ATC_Toggle 3 3 15 16\n"
                                           "expect luminous all Engine_RPM 0-1\n"
                                           "table set var 625 _ | expect var 625 _\n"
                                           "  1 1\n"
                                           "  2 3\n"
                                           "end\n");
  EXPECT_EQ(totals.exit_status(), 1);
  const std::string file = (fs::temp_directory_path() / "gaugehost_test_counts.check").string();
  EXPECT_EQ(output, file + ":6: expected Engine_RPM#2 angle 91, got 90\n" + file +
                        ":8: expected events 0x10001, got none\n" + file +
                        ":10: expected area 3 3 15 16, got area 3 3 15 15, and 3,16 is not in it\n" +
                        file + ":11: expected Engine_RPM luminous 0-1, got 0-2\n" + file +
                        ":11: expected luminous elements of ATC_Toggle, got the gauge was never "
                        "updated\n" +
                        file + ":14: expected variable 625 3, got 2\n5 passed, 6 failed\n");
}

TEST(CheckRunner, BadLinesStopTheFileWithExitStatusTwo) {
  const std::pair<const char*, const char*> cases[] = {
      {"frobnicate\n", ":1: unknown command \"frobnicate\""},
      {"set colour 1\n", ":1: unknown command \"set colour\", expected set followed by one of:"},
      {"set var 625 fast\n", ":1: bad value \"fast\""},
      {"set var 16 1.5\n", ":1: bad value of integer variable 16 \"1.5\""},
      {"set var 4000 1\n", ":1: unknown variable 4000"},
      {"gauge Engine_RPM\nupdate -1\n", ":2: bad count \"-1\""},
      {"gauge Engine_RPMS\n", ":1: unknown gauge \"Engine_RPMS\""},
      {"click Engine_RPM 1 2\n", ":1: no gauge \"Engine_RPM\" is placed"},
      {"gauge Engine_RPM\nupdate\nexpect element Engine_RPM#9 value 0\n",
       ":3: Engine_RPM has 4 elements"},
      {"gauge Engine_RPM\nupdate\nexpect element Engine_RPM#0 angle 0\n",
       ":3: \"Engine_RPM#0\" is a static image"},
      {"expect tooltip \"x 1 2 none\n", ":1: a quoted token has no closing"},
      {"gauge Engine_RPM\nmodule other.gau\n", ":2: module must come before"},
      {"panel nowhere.cfg\n", ":1: "},
      {"set window MAIN_PANEL on\n", ":1: no window \"MAIN_PANEL\""},
      {"set var 625 1 626\n", ":1: expected: set var ID VALUE [ID VALUE]..."},
      {"set failure 20 on 2\n", ":1: expected: set failure KEY on|off [KEY on|off]..."},
      {"gauge Engine_RPM\nupdate\nexpect element Engine_RPM#2-1 value 0\n", ":3: bad element range"},
      {"table update\n", ":1: a table header needs _ for each value"},
      {"table set var 625 _\n  1 2\nend\n", ":2: expected 1 value, one for each _"},
      {"table set var 625 _\n  1\n", ":1: the table has no end line"},
      {"scenario hangar\n", ":1: unknown scenario \"hangar\", expected one of: ramp, runway"},
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
  EXPECT_EQ(line.tokens, (std::vector<std::string>{"set", "calc", "(A:ATC ID,string)",
                                                   "say \"hi\" \\"}));
  EXPECT_EQ(line.quoted, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(parse_check_number(".5", "v"), 0.5);  // (hexadecimal and negative: every check file)
  for (const char* bad : {"", "0x", "1,5", "nan", "inf", "12abc", "--1", "0xg"})
    EXPECT_THROW(parse_check_number(bad, "v"), HostError) << bad;
}

}  // namespace
}  // namespace gaugehost
