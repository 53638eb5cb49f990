// The web cockpit's own logic: who may talk to the server, how fast, and what a page is sent.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host/base/host_error.h"
#include "host/loader/module.h"
#include "host/web/cockpit.h"
#include "host/web/gauge_track.h"
#include "host/web/op_codec.h"
#include "host/web/request_guard.h"
#include "tests/host/host_support.h"

namespace gaugehost::web {
namespace {

// The served cockpit starts in its scenario after the panel has connected: the scenario's engine
// and switches win over the Engine_Off plug's shut-down, and its clicks power the radio heads.
TEST(Cockpit, ScenarioAppliedAfterThePanelConnects) {
  Cockpit cockpit(CockpitOptions{default_module_path(), tests::kCockpit, "runway"});
  for (int i = 0; i < 36; ++i) cockpit.cycle();
  const auto vars = nlohmann::json::parse(cockpit.variables_json({625, 364}));
  EXPECT_NEAR(vars[0]["value"].get<double>(), 62, 2);
  EXPECT_EQ(vars[1]["value"].get<double>(), 1);
  int64_t nav1 = -1;
  const auto layout = nlohmann::json::parse(cockpit.layout_json());
  for (const auto& gauge : layout["gauges"])
    if (gauge["name"] == "Radio_NAV1") nav1 = gauge["index"].get<int64_t>();
  ASSERT_GE(nav1, 0);
  EXPECT_EQ(nlohmann::json::parse(cockpit.tooltip_json(nav1, 40, 40))["text"],
            "NAV1 main switch (on)");
  // The main panel where the simulator shows it: the screen's width, at its bottom.
  const auto& screen = layout["windows"][0]["screen"];
  EXPECT_EQ(screen["w"].get<double>(), 1.0);
  EXPECT_NEAR(screen["y"].get<double>() + screen["h"].get<double>(), 1.0, 1e-9);
}

// Whatever a page sends, the buttons it holds and the failure keys it sets stay few.
TEST(Cockpit, HeldButtonsAndExtraFailureKeysAreCapped) {
  Cockpit cockpit(CockpitOptions{default_module_path(), tests::kCockpit, "ramp"});
  const auto layout = nlohmann::json::parse(cockpit.layout_json());
  nlohmann::json down;  // a left click on the first area that repeats while held
  for (const auto& gauge : layout["gauges"])
    for (const auto& area : gauge["areas"])
      if (down.is_null() && area["kind"] == "child" &&
          (area["flags"].get<uint32_t>() & (kMouseLeftSingle | kMouseRepeat)) ==
              (kMouseLeftSingle | kMouseRepeat))
        down = {{"gauge", gauge["index"]}, {"action", "down"}, {"button", "left"},
                {"x", area["box"][0].get<int>() + 1}, {"y", area["box"][1].get<int>() + 1}};
  ASSERT_FALSE(down.is_null()) << "no repeating area on the default cockpit";
  for (int i = 0; i < 100; ++i) {
    down["hold"] = "finger " + std::to_string(i);
    ASSERT_TRUE(nlohmann::json::parse(cockpit.act("mouse", down))["repeats"]);
  }
  EXPECT_EQ(cockpit.held_buttons(), kMaxHeldButtons);

  const size_t own = layout["failure_keys"].size();
  const auto fail = [&](int key) {
    return cockpit.act("failure", {{"key", key}, {"on", true}});
  };
  for (size_t i = 0; i < kMaxExtraFailureKeys; ++i) fail(100000 + int(i));
  EXPECT_THROW(fail(200000), BadRequest);
  EXPECT_NO_THROW(fail(100000));  // one already set may be set again
  EXPECT_NO_THROW(fail(layout["failure_keys"][0].get<int>()));  // and the panel's own
  EXPECT_EQ(nlohmann::json::parse(cockpit.layout_json())["failure_keys"].size(),
            own + kMaxExtraFailureKeys);
}

TEST(ListenAddress, ParsesAddressAndPort) {
  EXPECT_EQ(parse_listen_address("127.0.0.1:8080").host, "127.0.0.1");
  EXPECT_EQ(parse_listen_address("127.0.0.1:8080").port, 8080);
  EXPECT_EQ(parse_listen_address(":9000").host, "127.0.0.1");
  EXPECT_EQ(parse_listen_address("[::1]:80").host, "::1");
  EXPECT_EQ(parse_listen_address("localhost:80").host, "127.0.0.1");
  for (const char* bad : {"", "8080", "127.0.0.1", "127.0.0.1:70000",
                          "127.0.0.1:-1", "::1:80", "[::1]80"})
    EXPECT_THROW(parse_listen_address(bad), HostError) << bad;
}

TEST(RequestGuard, LoopbackAnswersOnlyToItsOwnNamesAndEveryAddressToLiterals) {
  const RequestGuard guard({"127.0.0.1", 8080});
  for (const char* host : {"127.0.0.1:8080", "localhost:8080", "LOCALHOST:8080", "[::1]:8080"})
    EXPECT_TRUE(guard.host_allowed(host)) << host;
  for (const char* host : {"", "127.0.0.1", "127.0.0.1:8081", "evil.example:8080",
                           "localhost.evil.example:8080", "10.0.0.1:8080", "127.0.0.1:8080:1"})
    EXPECT_FALSE(guard.host_allowed(host)) << host;
  EXPECT_TRUE(guard.origin_allowed(""));
  EXPECT_TRUE(guard.origin_allowed("http://localhost:8080"));
  for (const char* origin : {"http://evil.example:8080", "https://localhost:8080", "null",
                             "http://localhost:9999"})
    EXPECT_FALSE(guard.origin_allowed(origin)) << origin;
  const RequestGuard every({"0.0.0.0", 80});
  EXPECT_TRUE(every.host_allowed("192.168.1.20:80"));
  EXPECT_TRUE(every.host_allowed("localhost:80"));
  EXPECT_FALSE(every.host_allowed("rebound.example:80"));
}

TEST(RateLimiter, AllowsABurstThenTheRate) {
  RateLimiter limiter(10, 5);
  const auto start = std::chrono::steady_clock::now();
  int allowed = 0;
  for (int i = 0; i < 20; ++i) allowed += limiter.allow("a", start);
  EXPECT_EQ(allowed, 5);
  EXPECT_TRUE(limiter.allow("b", start)) << "each client has its own share";
  EXPECT_FALSE(limiter.allow("a", start + std::chrono::milliseconds(50)));
  EXPECT_TRUE(limiter.allow("a", start + std::chrono::milliseconds(150)));
}

render::ImageOp needle(double turn) {
  return render::ImageOp{.resource_id = 470,
                         .transform = render::Affine::translation(100, 100) *
                                      render::Affine::rotation(turn),
                         .size = {136, 28}};
}

render::DisplayList dial(double turn) {
  render::DisplayList list{.size = {200, 200}};
  list.ops.push_back(render::ImageOp{.resource_id = 460, .size = {200, 200}});
  list.ops.push_back(needle(turn));
  return list;
}

TEST(GaugeTrack, SendsOnlyWhatChangedSinceThePagesFrame) {
  GaugeTrack track;
  EXPECT_EQ(track.changes_since(0, 3), "");
  ASSERT_TRUE(track.update(dial(10), 1));
  EXPECT_FALSE(track.update(dial(10), 2)) << "an unchanged list is no change";
  ASSERT_TRUE(track.update(dial(20), 3));

  const auto changes = [&](uint64_t since) {
    const std::string text = track.changes_since(since, 3);
    return text.empty() ? nlohmann::json() : nlohmann::json::parse(text);
  };
  // A new page gets everything; one that saw frame 1 only the needle; one up to date nothing.
  EXPECT_EQ(changes(0)["ops"].size(), 2u);
  EXPECT_EQ(changes(0)["g"], 3);
  EXPECT_EQ(changes(0)["n"], 2);
  ASSERT_EQ(changes(1)["ops"].size(), 1u);
  EXPECT_EQ(changes(1)["ops"][0][0], 1);
  EXPECT_TRUE(changes(3).is_null());

  // A list that shrinks tells its new length even with no operation changed.
  render::DisplayList shorter = dial(20);
  shorter.ops.pop_back();
  ASSERT_TRUE(track.update(shorter, 4));
  EXPECT_EQ(changes(3)["n"], 1);
  EXPECT_TRUE(changes(3)["ops"].empty());
}

TEST(OpCodec, NumbersAreShortAndTextStaysJson) {
  EXPECT_EQ(short_number(1.0, 5), "1");
  EXPECT_EQ(short_number(-0.000001, 5), "0");
  EXPECT_EQ(short_number(0.707106781, 5), "0.70711");
  EXPECT_EQ(short_number(std::nan(""), 3), "0");
  const std::string needle_op = encode_op(needle(45));
  EXPECT_LT(needle_op.size(), 90u) << needle_op;
  const auto parsed = nlohmann::json::parse(needle_op);
  EXPECT_EQ(parsed["id"], 470);
  EXPECT_NEAR(parsed["t"][0].get<double>(), 0.70711, 1e-9);

  render::TextOp text{.text = "12\"3\xB0", .box = {1, 2, 30, 10}, .font = "Quartz"};
  const auto text_json = nlohmann::json::parse(encode_op(text));  // not UTF-8: replaced, still JSON
  EXPECT_EQ(text_json["k"], "t");
  EXPECT_EQ(text_json["f"], "Quartz");
  EXPECT_EQ(text_json["s"].get<std::string>().substr(0, 3), "12\"");
}

}  // namespace
}  // namespace gaugehost::web
