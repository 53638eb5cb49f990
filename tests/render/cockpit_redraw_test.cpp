// The default cockpit, every window shown, with the real module and its artwork: a frame in which
// only a few needles moved, painted over the kept pictures, is pixel for pixel the picture drawn
// anew; and the per-gauge profile covers every gauge it is asked for.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host/panel/session.h"
#include "host/render/panel_renderer.h"
#include "host/render/profile.h"
#include "host/render/session_render.h"
#include "host/sim/start_state.h"
#include "host/sim/variables.h"
#include "tests/host/host_support.h"
#include "tests/render/render_support.h"

namespace gaugehost::render {
namespace {

using gaugehost::tests::kCockpit;
using testing::Pixels;

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

TEST(GaugeProfile, CostsEveryGaugeOfTheWindowsAskedFor) {
  for (const bool hidden_windows : {false, true}) {
    Cockpit cockpit(false);
    const Session& session = cockpit.session;
    ImageStore images = ImageStore::for_module(session.module_handle());
    const Profile profile = profile_session(
        cockpit.session, images, {.cycles = 3, .draws = 1, .hidden_windows = hidden_windows});
    size_t expected = 0;
    for (const auto& gauge : session.gauges())
      expected += hidden_windows || session.windows()[gauge->window].visible;
    ASSERT_EQ(profile.gauges.size(), expected);
    EXPECT_EQ(expected < session.gauges().size(), !hidden_windows);
    const GaugeInstance& first = *session.gauges().front();
    EXPECT_EQ(profile.gauges.front().window, session.windows()[first.window].title);
    for (const GaugeCost& cost : profile.gauges) {
      EXPECT_GE(cost.elements, 1) << cost.name;
      EXPECT_GE(std::min(cost.update_ns, cost.draw_ns), 0) << cost.name;
    }
    EXPECT_EQ(profile.model_ns, 0);  // no model
    const nlohmann::json json = profile;
    EXPECT_EQ(json["gauges"].size(), expected);
    EXPECT_EQ(json["gauges"][0]["name"], first.name);
  }
}

TEST(ProfileCommand, PrintsALinePerGaugeAndTheTotalsOrAClearError) {
  const auto profile = [](std::vector<std::string> args) {
    args.insert(args.begin(), "profile");
    return tests::gaugehost(args);
  };
  const tests::CommandRun run = profile(
      {"--panel", kCockpit.string(), "--cycles", "2", "--draws", "1", "--all-windows"});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* line :
       {"\nRegistration ", "\nAP_Tester ", "\nall gauges ", "\naircraft model step "})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "--panel FILE is required"},
           {{"--panel", kCockpit.string(), "--cycles", "0"}, "out of range"},
           {{"--panel", kCockpit.string(), "--fast"}, "unknown option"}}) {
    const tests::CommandRun bad = profile(args);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find(message), std::string::npos) << bad.err;
  }
}

}  // namespace
}  // namespace gaugehost::render
