// gaugehost lint: each planted problem is found at its line, and the command's output and exit
// status. (The default cockpit lints clean: tests/package; files that are no panel: bad_input.)
#include "host/lint/panel_lint.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "host/panel/session.h"
#include "tests/host/host_support.h"

namespace gaugehost {
namespace {

using namespace tests;

// A window of 400 x 400 with one gauge on line 3 (after a line of titles).
std::string placed(const std::string& gauge) {
  return "[Window00]\nsize_mm=400,400\ngauge00=" + gauge + "\n";
}

// The titles every planted panel starts with: two lines.
const std::string kTitles = "[Window Titles]\nWindow00=Main\n";

// Each panel has its problem on line 3 (after the titles), and no other.
const struct {
  const char* what;
  std::string panel;
  const char* expected;
} kPlanted[] = {
    {"unknown module", placed("Other!Engine_RPM, 0, 0, 100"),
     "module \"Other\" is not loaded (the module is CRV5_Instr): its gauge here is drawn as a "
     "placeholder"},
    {"unknown gauge", placed("CRV5_Instr!Engine_Rpm, 0, 0, 100"), "unknown gauge \"Engine_Rpm\""},
    {"foreign gauge outside its window", placed("fs9gps!gps_500, 450, 0"),
     "fs9gps!gps_500 at 450, 0 reaches outside [Window00], 400 x 400"},
    {"unknown ident name", "\n\n[Window00]\nsize_mm=10,10\nident=MINIPANEL\n",
     "ident \"MINIPANEL\" is none of the simulator's panel names; gaugehost gives it id 30000"},
    {"window without a usable size", "\n\n[Window00]\nsize_mm=100\n",
     "[Window00] has no usable size: size_mm gives no height"},
    {"gap in gauge numbers", "[Window00]\nsize_mm=100,100\ngauge01=CRV5_Instr!Battery_Light, 0, 0, 30, 30\n",
     "gauge01 follows no gauge00"},
    {"forward view names a window the panel lacks",
     "\n[Views]\nVIEW_FORWARD_WINDOWS=MAIN_PANEL,GPS_PANEL\n[Window00]\nsize_mm=10,10\n",
     "VIEW_FORWARD_WINDOWS names \"GPS_PANEL\""},
    {"outside its window",
     "[Window00]\nsize_mm=100,100\ngauge00=CRV5_Instr!Engine_RPM, 50, 50, 100, 100\n",
     "reaches outside [Window00], 100 x 100"},
    {"left of its window", placed("CRV5_Instr!Battery_Light, -5, 0, 30, 30"), "reaches outside"},
    {"click areas overlapping",
     "[Window00]\ngauge00=CRV5_Instr!Battery_Switch, 0, 0, 60, 60\n"
     "gauge01=CRV5_Instr!Generator_Switch, 30, 30, 60, 60\nsize_mm=400,400\n",
     "the click areas of Generator_Switch overlap those of Battery_Switch (line 4)"},
    {"rebinding with two engines",
     placed("CRV5_Instr!Engine_Corrected_N2, 0, 0, 100, 100, 2 or 1"),
     "names engines 1, 2; the dial shows engine 1"},
    {"toggle names a window the panel lacks",
     placed("CRV5_Instr!Starter_Toggle, 0, 0, 19, 19, t301"),
     "Starter_Toggle names panel 301, but no window of the panel has that ident"},
    {"a gauge that reads no parameter text", placed("CRV5_Instr!Engine_RPM, 0, 0, 100, 100, 2"),
     "the gauge reads no parameter text"},
    {"duplicate idents", "[Window00]\nsize_mm=9,9\n[Window01]\nident=MAIN_PANEL\nsize_mm=9,9\n",
     "[Window01] has ident MAIN_PANEL, as [Window00] (line 4) has"},
    {"duplicate gauge keys",
     "[Window00]\ngauge00=CRV5_Instr!Battery_Light, 0, 0, 30, 30\n"
     "gauge00=CRV5_Instr!Generator_Light, 40, 0, 30, 30\nsize_mm=400,400\n",
     "gauge00 appears twice in [Window00] (first on line 4)"},
};

TEST(Lint, FindsEachPlantedProblemAtItsLine) {
  for (const auto& planted : kPlanted) {
    std::string panel = planted.panel;
    if (panel.find("[Window01]") != std::string::npos)
      panel.insert(0, "[Window Titles]\nWindow00=Main\nWindow01=Side\n");
    else
      panel.insert(0, kTitles);
    const int line = panel.find("Window01=") != std::string::npos ? 6 : 5;
    const PanelConfig config = parse_panel_config(panel, "test.cfg");
    // (fs9gps taken as present: of its gauges, only where they lie is checked.)
    const std::vector<lint::Finding> findings =
        lint::lint_panel(config, Module::load(kModule), {.assumed_modules = {"FS9GPS"}});
    ASSERT_EQ(findings.size(), 1u) << planted.what << "\n" << listed(findings);
    EXPECT_EQ(findings[0].line, line) << planted.what;
    EXPECT_NE(findings[0].problem.find(planted.expected), std::string::npos)
        << planted.what << ": " << findings[0].problem;
  }
}

// Parameter texts the gauges read as meant have nothing to say; misread ones one problem each.
TEST(Lint, ParameterTextsReadAsMeantOrMisread) {
  const std::pair<const char*, const char*> kClean[] = {
      {"Registration", "tAB_123 r255 g0 b0"},
      {"Registration", "tAB-123 r300 fTimes New Roman"},
      {"Registration", "r-5"},
      {"Engine_Corrected_N1", "2 // the second engine"},
      {"IFR_Panel_Toggle", "oIFR_MAIN_PANEL cMAIN_PANEL"},
      {"GPS_Toggle", "b120 hTOGGLE_GPS_WINDOW aGPS_PANEL p-3"},
      {"Close_Subpanel", "c301 # closes 301"},
      {"Engine_RPM", ""},
  };
  for (const auto& [gauge, text] : kClean) {
    const lint::ParameterReading reading = lint::read_parameters(gauge, text);
    EXPECT_TRUE(reading.problems.empty()) << gauge << " \"" << text << "\": " << reading.problems[0];
  }
  EXPECT_EQ(lint::read_parameters("IFR_Panel_Toggle", "oIFR_MAIN_PANEL cMAIN_PANEL").panels_named,
            (std::vector<int32_t>{175, 0}));

  const std::tuple<const char*, const char*, const char*> kMisread[] = {
      {"Registration", "tbed", "the \"b\" of \"bed\" is read as a colour command"},
      {"Registration", "f" "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGH", "longer than 31 characters"},
      {"Starter_Toggle", "t", "ends the text and names no panel"},
      {"Starter_Toggle", "pX", "\"p\" has no number"},
      {"Starter_Toggle", "b125", "bitmap 125"},
      {"Starter_Toggle", "h12", "no help text"},
      {"Engine_Corrected_N1", "x # 2", "names no engine"},
      {"Registration", "tAB-123 #r0", "command \"r0\" stands after the comment"},
      {"Registration", "r0 tAB", "\"t\" counts only as the very first character"},
      {"GPS_Toggle", "tGPS",
       "names \"GPS\", which is no panel name; the button reads it as panel 0"},
      {"GPS_Toggle", "t0 // o0", "command \"o0\" stands after the comment that \"/\" begins"},
  };
  for (const auto& [gauge, text, expected] : kMisread) {
    const lint::ParameterReading reading = lint::read_parameters(gauge, text);
    ASSERT_EQ(reading.problems.size(), 1u) << gauge << " \"" << text << "\"";
    EXPECT_NE(reading.problems[0].find(expected), std::string::npos) << reading.problems[0];
  }
}

// Panels as designers write them for the simulator (tests/host/panels/): each draws, foreign
// gauges as placeholders, and lint reports all of its problems in one run.
TEST(RealPanels, EachRendersWithItsPlaceholdersAndLintsInOneRun) {
  const fs::path panels = fs::path(CRV5_SOURCE_DIR) / "tests/host/panels";
  const fs::path folder = test_folder();
  const struct {
    const char* file;
    size_t findings;
    const char* last;  // the last finding: the problems of every group before it are there too
  } kPanels[] = {
      {"airliner_2d.cfg", 14, ":14: VIEW_FORWARD_WINDOWS names \"FMC_PANEL\""},
      {"light_aircraft.cfg", 3, ":33: module \"fs9gps\" is not loaded"},
      {"vc_only.cfg", 6, ":25: Twin_VC!Autopilot at 0, 600 (512 x 100 pixels) reaches outside "
                         "[Vcockpit02]"},
      {"crlf_turboprop.cfg", 3, ":43: Radio_ADF at 10, 230"},
      {"latin1_glider.cfg", 3, ":16: module \"Planeur\" is not loaded"},
  };
  for (const auto& panel : kPanels) {
    const std::string file = (panels / panel.file).string();
    const CommandRun render = gaugehost({"--module", kModule.string(), "render", "--panel", file,
                                         "--out", (folder / "panel.png").string()});
    EXPECT_EQ(render.status, 0) << panel.file << ": " << render.err;
    EXPECT_NE(render.err.find("drawn as placeholders"), std::string::npos) << render.err;
    const CommandRun lint = gaugehost({"--module", kModule.string(), "lint", file});
    EXPECT_EQ(lint.status, 1) << panel.file;
    EXPECT_EQ(size_t(std::count(lint.out.begin(), lint.out.end(), '\n')), panel.findings)
        << lint.out;
    const size_t last_line = lint.out.rfind('\n', lint.out.size() - 2) + 1;
    EXPECT_TRUE(lint.out.substr(last_line).starts_with(file + panel.last)) << lint.out;
  }
  // The trainer's size_mm=1280 takes its height from its 128 x 80 bitmap; the GPS window's
  // window_size=0.32 its height from its coordinate space's proportions.
  Session session(Module::load(kModule));
  session.load_panel(read_panel_config(panels / "light_aircraft.cfg"));
  EXPECT_EQ(session.windows()[0].window_size.height, 800);
  EXPECT_NEAR(session.windows()[1].screen.h, 0.32 * 260 / 456 * 1024 / 768, 1e-9);
  // The virtual cockpit's second texture is drawn at its 256 x 256 pixels.
  const CommandRun vc = gaugehost({"--module", kModule.string(), "render", "--panel",
                                   (panels / "vc_only.cfg").string(), "--window", "Vcockpit02",
                                   "--out", (folder / "vc.png").string()});
  EXPECT_EQ(vc.status, 0) << vc.err;
}

}  // namespace
}  // namespace gaugehost
