// Windows of gauges: placement and scale, and redrawing only what changed without the picture
// differing from a full redraw, on a window of two made-up gauges and on the default cockpit with
// the real module and its artwork; `gaugehost render` and the check-file line `render PATH` end to
// end; and `gaugehost profile` costs every gauge it is asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "host/check/check_runner.h"
#include "host/loader/module.h"
#include "host/panel/session.h"
#include "host/render/panel_renderer.h"
#include "host/render/session_render.h"
#include "host/sim/start_state.h"
#include "host/sim/variables.h"
#include "tests/host/host_support.h"
#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

namespace fs = std::filesystem;
using testing::evaluated;
using testing::expect_matches_reference;
using testing::output_path;
using testing::Pixels;
using testing::solid;

const std::string kCockpit = tests::kCockpit.string();

Pixels png(const std::string& path) {
  return Pixels(cairo_image_surface_create_from_png(path.c_str()));
}

// The default cockpit's main panel, in window pixels.
constexpr int kMainWidth = 1600, kMainHeight = 820;

TEST(RenderCommand, DrawsTheVisibleWindowsWithTheSetValuesOrOneWindowAtAScale) {
  const std::string idle = output_path("rpm_0.png"), half = output_path("rpm_5000.png"),
                    starter = output_path("starter_2x.png");
  for (std::vector<std::string> args : {std::vector<std::string>{"--out", idle, "--set", "625=0"},
                                        {"--out", half, "--set", "625=54.72256"},
                                        {"--out", starter, "--window", "301", "--scale", "2"}}) {
    args.insert(args.begin(), {"render", "--panel", kCockpit});
    const tests::CommandRun run = tests::gaugehost(args);
    ASSERT_EQ(run.status, 0) << run.err;
  }
  const Pixels a = png(idle), b = png(half);
  EXPECT_EQ(a.width(), kMainWidth);  // only the main panel is visible at the start
  EXPECT_EQ(a.height(), kMainHeight);
  EXPECT_EQ(png(starter).width(), 2 * 260);  // the hidden starter panel, asked for by its ident
  EXPECT_EQ(png(starter).height(), 2 * 312);

  // The tachometer's pointer moved (its angles are in its check file), the rest of the panel not.
  EXPECT_FALSE(a == b);
  EXPECT_EQ(a.at(20, 20), b.at(20, 20));
}

