#include "host/panel/panel_config.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/host/host_support.h"

namespace gaugehost {
namespace {

using namespace std::string_literals;
using tests::listed;

const std::string kModule = "CRV5_Instr";

// A placement as one row: module, gauge, x, y, w (-1: none), h (-1: none), parameters.
auto row(const GaugePlacement& g) {
  return std::make_tuple(g.module, g.gauge, g.x, g.y, g.w.value_or(-1), g.h.value_or(-1),
                         g.parameters);
}

TEST(PanelConfig, ReadsTheSimulatorsDialectInAnyCaseWithCommentsAndCrlf) {
  const PanelConfig config = parse_panel_config(
      "// Corvane test panel\r\n[Window Titles]\r\nWindow00=Main Panel\r\n"
      "WINDOW01 = Throttle quadrant \r\n\r\n"
      "[window00]\r\nFILE=main.bmp ; the background\r\nfile_1024=main_1024.bmp\r\n"
      "Size_MM = 640, 480\r\nwindow_size=1.0, 0.625\r\nwindow_pos=0.0,0.375\r\n"
      "position=7\r\nvisible=1\r\nident=main_panel\r\n"
      "gauge00=CRV5_Instr!Engine_RPM,  10, 20, 300\r\n  ; a comment line\r\n"
      "gauge01 = CRV5_Instr!Engine_Corrected_N1, 1, 2, 100, 90, 2 // engine 2, ok\r\n"
      "gauge02=CRV5_Instr!Registration, 0, 0, 150, , s1 c2\r\n"
      "gauge03=fs9gps!gps_500, 0,0\r\n"
      "[Views]\r\nVIEW_FORWARD_WINDOWS=MAIN_PANEL,MINIPANEL\r\n"
      "[Window01]\r\nvisible=0\r\nident=500\r\nsize_mm=1280\r\nwindow_size=0.32\r\n"
      "background_color=16,32,48\r\n"
      "gauge00=CRV5_Instr!Engine_RPM, 0, 0, 50 // a comment, 80\r\n"
      "[Vcockpit01]\r\ntexture=$VC01\r\nsize_mm=512,512\r\npixel_size=256,256\r\n"
      "gauge00=CRV5_Instr!Attitude, 0, 0\r\n",
      "panel.cfg");
  EXPECT_EQ(listed(config.warnings), "");
  ASSERT_EQ(config.windows.size(), 2u);
  const WindowConfig& main = config.windows[0];
  EXPECT_EQ(std::tie(main.title, main.size_mm_width, main.size_mm_height, main.position,
                     main.visible),
            std::make_tuple("Main Panel"s, 640, 480, 7, true));
  EXPECT_EQ(std::tie(main.ident, main.ident_name), std::make_tuple(0, "MAIN_PANEL"s));
  // The bitmap for the screen's width: file_1024 from 1024 pixels on, file= below.
  EXPECT_EQ(background_file(main, 1024), "main_1024.bmp");
  EXPECT_EQ(background_file(main, 800), "main.bmp");
  ASSERT_EQ(main.gauges.size(), 4u);
  EXPECT_EQ(row(main.gauges[0]), std::make_tuple(kModule, "Engine_RPM"s, 10, 20, 300, -1, ""s));
  EXPECT_EQ(main.gauges[0].line, 15);
  // The parameter text is everything after the fifth comma, comment characters and all.
  EXPECT_EQ(row(main.gauges[1]), std::make_tuple(kModule, "Engine_Corrected_N1"s, 1, 2, 100, 90,
                                                 "2 // engine 2, ok"s));
  EXPECT_EQ(row(main.gauges[2]),
            std::make_tuple(kModule, "Registration"s, 0, 0, 150, -1, "s1 c2"s));
  EXPECT_EQ(row(main.gauges[3]), std::make_tuple("fs9gps"s, "gps_500"s, 0, 0, -1, -1, ""s));

  const WindowConfig& throttle = config.windows[1];
  EXPECT_EQ(std::tie(throttle.title, throttle.visible, throttle.ident, throttle.size_mm_width,
                     throttle.window_width),
            std::make_tuple("Throttle quadrant"s, false, 500, 1280, 0.32));
  EXPECT_FALSE(throttle.size_mm_height || throttle.window_height);
  EXPECT_EQ(row(throttle.gauges[0]), std::make_tuple(kModule, "Engine_RPM"s, 0, 0, 50, -1, ""s));

  ASSERT_EQ(config.vcockpits.size(), 1u);
  const WindowConfig& vc = config.vcockpits[0];
  EXPECT_EQ(std::tie(vc.title, vc.texture, vc.pixel_size),
            std::make_tuple("Vcockpit01"s, "$VC01"s, std::make_pair(256, 256)));
}

TEST(PanelConfig, TitlesIdentsAndEncodings) {
  // Without [Window Titles] every window loads; a title left empty counts as none.
  PanelConfig config = parse_panel_config("\xEF\xBB\xBF[Window00]\n[Window03]\n", "p.cfg");
  ASSERT_EQ(config.windows.size(), 2u);
  EXPECT_EQ(std::tie(config.windows[0].ident, config.windows[0].title),
            std::make_tuple(0, "Window00"s));
  EXPECT_EQ(std::tie(config.windows[1].ident, config.windows[1].title),
            std::make_tuple(10003, "Window03"s));

  // The first gap in the titles ends the windows; names of the panel's own get ids of their own,
  // the same name the same id (and a warning for the second window that has it).
  config = parse_panel_config(
      "[Window Titles]\nWindow00=Main\nWindow01=\nWindow03=After the gap\n"
      "[Window00]\nident=MINIPANEL\n[Window01]\nident=minipanel\n[Window03]\nident=MISC_POPUP_1\n",
      "p.cfg");
  ASSERT_EQ(config.windows.size(), 2u);
  EXPECT_EQ(std::tie(config.windows[0].ident, config.windows[0].ident_name,
                     config.windows[0].ident_unknown),
            std::make_tuple(30000, "MINIPANEL"s, true));
  EXPECT_EQ(std::tie(config.windows[1].ident, config.windows[1].title),
            std::make_tuple(30000, "Window01"s));
  EXPECT_EQ(listed(config.warnings),
            "4: Window03 comes after the gap in [Window Titles] at Window02, where the simulator "
            "stops: its window is not loaded\n"
            "7: [Window01] has ident minipanel, as [Window00] (line 5) has; opening or closing "
            "minipanel reaches only [Window00]\n"
            "9: [Window03] is not loaded: [Window Titles] has a gap before its title\n");

  // Latin-1 titles come out as UTF-8; UTF-16 files are read too.
  config = parse_panel_config("[Window Titles]\nWindow00=H\xE9lice\n[Window00]\n", "p.cfg");
  EXPECT_EQ(config.windows[0].title, "H\xC3\xA9lice");
  std::string utf16 = "\xFF\xFE";
  for (char c : "[Window00]\r\nident=GPS_PANEL\r\n"s) utf16 += {c, '\0'};
  config = parse_panel_config(utf16, "p.cfg");
  EXPECT_EQ(config.windows.at(0).ident, 225);
}

// Each line the reader cannot use is a warning naming the line; the rest of the panel loads.
TEST(PanelConfig, LinesItCannotUseAreWarningsAndTheRestLoads) {
  const struct {
    std::string text;
    const char* problem;  // a part of the message
  } cases[] = {
      {"[Window01\n", "without \"]\""},
      {"[Window01] x\n", "after the section header"},
      {"just words of a wrapped comment\n", "neither a [section] nor KEY=VALUE"},
      {"size_mm=1,2,3\n", "expected WIDTH[,HEIGHT]"},
      {"size_mm=0,480\n", "bad size_mm \"0\""},
      {"window_size=-1,0.5\n", "bad window_size"},
      {"window_size=1280,1024\n", "as fractions of the screen"},
      {"window_pos=0.5\n", "expected X,Y"},
      {"visible=yes\n", "bad visible"},
      {"position=9\n", "bad position \"9\""},
      {"background_color=0,0\n", "expected RED,GREEN,BLUE"},
      {"file_abc=x.bmp\n", "bad key \"file_abc\""},
      {"ident=\n", "ident without a value"},
      {"file=a.bmp\nfile=b.bmp\n", "\"file\" is given already on line"},
      {"gauge00=Engine_RPM, 1, 2, 3\n", "expected gaugeNN=module!gauge"},
      {"gauge00=CRV5_Instr!Engine_RPM, 1\n", "needs x and y"},
      {"gauge00=CRV5_Instr!Engine_RPM, 1, two, 3\n", "bad y \"two\""},
      {"gauge00=CRV5_Instr!Engine_RPM, 1, 2, 0\n", "bad width \"0\""},
      {"gauge00=CRV5_Instr!Engine_RPM, 2147483647, 2, 3\n", "bad x \"2147483647\""},
      {"gauge99999999999=CRV5_Instr!Engine_RPM, 1, 2, 3\n", "bad key \"gauge99999999999\""},
      {"[Window 5]\n", "bad section \"[Window 5]\""},
      {"[Window00]\n", "appears twice (first on line 1)"},
      {"gauge00=CRV5_Instr!" + std::string(10'000'000, 'N') + ", 1\n", "needs x and y"},
  };
  for (const auto& bad : cases) {
    const PanelConfig config =
        parse_panel_config("[Window00]\n" + bad.text + "[Window02]\n", "dir/panel.cfg");
    ASSERT_EQ(config.warnings.size(), 1u) << bad.text.substr(0, 100) << listed(config.warnings);
    const PanelProblem& warning = config.warnings[0];
    EXPECT_TRUE(warning.line >= 2 && warning.problem.find(bad.problem) != std::string::npos &&
                warning.problem.find('\n') == std::string::npos && warning.problem.size() < 250)
        << bad.text.substr(0, 100) << " -> " << warning.problem.substr(0, 300);
    EXPECT_GE(config.windows.size(), 2u) << bad.text.substr(0, 100);
  }
}

TEST(PanelConfig, APanelWithoutAnyWindowIsAnError) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "no [WindowNN] or [VcockpitNN] section"},
      {"[Window Titles]\nWindow00=Main\n", "no [WindowNN] section for the titles"},
      {"[Window Titles]\nWindow01=Side\n[Window01]\n", "has no Window00"},
  };
  for (const auto& [text, problem] : cases) {
    const std::string message = tests::error_of([&] { parse_panel_config(text, "dir/panel.cfg"); });
    EXPECT_TRUE(message.starts_with("dir/panel.cfg: ") && message.find(problem) != message.npos &&
                message.find('\n') == message.npos)
        << text << " -> " << message;
  }
}

}  // namespace
}  // namespace gaugehost
