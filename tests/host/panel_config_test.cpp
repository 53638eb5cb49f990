#include "host/panel/panel_config.h"

#include <gtest/gtest.h>

#include "host/loader/module.h"

namespace gaugehost {
namespace {

TEST(PanelConfig, ReadsWindowsAndPlacementsInAnyCaseWithCommentsAndCrlf) {
  const PanelConfig config = parse_panel_config(
      "// Corvane test panel\r\n"
      "[Window Titles]\r\n"
      "Window00=Main Panel\r\n"
      "WINDOW01 = Throttle quadrant \r\n"
      "\r\n"
      "[window00]\r\n"
      "FILE=main.bmp ; the background\r\n"
      "Size_MM = 640, 480\r\n"
      "position=7\r\n"
      "visible=1\r\n"
      "ident=main_panel\r\n"
      "gauge00=CRV5_Instr!Engine_RPM,  10, 20, 300\r\n"
      "  ; a comment line\r\n"
      "gauge01 = CRV5_Instr!Engine_Corrected_N1, 1, 2, 100, 90, 2 // engine 2, ok\r\n"
      "gauge02=CRV5_Instr!Registration, 0, 0, 150, , s1 c2\r\n"
      "[Views]\r\n"
      "eyepoint=1,2,3\r\n"
      "[Window01]\r\n"
      "visible=0\r\n"
      "ident=500\r\n"
      "window_size=200, 100\r\n"
      "gauge00=CRV5_Instr!Engine_RPM, 0, 0, 50 // a comment, 80\r\n",
      "panel.cfg");

  ASSERT_EQ(config.windows.size(), 2u);
  const WindowConfig& main = config.windows[0];
  EXPECT_EQ(main.title, "Main Panel");
  EXPECT_EQ(main.file, "main.bmp");
  EXPECT_EQ(main.size_mm, std::make_pair(640, 480));
  EXPECT_EQ(main.position, 7);
  EXPECT_TRUE(main.visible);
  EXPECT_EQ(main.ident, 0);
  EXPECT_EQ(main.ident_name, "MAIN_PANEL");
  ASSERT_EQ(main.gauges.size(), 3u);
  EXPECT_EQ(main.gauges[0].module, "CRV5_Instr");
  EXPECT_EQ(main.gauges[0].gauge, "Engine_RPM");
  EXPECT_EQ(main.gauges[0].x, 10);
  EXPECT_EQ(main.gauges[0].y, 20);
  EXPECT_EQ(main.gauges[0].w, 300);
  EXPECT_FALSE(main.gauges[0].h.has_value());
  EXPECT_EQ(main.gauges[0].line, 12);
  // The parameter text is everything after the fifth comma, comment characters and all.
  EXPECT_EQ(main.gauges[1].h, 90);
  EXPECT_EQ(main.gauges[1].parameters, "2 // engine 2, ok");
  EXPECT_FALSE(main.gauges[2].h.has_value());
  EXPECT_EQ(main.gauges[2].parameters, "s1 c2");

  const WindowConfig& throttle = config.windows[1];
  EXPECT_EQ(throttle.title, "Throttle quadrant");
  EXPECT_FALSE(throttle.visible);
  EXPECT_EQ(throttle.ident, 500);
  EXPECT_EQ(throttle.window_size, std::make_pair(200, 100));
  ASSERT_EQ(throttle.gauges.size(), 1u);
  EXPECT_EQ(throttle.gauges[0].w, 50);
  EXPECT_FALSE(throttle.gauges[0].h.has_value());
  EXPECT_EQ(throttle.gauges[0].parameters, "");
}

TEST(PanelConfig, WindowsWithoutIdentOrTitleGetDefaults) {
  const PanelConfig config = parse_panel_config("\xEF\xBB\xBF[Window00]\n[Window03]\n", "p.cfg");
  ASSERT_EQ(config.windows.size(), 2u);
  EXPECT_EQ(config.windows[0].ident, 0);
  EXPECT_EQ(config.windows[0].title, "Window00");
  EXPECT_EQ(config.windows[1].ident, 10003);
  EXPECT_TRUE(config.windows[1].visible);
}

TEST(PanelConfig, PanelNamesAndIds) {
  EXPECT_EQ(panel_id_for_name("THROTTLE_PANEL"), 10);
  EXPECT_EQ(panel_id_for_name("overhead_panel"), 250);
  EXPECT_EQ(panel_id_for_name("NO_SUCH_PANEL"), std::nullopt);
  EXPECT_EQ(panel_name_for_id(75), "COMPASS_PANEL");
  EXPECT_EQ(panel_name_for_id(76), "");
}

struct BadLine {
  const char* text;
  int line;
  const char* problem;  // a part of the message
};

TEST(PanelConfig, EachKindOfBadLineNamesFileLineAndProblem) {
  const BadLine cases[] = {
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
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2, 0\n", 2, "width 0"},
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 1, 2, 3, x4\n", 2, "bad height"},
      {"[Window00]\n[Window00]\n", 2, "appears twice"},
      {"[Window00]\nident=10\n[Window01]\nident=THROTTLE_PANEL\n", 3, "already used by [Window00]"},
  };
  for (const BadLine& bad : cases) {
    SCOPED_TRACE(bad.text);
    try {
      parse_panel_config(bad.text, "dir/panel.cfg");
      ADD_FAILURE() << "no error";
    } catch (const HostError& error) {
      const std::string message = error.what();
      EXPECT_TRUE(message.starts_with("dir/panel.cfg:" + std::to_string(bad.line) + ": "))
          << message;
      EXPECT_NE(message.find(bad.problem), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos);
    }
  }
}

TEST(PanelConfig, MissingFileIsAnError) {
  EXPECT_THROW(read_panel_config("/nonexistent/panel.cfg"), HostError);
}

}  // namespace
}  // namespace gaugehost
