// `gaugehost render` and the check-file line `render PATH`, end to end on the default cockpit and
// the real module with its artwork.
#include "host/render/session_render.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "host/check/check_runner.h"
#include "host/loader/module.h"
#include "tests/host/host_support.h"
#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

namespace fs = std::filesystem;
using testing::output_path;
using testing::Pixels;

const std::string kCockpit = tests::kCockpit.string();

// `gaugehost render [--panel <the cockpit>] ARGS...`: its status and what it wrote to stderr.
std::pair<int, std::string> render(std::vector<std::string> args, bool panel = true) {
  if (panel) args.insert(args.begin(), {"--panel", kCockpit});
  args.insert(args.begin(), "render");
  const tests::CommandRun run = tests::gaugehost(args);
  return {run.status, run.err};
}

Pixels png(const std::string& path) {
  return Pixels(cairo_image_surface_create_from_png(path.c_str()));
}

// The default cockpit's main panel, in window pixels.
constexpr int kMainWidth = 1600, kMainHeight = 820;

// The tachometer (300 x 300 gauge pixels at 940, 24, drawn 180 wide): its main pointer turns about
// (150, 152) from 12 o'clock at 0 percent to 6 o'clock at 5000 RPM.
TEST(RenderCommand, DrawsTheVisibleWindowsWithTheSetValuesOrOneWindowAtAScale) {
  const std::string idle = output_path("rpm_0.png"), half = output_path("rpm_5000.png"),
                    twice = output_path("cockpit_2x.png"), starter = output_path("starter.png");
  for (const auto& args : {std::vector<std::string>{"--out", idle, "--set", "625=0"},
                           {"--out", half, "--set", "625=54.72256"},
                           {"--out", twice, "--scale", "2"},
                           {"--out", starter, "--window", "301"}}) {
    const auto [status, err] = render(args);
    ASSERT_EQ(status, 0) << err;
  }
  const Pixels a = png(idle), b = png(half);
  EXPECT_EQ(a.width(), kMainWidth);  // only the main panel is visible at the start
  EXPECT_EQ(a.height(), kMainHeight);
  EXPECT_EQ(png(twice).width(), 2 * kMainWidth);
  EXPECT_EQ(png(starter).width(), 260);  // the hidden starter panel, asked for by its ident
  EXPECT_EQ(png(starter).height(), 312);

  ASSERT_EQ(b.width(), kMainWidth);
  const auto differs = [&](double gauge_x, double gauge_y) {
    const int x = int(940 + gauge_x * 0.6), y = int(24 + gauge_y * 0.6);
    return a.at(x, y) != b.at(x, y);
  };
  EXPECT_TRUE(differs(150, 75));    // the pointer left 12 o'clock...
  EXPECT_TRUE(differs(150, 245));   // ...and lies at 6 o'clock
  EXPECT_FALSE(differs(75, 152));   // 9 o'clock: untouched
  EXPECT_EQ(a.at(20, 20), b.at(20, 20));  // the rest of the panel too
}

TEST(RenderCommand, BadArgumentsAreOneClearLineAndStatus2) {
  const std::string out = output_path("never.png");
  const struct {
    std::vector<std::string> args;
    std::string message;
    bool panel = true;
  } cases[] = {
      {{"--out", out}, "--panel FILE is required", false},
      {{"--out", out, "--set", "16=1.5"}, "takes a whole number"},
      {{"--out", out, "--set", "999=1"}, "unknown variable 999"},
      {{"--out", out, "--window", "KNEEBOARD"}, "no window"},
      {{"--out", out, "--model", "maybe"}, "--model takes on or off"},
      {{"--out", "/nonexistent/x.png"}, "cannot write"},
  };
  for (const auto& [args, message, panel] : cases) {
    const auto [status, err] = render(args, panel);
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.find(message), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST(RenderCheckCommand, WritesEveryVisibleWindowBesideTheCheckFile) {
  const fs::path folder = output_path("check_render");
  fs::create_directories(folder);
  std::ofstream(folder / "render.check") << "panel " << kCockpit << "\n"
                                         << "set window 304 on\n"
                                         << "update\n"
                                         << "render two.png\n";
  std::ostringstream out;
  const CheckTotals totals =
      run_check_files({folder / "render.check"}, default_module_path(), out);
  EXPECT_EQ(totals.exit_status(), 0) << out.str();
  const Pixels two = png((folder / "two.png").string());
  EXPECT_EQ(two.width(), kMainWidth);
  EXPECT_EQ(two.height(), kMainHeight + 8 + 130);  // the main panel over the landing panel
}

}  // namespace
}  // namespace gaugehost::render
