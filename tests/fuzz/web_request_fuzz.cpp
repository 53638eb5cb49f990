// The web server's handling of a page's request, without a socket: the Host, Origin and pairing
// token checks (those of a server on loopback and of one on every address), then a POST
// /api/ACTION body taken by the live cockpit. The input is the request as text:
//
//   /api/ACTION
//   Host: 127.0.0.1:8080
//   Origin: http://localhost:8080        (optional; other header lines are ignored)
//   Cookie: gaugehost_token_8080=...     (optional)
//
//   {"gauge":3,"action":"down","button":"left","x":10,"y":20}
//
// Every answer is 200 with a JSON object, 400 saying what is wrong with the body, 403 or 404;
// anything thrown past answer_action (a 500) or a sanitizer report is a finding. The cockpit is
// made once (loading the module and the panel per input would dwarf the request); between inputs
// it is only unpaused and put back to the normal rate. Other state (variables, windows, failures)
// carries over, as it does between a page's requests: a finding that does not replay alone is
// replayed after the run's corpus.
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/loader/module.h"
#include "host/web/cockpit.h"
#include "host/web/request_guard.h"
#include "host/web/web_server.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using namespace gaugehost::web;

constexpr std::string_view kApi = "/api/";

Cockpit& cockpit() {
  static Cockpit* live = [] {
    auto* made = new Cockpit(CockpitOptions{
        gaugehost::default_module_path(),
        std::filesystem::path(CRV5_SOURCE_DIR) / "panels/corvane/panel.cfg", "runway"});
    made->cycle();
    return made;
  }();
  return *live;
}

struct Request {
  std::string path;
  std::string host;
  std::string origin;
  std::string cookie;
  std::string body;
};

// The first line the path, then "Name: value" lines up to an empty line, then the body.
Request read_request(std::string_view text) {
  Request request;
  std::istringstream in{std::string(text)};
  std::getline(in, request.path);
  for (std::string line; std::getline(in, line) && !line.empty();) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const size_t value = std::min(line.find_first_not_of(' ', colon + 1), line.size());
    for (auto [name, field] : {std::pair{"Host", &request.host}, {"Origin", &request.origin},
                               {"Cookie", &request.cookie}})
      if (line.compare(0, colon, name) == 0) *field = line.substr(value);
  }
  request.body.assign(std::istreambuf_iterator<char>(in), {});
  return request;
}

void check_answer(const Answer& answer) {
  if (answer.status == 200) {
    const auto reply = nlohmann::json::parse(answer.body, nullptr, false);
    if (!reply.is_object()) __builtin_trap();  // a page always gets a JSON object back
  } else if (answer.status != 400 && answer.status != 403) {
    __builtin_trap();
  } else if (answer.body.size() < 2) {
    __builtin_trap();  // a refusal says why
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A server on loopback, and one on every address paired with a phone.
  static const RequestGuard loopback({"127.0.0.1", 8080});
  static const RequestGuard paired({"0.0.0.0", 8080}, std::vector<std::string>{"192.168.1.20"},
                                   "00112233445566778899aabbccddeeff");
  const Request request = read_request({reinterpret_cast<const char*>(data), size});
  if (auto refused = refusal(&paired, request.host, request.origin, request.cookie))
    check_answer(*refused);
  if (auto refused = refusal(&loopback, request.host, request.origin)) {
    check_answer(*refused);
    return 0;
  }
  if (!request.path.starts_with(kApi) || request.body.size() > kMaxBodyBytes) return 0;  // 404, 413
  check_answer(answer_action(cockpit(), request.path.substr(kApi.size()), request.body));
  cockpit().act("sim", {{"paused", false}, {"rate", 1}});
  return 0;
}
