#include "host/panel/panel_config.h"

#include <gtest/gtest.h>

#include <tuple>

#include "host/loader/module.h"
#include "tests/host/host_support.h"

namespace gaugehost {
namespace {

using namespace std::string_literals;

const std::string kModule = "CRV5_Instr";

// A placement as one row: module, gauge, x, y, w, h (-1: none), parameters.
auto row(const GaugePlacement& g) {
  return std::make_tuple(g.module, g.gauge, g.x, g.y, g.w, g.h.value_or(-1), g.parameters);
}

TEST(PanelConfig, ReadsWindowsAndPlacementsInAnyCaseWithCommentsAndCrlf) {
  const PanelConfig config = parse_panel_config(
      "// Corvane test panel\r\n[Window Titles]\r\nWindow00=Main Panel\r\n"
      "WINDOW01 = Throttle quadrant \r\n\r\n"
      "[window00]\r\nFILE=main.bmp ; the background\r\nSize_MM = 640, 480\r\n"
      "position=7\r\nvisible=1\r\nident=main_panel\r\n"
      "gauge00=CRV5_Instr!Engine_RPM,  10, 20, 300\r\n  ; a comment line\r\n"
      "gauge01 = CRV5_Instr!Engine_Corrected_N1, 1, 2, 100, 90, 2 // engine 2, ok\r\n"
      "gauge02=CRV5_Instr!Registration, 0, 0, 150, , s1 c2\r\n"
      "[Views]\r\neyepoint=1,2,3\r\n"
      "[Window01]\r\nvisible=0\r\nident=500\r\nwindow_size=200, 100\r\n"
      "gauge00=CRV5_Instr!Engine_RPM, 0, 0, 50 // a comment, 80\r\n",
      "panel.cfg");

  ASSERT_EQ(config.windows.size(), 2u);
  const WindowConfig& main = config.windows[0];
  EXPECT_EQ(std::tie(main.title, main.file, main.size_mm, main.position, main.visible),
            std::make_tuple("Main Panel"s, "main.bmp"s, std::make_pair(640, 480), 7, true));
  EXPECT_EQ(std::tie(main.ident, main.ident_name), std::make_tuple(0, "MAIN_PANEL"s));
  ASSERT_EQ(main.gauges.size(), 3u);
  EXPECT_EQ(row(main.gauges[0]), std::make_tuple(kModule, "Engine_RPM"s, 10, 20, 300, -1, ""s));
  EXPECT_EQ(main.gauges[0].line, 12);
  // The parameter text is everything after the fifth comma, comment characters and all.
  EXPECT_EQ(row(main.gauges[1]), std::make_tuple(kModule, "Engine_Corrected_N1"s, 1, 2, 100, 90,
                                                 "2 // engine 2, ok"s));
  EXPECT_EQ(row(main.gauges[2]),
            std::make_tuple(kModule, "Registration"s, 0, 0, 150, -1, "s1 c2"s));

  const WindowConfig& throttle = config.windows[1];
  EXPECT_EQ(std::tie(throttle.title, throttle.visible, throttle.ident, throttle.window_size),
            std::make_tuple("Throttle quadrant"s, false, 500, std::make_pair(200, 100)));
  ASSERT_EQ(throttle.gauges.size(), 1u);
  EXPECT_EQ(row(throttle.gauges[0]), std::make_tuple(kModule, "Engine_RPM"s, 0, 0, 50, -1, ""s));
}

TEST(PanelConfig, WindowsWithoutIdentOrTitleGetDefaults) {
  // A title left empty counts as none.
  const PanelConfig config = parse_panel_config(
      "\xEF\xBB\xBF[Window00]\n[Window03]\n[Window Titles]\nWindow03=\n", "p.cfg");
  ASSERT_EQ(config.windows.size(), 2u);
  EXPECT_EQ(config.windows[0].ident, 0);
  EXPECT_EQ(config.windows[0].title, "Window00");
  EXPECT_EQ(config.windows[1].title, "Window03");
  EXPECT_EQ(config.windows[1].ident, 10003);
  EXPECT_TRUE(config.windows[1].visible);
}

TEST(PanelConfig, EachKindOfBadLineNamesFileLineAndProblem) {
  const struct {
    std::string text;
    int line;
    const char* problem;  // a part of the message
  } cases[] = {
      {"[Window00\n", 1, "without \"]\""},
      {"[Window00] x\n", 1, "after the section header"},
      {"visible=1\n", 1, "outside any section"},
      {"[Window00]\njust words\n", 2, "expected a [section] or KEY=VALUE"},
      {"[Window Titles]\nMain=Main\n", 2, "expected WindowNN=title"},
      {"[Window00]\nsize_mm=640\n", 2, "expected WIDTH,HEIGHT"},
      {"[Window00]\nsize_mm=640,abc\n", 2, "bad size_mm \"abc\""},
      {"[Window00]\nvisible=yes\n", 2, "bad visible"},
      {"[Window00]\nvisible=2\n", 2, "expected 0 or 1"},
      {"[Window00]\nident=SIDE_PANEL\n", 2, "unknown ident \"SIDE_PANEL\""},
      {"[Window00]\nposition=7.5\n", 2, "bad position"},
      {"[Window00]\ngauge00=Engine_RPM, 1, 2, 3\n", 2, "expected gaugeNN=module!gauge"},
      {"[Window00]\ngauge00=CRV5_Instr!, 1, 2, 3\n", 2, "expected gaugeNN=module!gauge"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2\n", 2, "needs x, y and width"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, two, 3\n", 2, "bad y \"two\""},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2, 0\n", 2, "bad width \"0\", expected 1 to"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2, 3, x4\n", 2, "bad height"},
      {"[Window00]\n[Window00]\n", 2, "appears twice"},
      {"[Window00]\nident=10\n[Window01]\nident=THROTTLE_PANEL\n", 3,
       "already used by [Window00]"},
      // Sections and keys that were once read over without a word.
      {"[Window00]\n[Window 5]\n", 2, "bad section \"[Window 5]\", expected [WindowNN]"},
      {"[Window99999999999]\n", 1, "bad section"},
      {"[Window2147483647]\n", 1, "with NN a number from 0 to 9999"},
      {"[Window-1]\n", 1, "bad section \"[Window-1]\""},
      {"[Window Titles]\nWindow99999=Big\n", 2, "expected WindowNN=title"},
      {"[Window00]\ngauge99999999999=CRV5_Instr!Engine_RPM, 1, 2, 3\n", 2,
       "bad key \"gauge99999999999\""},
      {"[Window00]\ngauge=CRV5_Instr!Engine_RPM, 1, 2, 3\n", 2, "bad key \"gauge\""},
      {"[Window00]\ngauge00=!Engine_RPM, 1, 2, 3\n", 2, "expected gaugeNN=module!gauge"},
      // Numbers that cannot be laid out.
      {"[Window00]\nwindow_size=-100,-100\n", 2, "bad window_size \"-100\", expected 1 to 8192"},
      {"[Window00]\nwindow_size=30000,30000\n", 2, "bad window_size \"30000\""},
      {"[Window00]\nsize_mm=0,480\n", 2, "bad size_mm \"0\""},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 2147483647, 2, 3\n", 2,
       "bad x \"2147483647\", expected -8192 to 8192"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 99999999999, 3\n", 2,
       "bad y \"99999999999\", expected a whole number that fits 32 bits"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2, 2147483647\n", 2, "bad width"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2, 3, 2147483647\n", 2, "bad height"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2, 3, -5\n", 2, "bad height \"-5\""},
      // A long name is quoted by its start only.
      {"[Window00]\ngauge00=CRV5_Instr!" + std::string(10'000'000, 'N') + ", 1, 2\n", 2,
       "needs x, y and width"},
      // No window at all: the file is named without a line.
      {"", 0, "no [WindowNN] section"},
      {"// only a comment\n", 0, "no [WindowNN] section"},
      {"[Window Titles]\nWindow00=Main\n", 0, "no [WindowNN] section"},
  };
  for (const auto& bad : cases) {
    const std::string message =
        tests::error_of([&] { parse_panel_config(bad.text, "dir/panel.cfg"); });
    const std::string line = bad.line ? std::to_string(bad.line) + ":" : "";
    EXPECT_TRUE(message.starts_with("dir/panel.cfg:" + line + " ") &&
                message.find(bad.problem) != message.npos && message.find('\n') == message.npos &&
                message.size() < 200)
        << bad.text.substr(0, 100) << " -> " << message.substr(0, 300);
  }
}

}  // namespace
}  // namespace gaugehost