TEST(RenderAndProfileCommands, BadArgumentsAreOneClearLineAndStatus2) {
  const std::string out = output_path("never.png");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"render", "--out", out}, "--panel FILE is required"},
      {{"render", "--panel", kCockpit, "--out", out, "--set", "16=1.5"}, "takes a whole number"},
      {{"render", "--panel", kCockpit, "--out", out, "--set", "999=1"}, "unknown variable 999"},
      {{"render", "--panel", kCockpit, "--out", out, "--window", "KNEEBOARD"}, "no window"},
      {{"render", "--panel", kCockpit, "--out", out, "--model", "maybe"}, "takes on or off"},
      {{"render", "--panel", kCockpit, "--out", "/nonexistent/x.png"}, "cannot write"},
      {{"profile"}, "--panel FILE is required"},
      {{"profile", "--panel", kCockpit, "--cycles", "0"}, "out of range"},
      {{"profile", "--panel", kCockpit, "--fast"}, "unknown option"},
  };
  for (const auto& [args, message] : cases) {
    const tests::CommandRun run = tests::gaugehost(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
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

class PanelRendererTest : public ::testing::Test {
 protected:
  PanelRendererTest() {
    images.add(1, solid(20, 20, 0, 0, 1));  // dial
    images.add(2, solid(10, 2, 1, 1, 1));   // needle
    for (EvaluatedElement* root : {&left, &right}) {
      *root = evaluated(dial.header, {evaluated(needle.header)});
      root->children[0].angle = 90;
    }
    window = {.size = {100, 50},
              .gauges = {{&left, &left, {10, 10, 20, 20}}, {&right, &right, {50, 10, 40, 40}}}};
  }
  Pixels full_redraw(double scale = 1) {
    PanelRenderer fresh(images);
    return Pixels(fresh.render_window(window, scale, {}));
  }

  ImageStore images;
  ElementStaticImage dial{{.kind = kElementStaticImage, .resource_id = 1}};
  ElementNeedle needle{.header = {.kind = kElementNeedle, .resource_id = 2,
                                  .position = {10, 10}, .pivot = {0, 1}}};
  EvaluatedElement left, right;
  WindowView window;
};

// A blue dial on the left at (10, 10); on the right at (50, 10), twice its size; white needles at
// 3 o'clock.
TEST_F(PanelRendererTest, GaugesLieAtTheirPlacementsScaledToTheirSize) {
  for (int scale : {1, 2}) {
    PanelRenderer fresh(images);
    expect_matches_reference("panel_window_" + std::to_string(scale) + "x",
                                      fresh.render_window(window, scale, {}));
  }
}

TEST_F(PanelRendererTest, KeptWindowIsPaintedAgainOnlyWhereAGaugeChanged) {
  PanelRenderer renderer(images);
  cairo_surface_t* kept = renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
  renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(renderer.last_counts().redrawn, 0);
  EXPECT_EQ(renderer.last_counts().reused, 2);

  // A picture of its own drawn in between (as `render` does) leaves the kept window to find the
  // change itself.
  left.children[0].angle = 135;
  cairo_surface_destroy(renderer.render_window(window, 1, {}));
  EXPECT_EQ(renderer.update_window(&window, window, 1, {}), kept);
  EXPECT_EQ(renderer.last_counts().redrawn, 1);
  EXPECT_EQ(Pixels(cairo_surface_reference(kept)), full_redraw());

  window.gauges[0].placement.x = 12;  // moved: nothing may be left behind at its old place
  kept = renderer.update_window(&window, window, 1, {});
  EXPECT_EQ(Pixels(cairo_surface_reference(kept)), full_redraw());

  renderer.update_window(&window, window, 2, {});  // another scale or lighting: all again
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
  renderer.update_window(&window, window, 2, {.night = true});
  EXPECT_EQ(renderer.last_counts().redrawn, 2);
}

struct Cockpit {
  explicit Cockpit(bool every_window) : session(Module::load(default_module_path())) {
    set_ramp_state(session.sim());
    session.load_panel(read_panel_config(kCockpit));
    if (every_window)
      for (size_t i = 0; i < session.windows().size(); ++i)
        session.set_window_visible(*session.find_window(session.windows()[i].ident), true);
    session.update(1);
  }
  Session session;
};

TEST(CockpitRedraw, FewNeedlesMovedPaintOverTheKeptPicturesAsAFullRedrawWould) {
  Cockpit cockpit(true);
  Session& session = cockpit.session;
  ImageStore images = ImageStore::for_module(session.module_handle());
  const std::vector<WindowView> windows = visible_window_views(session);
  ASSERT_EQ(windows.size(), session.windows().size());

  for (const double scale : {1.0, 1.5}) {
    for (const RenderOptions options : {RenderOptions{}, RenderOptions{.night = true}}) {
      SCOPED_TRACE(::testing::Message() << "scale " << scale << (options.night ? " night" : ""));
      PanelRenderer kept(images);
      for (const WindowView& window : windows) kept.update_window(&window, window, scale, options);

      // The three turbine dials move; nothing else does.
      const double percent = 40 + 25 * scale + (options.night ? 7 : 0);
      session.sim().set_var(kTurbineSpeed, percent);
      session.sim().set_var(kCorrectedN1, percent + 3);
      session.sim().set_var(kCorrectedN2, percent + 5);
      session.update(1);

      int redrawn = 0;
      for (const WindowView& window : windows) {
        cairo_surface_t* partial = kept.update_window(&window, window, scale, options);
        redrawn += kept.last_counts().redrawn;
        PanelRenderer fresh(images);
        EXPECT_TRUE(Pixels(cairo_surface_reference(partial)) ==
                    Pixels(fresh.render_window(window, scale, options)));
      }
      EXPECT_GE(redrawn, 3);   // the three dials...
      EXPECT_LE(redrawn, 6);   // ...and not the whole cockpit
    }
  }
}

TEST(ProfileCommand, CostsEveryGaugeOfTheWindowsAskedForAsJsonOrALinePerGauge) {
  const Cockpit cockpit(false);
  const Session& session = cockpit.session;
  const GaugeInstance& first = *session.gauges().front();
  for (const bool all_windows : {false, true}) {
    std::vector<std::string> args = {"profile", "--panel", kCockpit, "--cycles", "2", "--draws",
                                     "1", "--model", "off", "--json"};
    if (all_windows) args.push_back("--all-windows");
    const tests::CommandRun run = tests::gaugehost(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json profile = nlohmann::json::parse(run.out);
    size_t expected = 0;
    for (const auto& gauge : session.gauges())
      expected += all_windows || session.windows()[gauge->window].visible;
    ASSERT_EQ(profile["gauges"].size(), expected);
    EXPECT_EQ(expected < session.gauges().size(), !all_windows);
    EXPECT_EQ(profile["gauges"][0]["name"], first.name);
    EXPECT_EQ(profile["gauges"][0]["window"], session.windows()[first.window].title);
    for (const auto& cost : profile["gauges"]) EXPECT_GE(cost["elements"], 1) << cost["name"];
    EXPECT_EQ(profile["model_ns"], 0);  // no model
  }
  const tests::CommandRun run = tests::gaugehost(
      {"profile", "--panel", kCockpit, "--cycles", "2", "--draws", "1", "--all-windows"});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* line :
       {"\nRegistration ", "\nAP_Tester ", "\nall gauges ", "\naircraft model step "})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace gaugehost::render
