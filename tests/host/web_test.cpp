// The web cockpit's own logic: who may talk to the server, how fast, and what a page is sent.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host/base/host_error.h"
#include "host/loader/module.h"
#include "host/web/cockpit.h"
#include "host/web/gauge_track.h"
#include "host/web/op_codec.h"
#include "host/web/request_guard.h"
#include "host/web/web_server.h"
#include "tests/host/host_support.h"
#include "tests/support/loopback_client.h"

namespace gaugehost::web {
namespace {

// The served cockpit starts in its scenario after the panel has connected: the scenario's engine
// and switches win over the Engine_Off plug's shut-down. (Its clicks on the radio heads, made by
// the session as for a check file: tests/checks/model/cockpit_scenario_runway.check.)
TEST(Cockpit, ScenarioAppliedAfterThePanelConnects) {
  Cockpit cockpit(CockpitOptions{default_module_path(), tests::kCockpit, "runway"});
  for (int i = 0; i < 36; ++i) cockpit.cycle();
  const auto vars = nlohmann::json::parse(cockpit.variables_json({625, 364}));
  EXPECT_NEAR(vars[0]["value"].get<double>(), 62, 2);
  EXPECT_EQ(vars[1]["value"].get<double>(), 1);
  EXPECT_THROW(cockpit.act("var", {{"id", 5000}, {"value", 1}}), BadRequest);  // not the host's
  const auto layout = nlohmann::json::parse(cockpit.layout_json());
  // The main panel where the simulator shows it: the screen's width, at its bottom.
  const auto& screen = layout["windows"][0]["screen"];
  EXPECT_EQ(screen["w"].get<double>(), 1.0);
  EXPECT_NEAR(screen["y"].get<double>() + screen["h"].get<double>(), 1.0, 1e-9);
}

// Whatever a page sends, the failure keys it sets stay few.
TEST(Cockpit, ExtraFailureKeysAreCapped) {
  Cockpit cockpit(CockpitOptions{default_module_path(), tests::kCockpit, "ramp"});
  const auto layout = nlohmann::json::parse(cockpit.layout_json());
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

// The stream: a new page gets the whole panel and the session; a page of this session goes on
// from its frame and, while nothing changes, is sent heartbeats only; a page of another run
// (the server restarted under it) starts again.
TEST(Cockpit, StreamResumesThisSessionAndRestartsAnother) {
  Cockpit cockpit(CockpitOptions{default_module_path(), tests::kCockpit, "ramp"});
  const std::string session = cockpit.session_id();
  uint64_t since = cockpit.resume_point("");
  EXPECT_EQ(since, 0u);
  const std::string first = cockpit.next_message(since, false);
  EXPECT_NE(first.find("event: frame"), std::string::npos);
  EXPECT_NE(first.find("\"session\":\"" + session + "\""), std::string::npos);
  EXPECT_NE(first.find("id: " + session + "/"), std::string::npos);
  EXPECT_EQ(cockpit.resume_point(session + "/" + std::to_string(since)), since);
  EXPECT_EQ(cockpit.resume_point("0123/" + std::to_string(since)), 0u) << "another run";
  EXPECT_EQ(cockpit.resume_point(session + "/99999999"), 0u) << "a frame yet to come";
  // Cold and dark, the gyro cards creep by less than a pixel: nothing to tell but a beat.
  for (int i = 0; i < 72; ++i) cockpit.cycle();
  EXPECT_EQ(cockpit.next_message(since, false), "") << "still, and no beat due yet";
  const std::string beat = cockpit.next_message(since, true);
  EXPECT_EQ(beat.rfind("id: " + session + "/" + std::to_string(cockpit.frame()) +
                           "\nevent: beat\ndata: {\"frame\":" + std::to_string(cockpit.frame()),
                       0),
            0u)
      << beat;
}

// A page asking for more variables than are answered is refused, not answered in part.
TEST(Cockpit, VariableListsAreRefusedWholeNotCut) {
  std::string list = "0";
  for (size_t i = 1; i < kMaxVariablesAsked; ++i) list += "," + std::to_string(i);
  EXPECT_EQ(variable_ids(list).size(), kMaxVariablesAsked);
  EXPECT_THROW(variable_ids(list + ",7"), BadRequest);
  for (const char* bad : {"12,x", "4294967296", "-1", "1,,2"})
    EXPECT_THROW(variable_ids(bad), BadRequest) << bad;
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

TEST(RequestGuard, LoopbackAnswersOnlyToItsOwnNamesAndEveryAddressToItsAddresses) {
  const RequestGuard guard({"127.0.0.1", 8080});
  for (const char* host : {"127.0.0.1:8080", "localhost:8080", "LOCALHOST:8080", "[::1]:8080"})
    EXPECT_TRUE(guard.host_allowed(host)) << host;
  for (const char* host : {"", "127.0.0.1", "127.0.0.1:8081", "evil.example:8080",
                           "localhost.evil.example:8080", "10.0.0.1:8080", "127.0.0.1:8080:1"})
    EXPECT_FALSE(guard.host_allowed(host)) << host;
  EXPECT_TRUE(guard.origin_allowed("", "localhost:8080"));
  EXPECT_TRUE(guard.origin_allowed("http://localhost:8080", "LOCALHOST:8080"));
  // The page's origin is exactly the address it addressed: not another name of the server.
  for (const char* origin : {"http://evil.example:8080", "https://localhost:8080", "null",
                             "http://localhost:9999", "http://127.0.0.1:8080",
                             "http://localhost:8080/"})
    EXPECT_FALSE(guard.origin_allowed(origin, "localhost:8080")) << origin;
  EXPECT_TRUE(guard.token_allowed("", "")) << "no token on loopback";
  const RequestGuard every({"0.0.0.0", 80}, std::vector<std::string>{"192.168.1.20"});
  EXPECT_TRUE(every.host_allowed("192.168.1.20:80"));
  EXPECT_TRUE(every.host_allowed("localhost:80"));
  EXPECT_FALSE(every.host_allowed("192.168.1.21:80")) << "not an address of this machine";
  EXPECT_FALSE(every.host_allowed("rebound.example:80"));
}

// Beyond loopback a request needs the pairing token, read or write, and a page of that very
// address: a page served from another address may not write even with the token in the cookie.
TEST(RequestGuard, BeyondLoopbackEveryRequestCarriesTheToken) {
  const std::string token = random_token();
  EXPECT_EQ(token.size(), 32u);
  EXPECT_NE(token, random_token());
  const RequestGuard guard({"0.0.0.0", 8080}, std::vector<std::string>{"192.168.1.20"}, token);
  const std::string host = "192.168.1.20:8080";
  const std::string cookie = "other=1; " + guard.cookie_name() + "=" + token;
  const auto status = [&](std::string_view origin, std::string_view cookie_header,
                          std::string_view param) {
    const auto refused = refusal(&guard, host, origin, cookie_header, param);
    return refused ? refused->status : 200;
  };
  EXPECT_EQ(status("", "", ""), 403) << "a read without the token";
  EXPECT_EQ(status("http://" + host, "", ""), 403) << "a write without the token";
  EXPECT_EQ(status("", guard.cookie_name() + "=" + token.substr(1), ""), 403);
  EXPECT_EQ(status("", "gaugehost_token_9999=" + token, ""), 403) << "another port's cookie";
  EXPECT_EQ(status("", cookie, ""), 200);
  EXPECT_EQ(status("", "", token), 200) << "the printed address";
  EXPECT_EQ(status("http://" + host, cookie, ""), 200);
  EXPECT_EQ(status("http://203.0.113.66:8080", cookie, ""), 403);
  EXPECT_EQ(status("http://localhost:8080", cookie, ""), 403);
}

// Each picture is made once; one that does not exist is not kept.
TEST(PictureCache, MakesEachPictureOnceAndKeepsNoMisses) {
  PictureCache cache;
  int made = 0;
  const auto png = [&]() -> std::optional<std::string> { ++made; return "png"; };
  const auto none = [&]() -> std::optional<std::string> { ++made; return std::nullopt; };
  const auto first = cache.get("bitmap/1/none", png);
  EXPECT_EQ(cache.get("bitmap/1/none", png), first);
  EXPECT_NE(cache.get("bitmap/1/warm", png), first);
  EXPECT_EQ(made, 2);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(cache.get("bitmap/" + std::to_string(i + 2), none), nullptr);
  EXPECT_EQ(cache.size(), 2u);
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

  // A needle's tip creeping by a quarter of a pixel is no change; one that turns is sent as its
  // transform alone to a page that has the rest of it, whole to a page that has not.
  ASSERT_TRUE(track.update(dial(20), 5));
  EXPECT_FALSE(track.update(dial(20.1), 6));
  ASSERT_TRUE(track.update(dial(25), 7));
  EXPECT_TRUE(changes(5)["ops"][0][1].is_array());
  EXPECT_EQ(changes(5).count("n"), 0u) << "the count is sent only when it changed";
  EXPECT_EQ(changes(4)["ops"][0][1]["id"], 470);
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
  EXPECT_NEAR(parsed["t"][0].get<double>(), 0.7071, 1e-9);

  render::TextOp text{.text = "12\"3\xB0", .box = {1, 2, 30, 10}, .font = "Quartz"};
  const auto text_json = nlohmann::json::parse(encode_op(text));  // not UTF-8: replaced, still JSON
  EXPECT_EQ(text_json["k"], "t");
  EXPECT_EQ(text_json["f"], "Quartz");
  EXPECT_EQ(text_json["s"].get<std::string>().substr(0, 3), "12\"");
}

// --- The server over loopback sockets ---

using tests::Client;

// A request with its headers (the Host line among them) and a body of Content-Length.
std::string request(std::string_view method, std::string_view path, std::string_view headers,
                    std::string_view body = "") {
  const std::string length =
      body.empty() ? "" : "Content-Length: " + std::to_string(body.size()) + "\r\n";
  return std::string(method) + " " + std::string(path) + " HTTP/1.1\r\n" + std::string(headers) +
         length + "\r\n" + std::string(body);
}

class ServedCockpit : public ::testing::Test {
 protected:
  explicit ServedCockpit(Pairing pairing = Pairing::beyond_loopback) : pairing_(pairing) {}
  static HttpLimits short_deadlines() {
    HttpLimits limits;
    limits.header_deadline = std::chrono::milliseconds(300);
    limits.body_deadline = std::chrono::milliseconds(300);
    return limits;
  }
  Pairing pairing_;
  Cockpit cockpit_{CockpitOptions{default_module_path(), tests::kCockpit, "ramp"}};
  WebServer server_{cockpit_, {"127.0.0.1", 0}, short_deadlines(), pairing_};
  int port_ = server_.bind();
  std::string host_ = "Host: 127.0.0.1:" + std::to_string(port_) + "\r\n";

  std::string post(std::string_view framing, std::string_view body) {
    return "POST /api/var HTTP/1.1\r\n" + host_ + std::string(framing) + "\r\n" +
           std::string(body);
  }
};

// A paired page (which request needs the token: RequestGuard above): the printed address sets
// the cookie, with which the page reads and, from its own origin, writes.
struct ServedPairedCockpit : ServedCockpit {
  ServedPairedCockpit() : ServedCockpit(Pairing::always) {}
};

TEST_F(ServedPairedCockpit, ThePrintedAddressSetsTheCookieThatReadsAndWrites) {
  const std::string cookie = "Cookie: gaugehost_token_" + std::to_string(port_) + "=" +
                             server_.token() + "\r\n";
  const std::string origin = "Origin: http://127.0.0.1:" + std::to_string(port_) + "\r\n";
  const std::string body = R"({"id": 625, "value": 7})";
  const std::pair<std::string, int> steps[] = {
      {request("GET", "/", host_), 403},
      {request("GET", "/?token=" + server_.token(), host_), 303},
      {request("GET", "/api/layout", host_ + cookie), 200},
      {request("POST", "/api/var", host_ + origin + cookie, body), 200},
  };
  Client client(port_);
  for (const auto& [text, status] : steps) {
    client.send(text);
    EXPECT_EQ(client.answer(), status) << text.substr(0, 40);
  }
  EXPECT_EQ(nlohmann::json::parse(cockpit_.variables_json({625}))[0]["value"], 7);
}

// What a page may ask wrongly is refused with the status that says why, and the server goes on.
TEST_F(ServedCockpit, AnswersBadRequestsWithTheirStatus) {
  const std::tuple<const char*, const char*, std::string, const char*, int> cases[] = {
      {"GET", "/api/layout", "Host: rebound.example:80\r\n", "", 403},
      {"POST", "/api/mouse", host_ + "Origin: http://evil.example\r\n", "{}", 403},
      {"POST", "/api/mouse", host_, R"({"gauge":)", 400},
      {"POST", "/api/mouse", host_,
       R"({"gauge":100000,"action":"down","x":1,"y":1,"button":"left"})", 400},
      {"GET", "/api/tooltip?gauge=0&x=nan&y=1", host_, "", 400},
      {"POST", "/api/var", host_, R"({"id":16,"value":1.5})", 400},
      {"GET", "/../../etc/passwd", host_, "", 404},
      {"POST", "/api/explode", host_, "{}", 404},
  };
  for (const auto& [method, path, headers, body, status] : cases) {
    Client client(port_);
    client.send(request(method, path, headers, body));
    EXPECT_EQ(client.answer(), status) << method << " " << path;
  }
  Client page(port_);
  page.send(request("GET", "/api/layout", host_));
  EXPECT_EQ(page.answer(), 200);
}

// A body past the limit is refused however it is framed, and so is a header of too many lines;
// the connection of a refused body is closed, so its rest is never read.
TEST_F(ServedCockpit, RefusesLargeBodiesHoweverFramedAndLongHeaders) {
  std::string chunks, lines;
  for (int i = 0; i < 64; ++i) chunks += "4000\r\n" + std::string(16384, 'x') + "\r\n";
  for (int i = 0; i < 200; ++i) lines += "X-Line-" + std::to_string(i) + ": 1\r\n";
  const std::tuple<std::string, int, bool> cases[] = {  // request, status, connection closed
      {post("Transfer-Encoding: chunked\r\n", chunks + "0\r\n\r\n"), 413, true},
      {post("Content-Length: 1000000000\r\n", "{"), 413, true},
      {"GET / HTTP/1.1\r\n" + host_ + lines + "\r\n", 431, false},
      {"GET / HTTP/1.1\r\n" + host_ + "X-Long: " + std::string(1 << 20, 'y') + "\r\n\r\n", 431,
       false},  // a header far past the connection's memory
      // No length, no chunks: no body, whatever follows.
      {post("", "{\"id\": 625, \"value\": 1}"), 400, false},
  };
  for (const auto& [text, status, closed] : cases) {
    Client client(port_);
    client.send(text);
    EXPECT_EQ(client.answer(), status) << text.substr(0, 40);
    if (closed) {
      EXPECT_TRUE(client.closed_by_server()) << text.substr(0, 40);
    }
  }
}

// Clients that trickle their header hold no worker and are shut out at the header's deadline;
// a page meanwhile loads, streams frames and posts on a kept connection.
TEST_F(ServedCockpit, SlowClientsDoNotLockOutAPage) {
  std::vector<std::unique_ptr<Client>> slow;
  for (int i = 0; i < 100; ++i) {
    slow.push_back(std::make_unique<Client>(port_));
    ASSERT_TRUE(slow.back()->connected());
    slow.back()->send("GET / HTTP/1.1\r\n");
  }
  Client page(port_);
  page.send("GET / HTTP/1.1\r\n" + host_ + "\r\n");
  EXPECT_EQ(page.answer(), 200);
  for (int i = 0; i < 20; ++i) {
    page.send(
        request("POST", "/api/var", host_, R"({"id": 625, "value": )" + std::to_string(i) + "}"));
    ASSERT_EQ(page.answer(), 200) << i;
  }
  Client stream(port_);
  stream.send("GET /stream HTTP/1.1\r\n" + host_ + "\r\n");
  cockpit_.start();
  EXPECT_TRUE(stream.events(3));
  for (auto& client : slow) {
    client->send("X-Trickle: 1\r\n");
    EXPECT_TRUE(client->closed_by_server());
  }
  Client slow_body(port_);
  slow_body.send(post("Content-Length: 100\r\n", "{"));
  EXPECT_TRUE(slow_body.closed_by_server());
  cockpit_.stop();
}

}  // namespace
}  // namespace gaugehost::web
