// The web server and the FlightGear link under hostile clients, on loopback (not a test; run on
// demand: build/server_bench). Each case is bounded in count and time; the figures:
// - resident memory around oversized bodies: 128 MiB chunked, a million header lines;
// - a page's GET / while 200 clients trickle their headers;
// - POSTs on a kept connection against fresh ones (median);
// - stream frames a second while four clients loop over a tinted background picture;
// - real FlightGear frames kept while 10^6 garbage datagrams flood the link.
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/cockpit.h"
#include "host/loader/module.h"
#include "host/sim/flightgear/flightgear_link.h"
#include "host/web/web_server.h"
#include "tests/support/loopback_client.h"

namespace {

using namespace gaugehost;
using gaugehost::tests::Client;
using Clock = std::chrono::steady_clock;
using bench::resident_mib;

double milliseconds_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Served {
  web::Cockpit cockpit{
      web::CockpitOptions{default_module_path(), bench::default_cockpit(), "ramp"}};
  web::WebServer server{cockpit, {"127.0.0.1", 0}};
  int port = server.bind();
  std::string host = "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";

  std::string post(std::string_view framing, std::string_view body) const {
    return "POST /api/var HTTP/1.1\r\n" + host + std::string(framing) + "\r\n" + std::string(body);
  }
};

void oversized_bodies(const Served& s) {
  const double before = resident_mib();
  Client chunked(s.port);
  chunked.send(s.post("Transfer-Encoding: chunked\r\n", ""));
  const std::string piece = "10000\r\n" + std::string(0x10000, 'x') + "\r\n";
  size_t sent = 0;
  while (sent < (size_t(128) << 20) && chunked.send(piece)) sent += 0x10000;
  chunked.send("0\r\n\r\n");
  const int status = chunked.answer();
  std::printf("chunked POST of %zu MiB: %d, resident %.0f -> %.0f MiB\n", sent >> 20, status,
              before, resident_mib());

  Client headers(s.port);
  headers.send("GET / HTTP/1.1\r\n" + s.host);
  int lines = 0;
  while (lines < 1000000 && headers.send("X-Header-Line: 1\r\n")) ++lines;
  std::printf("a million header lines: answered %d after %d lines, resident %.0f MiB\n",
              headers.answer(), lines, resident_mib());
}

void slow_clients(const Served& s) {
  std::vector<std::unique_ptr<Client>> slow;
  for (int i = 0; i < 200; ++i) {
    slow.push_back(std::make_unique<Client>(s.port));
    slow.back()->send("GET / HTTP/1.1\r\nX-Slow: ");
  }
  std::vector<double> times;
  for (int round = 0; round < 5; ++round) {
    for (auto& client : slow) client->send("x");
    const auto start = Clock::now();
    Client page(s.port);
    page.send("GET / HTTP/1.1\r\n" + s.host + "\r\n");
    if (page.answer() == 200) times.push_back(milliseconds_since(start));
    std::this_thread::sleep_for(std::chrono::seconds(1));
  }
  std::printf("GET / while 200 clients trickle headers: %zu of 5 answered, median %.2f ms\n",
              times.size(), times.empty() ? 0.0 : median(times));
  const auto start = Clock::now();
  int closed = 0;
  for (auto& client : slow) closed += client->closed_by_server();
  std::printf("the 200 trickling clients shut by the header deadline: %d (%.1f s more)\n", closed,
              milliseconds_since(start) / 1000);
}

void kept_alive_posts(const Served& s) {
  const auto post = [&](Client& client, int value) {
    const std::string body = R"({"id": 625, "value": )" + std::to_string(value) + "}";
    const auto start = Clock::now();
    client.send(s.post("Content-Length: " + std::to_string(body.size()) + "\r\n", body));
    client.answer();
    return milliseconds_since(start);
  };
  std::vector<double> kept, fresh;
  Client connection(s.port);
  for (int i = 0; i < 200; ++i) kept.push_back(post(connection, i));
  for (int i = 0; i < 200; ++i) {
    Client once(s.port);
    fresh.push_back(post(once, i));
  }
  std::printf("POST /api/var: kept connection median %.3f ms, fresh connection %.3f ms\n",
              median(kept), median(fresh));
}

void picture_load(Served& s) {
  const std::string get = "GET /background/0?tint=warm HTTP/1.1\r\n" + s.host + "\r\n";
  const auto first = Clock::now();
  {
    Client client(s.port);
    client.send(get);
    client.answer();
  }
  std::printf("background picture, first request (encoded): %.1f ms\n", milliseconds_since(first));
  std::atomic<bool> done{false};
  std::atomic<int> pictures{0};
  std::vector<std::thread> loops;
  for (int i = 0; i < 4; ++i)
    loops.emplace_back([&] {
      Client client(s.port);
      while (!done && client.send(get) && client.answer() == 200) ++pictures;
    });
  Client stream(s.port);
  stream.send("GET /stream HTTP/1.1\r\n" + s.host + "\r\n");
  stream.events(1);
  const auto start = Clock::now();
  stream.events(1 + 5 * 18);
  const double seconds = milliseconds_since(start) / 1000;
  done = true;
  for (auto& loop : loops) loop.join();
  std::printf("stream with 4 clients looping the picture: %.1f frames/s, %.0f pictures/s\n",
              90 / seconds, pictures / seconds);
}

void flightgear_flood() {
  auto input = std::make_unique<flightgear::UdpInput>(0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(input->port());
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  flightgear::FlightGearLink link(std::move(input));
  const std::string good =
      "161.50,0.2480,3401.0,-14.20,-1.50,5.20,272.00,270.00,269.50,271.00,0.050,0.300,1.020,"
      "47.245378,6.689511,3420.0,0,12.5,1,1,0.050,1,0,1,-0.100,270.00,0,0,0.000,0,0,0,0.000,0.00,"
      "1,7.10,1,2.00,0,0,0\n";
  std::atomic<bool> flooding{true};
  std::atomic<int> real{0};
  std::thread flood([&] {
    const int out = ::socket(AF_INET, SOCK_DGRAM, 0);
    for (int i = 0; i < 1000000; ++i)
      ::sendto(out, "garbage\n", 8, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::close(out);
    flooding = false;
  });
  std::thread frames([&] {
    const int out = ::socket(AF_INET, SOCK_DGRAM, 0);
    while (flooding) {
      ::sendto(out, good.data(), good.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
      ++real;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(out);
  });
  SimState sim;
  const auto start = Clock::now();
  while (flooding) {
    link.advance(sim, 1.0 / 18);
    std::this_thread::sleep_for(std::chrono::milliseconds(55));
  }
  flood.join();
  frames.join();
  link.advance(sim, 1.0 / 18);
  std::printf("FlightGear flood of 10^6 garbage datagrams (%.1f s): %llu of %d real frames kept, "
              "%llu garbage read\n",
              milliseconds_since(start) / 1000, static_cast<unsigned long long>(link.frames()),
              real.load(), static_cast<unsigned long long>(link.malformed()));
}

}  // namespace

int main() {
  Served served;
  served.cockpit.start();
  oversized_bodies(served);
  slow_clients(served);
  kept_alive_posts(served);
  picture_load(served);
  served.server.stop();
  served.cockpit.stop();
  flightgear_flood();
  return 0;
}
