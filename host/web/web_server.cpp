#include "host/web/web_server.h"

#include <httplib.h>

#include <charconv>
#include <chrono>

#include <nlohmann/json.hpp>

#include "host/base/host_error.h"
#include "host/web/page_files.h"

namespace gaugehost::web {

namespace {

using httplib::Request;
using httplib::Response;

constexpr const char* kJson = "application/json";
constexpr const char* kText = "text/plain; charset=utf-8";

void refuse(Response& res, int status, const std::string& why) {
  res.status = status;
  res.set_content(why + "\n", kText);
}

std::optional<int64_t> whole(const std::string& text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> number(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string client_of(const Request& req) { return req.remote_addr; }

Answer refused(int status, const std::string& why) { return Answer{status, why + "\n", kText}; }

void send(Response& res, Answer answer) {
  res.status = answer.status;
  res.set_content(std::move(answer.body), answer.content_type);
}

}  // namespace

std::optional<Answer> refusal(const RequestGuard* guard, std::string_view host_header,
                              std::string_view origin_header) {
  if (!guard || !guard->host_allowed(host_header))
    return refused(403, "this server answers only to its own address");
  if (!guard->origin_allowed(origin_header))
    return refused(403, "requests from other sites are refused");
  return std::nullopt;
}

Answer answer_action(Cockpit& cockpit, const std::string& action, const std::string& body) {
  const auto request = nlohmann::json::parse(body, nullptr, false);
  if (request.is_discarded()) return refused(400, "malformed JSON");
  try {
    return Answer{200, cockpit.act(action, request), kJson};
  } catch (const BadRequest& bad) {
    return refused(400, bad.what());
  } catch (const nlohmann::json::exception& bad) {
    return refused(400, std::string("malformed JSON: ") + bad.what());
  }
}

WebServer::WebServer(Cockpit& cockpit, ListenAddress listen)
    : cockpit_(cockpit),
      listen_(std::move(listen)),
      server_(std::make_unique<httplib::Server>()),
      version_(std::to_string(
          std::chrono::system_clock::now().time_since_epoch() / std::chrono::milliseconds(1))) {
  server_->new_task_queue = [] { return new httplib::ThreadPool(kMaxStreams + 16); };
  server_->set_payload_max_length(kMaxBodyBytes);
  server_->set_keep_alive_max_count(1000);
  routes();
}

WebServer::~WebServer() { stop(); }

int WebServer::bind() {
  int port = listen_.port;
  if (port == 0) {
    port = server_->bind_to_any_port(listen_.host);
  } else if (!server_->bind_to_port(listen_.host, port)) {
    port = -1;
  }
  if (port <= 0)
    throw HostError("cannot listen on " + listen_.host + ":" + std::to_string(listen_.port) +
                    " (in use, or not an address of this machine)");
  listen_.port = port;
  guard_ = std::make_unique<RequestGuard>(listen_);
  return port;
}

void WebServer::run() { server_->listen_after_bind(); }

void WebServer::stop() {
  stopping_ = true;
  if (server_) server_->stop();
}

void WebServer::routes() {
  httplib::Server& s = *server_;

  s.set_pre_routing_handler([this](const Request& req, Response& res) {
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Content-Security-Policy",
                   "default-src 'self'; img-src 'self' blob: data:; style-src 'self'; "
                   "script-src 'self'; connect-src 'self'; media-src 'self' blob:");
    if (auto refused = refusal(guard_.get(), req.get_header_value("Host"),
                               req.get_header_value("Origin"))) {
      send(res, std::move(*refused));
      return httplib::Server::HandlerResponse::Handled;
    }
    if (!limiter_.allow(client_of(req), std::chrono::steady_clock::now())) {
      refuse(res, 429, "too many requests");
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });

  s.set_error_handler([](const Request&, Response& res) {
    if (!res.body.empty()) return;
    const char* why = res.status == 404   ? "no such page"
                      : res.status == 413 ? "request too large"
                      : res.status == 400 ? "malformed request"
                                          : "request refused";
    res.set_content(std::string(why) + "\n", kText);
  });

  s.set_exception_handler([](const Request&, Response& res, std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const BadRequest& bad) {
      refuse(res, 400, bad.what());
    } catch (const nlohmann::json::exception& bad) {
      refuse(res, 400, std::string("malformed JSON: ") + bad.what());
    } catch (const std::exception& failure) {
      refuse(res, 500, failure.what());
    } catch (...) {
      refuse(res, 500, "internal error");
    }
  });

  for (const PageFile& file : page_files()) {
    const auto serve = [file](const Request&, Response& res) {
      res.set_content(std::string(file.bytes), std::string(file.content_type));
      res.set_header("Cache-Control", "no-cache");
    };
    s.Get(std::string(file.path), serve);
    if (file.path == "/index.html") s.Get("/", serve);
  }

  const auto tint_of = [](const Request& req) {
    return req.has_param("tint") ? req.get_param_value("tint") : std::string("none");
  };
  const auto cacheable = [](Response& res, std::optional<std::string> bytes, const char* type) {
    if (!bytes) return refuse(res, 404, "no such picture");
    res.set_content(std::move(*bytes), type);
    res.set_header("Cache-Control", "public, max-age=31536000, immutable");
  };

  s.Get(R"(/bitmap/(\d{1,9}))", [&, tint_of, cacheable](const Request& req, Response& res) {
    cacheable(res, cockpit_.bitmap_png(int32_t(*whole(req.matches[1])), tint_of(req)),
              "image/png");
  });
  s.Get(R"(/background/(\d{1,6}))", [&, tint_of, cacheable](const Request& req, Response& res) {
    cacheable(res, cockpit_.background_png(size_t(*whole(req.matches[1])), tint_of(req)),
              "image/png");
  });
  s.Get(R"(/sound/(\d{1,9}))", [&, cacheable](const Request& req, Response& res) {
    cacheable(res, cockpit_.sound_wav(*whole(req.matches[1])), "audio/wav");
  });

  s.Get("/api/layout", [this](const Request&, Response& res) {
    nlohmann::json layout = nlohmann::json::parse(cockpit_.layout_json());
    layout["version"] = version_;
    res.set_content(layout.dump(), kJson);
  });
  s.Get("/api/tooltip", [this](const Request& req, Response& res) {
    const auto gauge = whole(req.get_param_value("gauge"));
    const auto x = number(req.get_param_value("x"));
    const auto y = number(req.get_param_value("y"));
    if (!gauge || !x || !y) return refuse(res, 400, "expected gauge, x and y");
    res.set_content(cockpit_.tooltip_json(*gauge, *x, *y), kJson);
  });
  s.Get("/api/vars", [this](const Request& req, Response& res) {
    res.set_content(cockpit_.variables_json(variable_ids(req.get_param_value("ids"))), kJson);
  });
  s.Get("/api/catalogue", [](const Request&, Response& res) {
    res.set_content(catalogue_json(), kJson);
  });
  s.Get("/api/costs", [this](const Request&, Response& res) {
    res.set_content(cockpit_.costs_json(), kJson);
  });
  s.Post(R"(/api/(mouse|window|control|sim|var|failure))", [this](const Request& req,
                                                                  Response& res) {
    send(res, answer_action(cockpit_, req.matches[1], req.body));
  });

  s.Get("/stream", [this](const Request& req, Response& res) {
    if (streams_ >= kMaxStreams) return refuse(res, 503, "too many pages open");
    std::string from = req.get_header_value("Last-Event-ID");
    if (from.empty()) from = req.get_param_value("since");
    const auto since = from.empty() ? std::optional<int64_t>(0) : whole(from);
    if (!since || *since < 0) return refuse(res, 400, "bad frame number");
    ++streams_;
    res.set_header("Cache-Control", "no-cache");
    auto seen = std::make_shared<uint64_t>(uint64_t(*since));
    res.set_chunked_content_provider(
        "text/event-stream",
        [this, seen](size_t, httplib::DataSink& sink) {
          if (stopping_) return false;
          uint64_t frame = *seen;
          const std::string data =
              cockpit_.frame_since(*seen, frame, std::chrono::milliseconds(1000));
          if (stopping_) return false;
          const std::string message =
              data.empty() ? std::string(": waiting\n\n")
                           : "id: " + std::to_string(frame) + "\nevent: frame\ndata: " + data +
                                 "\n\n";
          if (!sink.write(message.data(), message.size())) return false;
          *seen = frame;
          return true;
        },
        [this](bool) { --streams_; });
  });
}

}  // namespace gaugehost::web
