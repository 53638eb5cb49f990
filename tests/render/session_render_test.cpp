// `gaugehost render` and the check-file line `render PATH`, end to end on the default cockpit and
// the real module with its artwork.
#include "host/render/session_render.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/check/check_runner.h"
#include "host/cli/cli.h"
#include "host/loader/module.h"
#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

namespace fs = std::filesystem;
using testing::Pixels;

Pixels png(const fs::path& path) { return Pixels(cairo_image_surface_create_from_png(path.c_str())); }

const fs::path kCockpit = fs::path(CRV5_SOURCE_DIR) / "panels/corvane/panel.cfg";

fs::path output_folder() {
  const fs::path folder = fs::path(CRV5_BUILD_DIR) / "render-test-output";
  fs::create_directories(folder);
  return folder;
}

// A file in the output folder, removed if an earlier run left it.
fs::path output(const std::string& name) {
  fs::remove(output_folder() / name);
  return output_folder() / name;
}

struct CliRun {
  int status;
  std::string out, err;
};

CliRun gaugehost(std::vector<std::string> args) {
  args.insert(args.begin(), "gaugehost");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  std::ostringstream out, err;
  const int status = run_cli(int(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

TEST(RenderCommand, DrawsTheCockpitsVisibleWindowsOrOneWindowAtAScale) {
  const fs::path main = output("cockpit.png"), twice = output("cockpit_2x.png"),
                 starter = output("starter.png");
  ASSERT_EQ(gaugehost({"render", "--panel", kCockpit, "--out", main}).status, 0);
  ASSERT_EQ(gaugehost({"render", "--panel", kCockpit, "--out", twice, "--scale", "2"}).status, 0);
  const CliRun one = gaugehost({"render", "--panel", kCockpit, "--out", starter, "--window", "301"});
  ASSERT_EQ(one.status, 0) << one.err;

  EXPECT_EQ(png(main).width(), 1300);  // only the main panel is visible at the start
  EXPECT_EQ(png(main).height(), 624);
  EXPECT_EQ(png(twice).width(), 2600);
  EXPECT_EQ(png(starter).width(), 260);  // the hidden starter panel, asked for by its ident
  EXPECT_EQ(png(starter).height(), 312);
}

// The tachometer (300 x 300 gauge pixels at 940, 24, drawn 180 wide): its main pointer turns about
// (150, 152) from 12 o'clock at 0 percent to 6 o'clock at 5000 RPM.
TEST(RenderCommand, TachometerPointerFollowsTheSetValue) {
  const fs::path idle = output("rpm_0.png"), half = output("rpm_5000.png");
  ASSERT_EQ(gaugehost({"render", "--panel", kCockpit, "--out", idle, "--set", "625=0"}).status, 0);
  ASSERT_EQ(gaugehost({"render", "--panel", kCockpit, "--out", half, "--set", "625=54.72256"}).status,
            0);
  const Pixels a = png(idle), b = png(half);
  ASSERT_EQ(a.width(), 1300);
  ASSERT_EQ(b.width(), 1300);
  const auto window_pixel = [](double gauge_x, double gauge_y) {
    return std::pair<int, int>{int(940 + gauge_x * 0.6), int(24 + gauge_y * 0.6)};
  };
  const auto [up_x, up_y] = window_pixel(150, 75);
  const auto [down_x, down_y] = window_pixel(150, 245);
  const auto [aside_x, aside_y] = window_pixel(75, 152);
  EXPECT_NE(a.at(up_x, up_y), b.at(up_x, up_y));        // the pointer left 12 o'clock...
  EXPECT_NE(a.at(down_x, down_y), b.at(down_x, down_y));  // ...and lies at 6 o'clock
  EXPECT_EQ(a.at(aside_x, aside_y), b.at(aside_x, aside_y));  // 9 o'clock: untouched
  EXPECT_EQ(a.at(20, 20), b.at(20, 20));                      // the rest of the panel too
}

TEST(RenderCommand, BadArgumentsAreOneClearLineAndStatus2) {
  const std::string out = output("never.png");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"render", "--out", out}, "--panel FILE is required"},
      {{"render", "--panel", kCockpit, "--out", out, "--set", "16=1.5"}, "takes a whole number"},
      {{"render", "--panel", kCockpit, "--out", out, "--window", "KNEEBOARD"}, "no window"},
      {{"render", "--panel", kCockpit, "--out", "/nonexistent/x.png"}, "cannot write"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const CliRun run = gaugehost(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST(RenderCheckCommand, WritesEveryVisibleWindowBesideTheCheckFile) {
  const fs::path folder = output_folder() / "check_render";
  fs::create_directories(folder);
  fs::remove(folder / "two.png");
  std::ofstream(folder / "render.check") << "panel " << kCockpit.string() << "\n"
                                         << "set window 304 on\n"
                                         << "update\n"
                                         << "render two.png\n";
  std::ostringstream out;
  const CheckTotals totals =
      run_check_files({folder / "render.check"}, default_module_path(), out);
  EXPECT_EQ(totals.exit_status(), 0) << out.str();
  const Pixels two = png(folder / "two.png");
  EXPECT_EQ(two.width(), 1300);
  EXPECT_EQ(two.height(), 624 + 8 + 130);  // the main panel over the landing panel
}

}  // namespace
}  // namespace gaugehost::render
