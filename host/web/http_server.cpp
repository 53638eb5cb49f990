#include "host/web/http_server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <charconv>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

#include "host/base/host_error.h"

namespace gaugehost::web {

namespace {

using Clock = std::chrono::steady_clock;

// What the server keeps of an open connection: its socket, and by when what it reads now (a
// request's header or body) must be in; none while a request is answered.
struct Connection {
  int socket = -1;
  std::optional<Clock::time_point> deadline;
};

// One request on its way in.
struct Exchange {
  HttpRequest request;
  Connection* connection = nullptr;
  bool too_large = false;
};

std::string peer_address(MHD_Connection* connection) {
  const MHD_ConnectionInfo* info =
      MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
  if (!info || !info->client_addr) return "?";
  char text[INET6_ADDRSTRLEN] = "?";
  const sockaddr* address = info->client_addr;
  if (address->sa_family == AF_INET)
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
  else if (address->sa_family == AF_INET6)
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text,
              sizeof text);
  return text;
}

Connection* connection_of(MHD_Connection* connection) {
  const MHD_ConnectionInfo* info =
      MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
  return info ? static_cast<Connection*>(info->socket_context) : nullptr;
}

std::optional<uint64_t> content_length(MHD_Connection* connection) {
  const char* text = MHD_lookup_connection_value(connection, MHD_HEADER_KIND,
                                                 MHD_HTTP_HEADER_CONTENT_LENGTH);
  if (!text) return std::nullopt;
  uint64_t length = 0;
  const char* end = text + std::strlen(text);
  if (std::from_chars(text, end, length).ptr != end) return std::nullopt;
  return length;
}

}  // namespace

std::string HttpRequest::header(const char* name) const {
  const char* value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
  return value ? value : "";
}

std::optional<std::string> HttpRequest::query(const char* name) const {
  const char* value = MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, name);
  if (!value) return std::nullopt;
  return std::string(value);
}

struct HttpServer::Impl {
  // A stream being sent: its source, the piece under way, and where it waits.
  struct Stream {
    Impl* server;
    MHD_Connection* connection;
    HttpStream source;
    std::string piece;
    size_t sent = 0;
  };

  HttpLimits limits;
  Handler handler;
  std::vector<std::pair<std::string, std::string>> common_headers;
  MHD_Daemon* daemon = nullptr;

  mutable std::mutex connections_mutex;  // connections and their deadlines
  std::set<Connection*> connections;
  std::condition_variable sweep_wait;
  bool sweeping = false;
  std::thread sweeper;

  std::mutex streams_mutex;  // waiting streams, stopping
  std::set<Stream*> waiting;
  bool stopping = false;

  void set_deadline(Connection* connection, std::optional<Clock::time_point> deadline) {
    if (!connection) return;
    std::lock_guard lock(connections_mutex);
    connection->deadline = deadline;
  }

  // Closes the connections whose header or body is overdue: shutting the socket down makes the
  // library see the end of the connection and close it in its own time. A connection's entry
  // goes (under the lock) before its socket is closed, so the socket shut is always its own.
  void sweep() {
    std::unique_lock lock(connections_mutex);
    while (sweeping) {
      const auto now = Clock::now();
      for (Connection* connection : connections) {
        if (!connection->deadline || *connection->deadline > now) continue;
        shutdown(connection->socket, SHUT_RDWR);
        connection->deadline.reset();
      }
      sweep_wait.wait_for(lock, std::chrono::milliseconds(100));
    }
  }

  static void on_connection(void* self, MHD_Connection* connection, void** context,
                            MHD_ConnectionNotificationCode code) {
    Impl& server = *static_cast<Impl*>(self);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
      auto* kept = new Connection;
      if (const MHD_ConnectionInfo* info =
              MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD)) {
        kept->socket = info->connect_fd;
        // Answers go out whole at once: no waiting for an acknowledgement of the previous one.
        const int on = 1;
        setsockopt(kept->socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      }
      kept->deadline = Clock::now() + server.limits.header_deadline;
      std::lock_guard lock(server.connections_mutex);
      server.connections.insert(kept);
      *context = kept;
    } else if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
      auto* kept = static_cast<Connection*>(*context);
      std::lock_guard lock(server.connections_mutex);
      server.connections.erase(kept);
      delete kept;
      *context = nullptr;
    }
  }

  // A request answered (or given up): the connection's next request, if any, is due in the idle
  // time.
  static void on_completed(void* self, MHD_Connection*, void** context,
                           MHD_RequestTerminationCode) {
    Impl& server = *static_cast<Impl*>(self);
    auto* exchange = static_cast<Exchange*>(*context);
    if (!exchange) return;
    server.set_deadline(exchange->connection, Clock::now() + server.limits.idle_timeout);
    delete exchange;
    *context = nullptr;
  }

  static ssize_t read_stream(void* cls, uint64_t, char* buffer, size_t room) {
    auto* stream = static_cast<Stream*>(cls);
    if (stream->sent == stream->piece.size()) {
      Impl& server = *stream->server;
      std::lock_guard lock(server.streams_mutex);
      if (server.stopping) return MHD_CONTENT_READER_END_OF_STREAM;
      std::optional<std::string> next = stream->source.next();
      if (!next) return MHD_CONTENT_READER_END_OF_STREAM;
      if (next->empty()) {
        // Nothing yet: the connection waits off the polling threads until wake_streams().
        MHD_suspend_connection(stream->connection);
        server.waiting.insert(stream);
        return 0;
      }
      stream->piece = std::move(*next);
      stream->sent = 0;
    }
    const size_t count = std::min(room, stream->piece.size() - stream->sent);
    std::memcpy(buffer, stream->piece.data() + stream->sent, count);
    stream->sent += count;
    return ssize_t(count);
  }

  static void end_stream(void* cls) {
    auto* stream = static_cast<Stream*>(cls);
    {
      std::lock_guard lock(stream->server->streams_mutex);
      stream->server->waiting.erase(stream);
    }
    if (stream->source.on_close) stream->source.on_close();
    delete stream;
  }

  MHD_Result send(MHD_Connection* connection, HttpResponse& answer) {
    MHD_Response* response = nullptr;
    if (answer.stream) {
      auto* stream = new Stream{this, connection, std::move(*answer.stream), {}, 0};
      response = MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 16 * 1024, read_stream,
                                                   stream, end_stream);
      if (!response) end_stream(stream);
    } else if (answer.shared_body) {
      auto* kept = new std::shared_ptr<const std::string>(std::move(answer.shared_body));
      response = MHD_create_response_from_buffer_with_free_callback_cls(
          (*kept)->size(), const_cast<char*>((*kept)->data()),  // only read
          [](void* held) { delete static_cast<std::shared_ptr<const std::string>*>(held); }, kept);
      if (!response) delete kept;
    } else {
      response = MHD_create_response_from_buffer(answer.body.size(), answer.body.data(),
                                                 MHD_RESPMEM_MUST_COPY);
    }
    if (!response) return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, answer.content_type.c_str());
    for (const auto& [name, value] : common_headers)
      MHD_add_response_header(response, name.c_str(), value.c_str());
    for (const auto& [name, value] : answer.headers)
      MHD_add_response_header(response, name.c_str(), value.c_str());
    const MHD_Result queued = MHD_queue_response(connection, unsigned(answer.status), response);
    MHD_destroy_response(response);
    return queued;
  }

  MHD_Result refuse(MHD_Connection* connection, int status, const std::string& why) {
    HttpResponse answer{status, why + "\n", nullptr, "text/plain; charset=utf-8", {}, {}};
    return send(connection, answer);
  }

  // What the header alone tells: too many lines, a body announced too large, too many
  // connections. Nothing when the request may go on.
  std::optional<std::pair<int, const char*>> header_refusal(MHD_Connection* connection) {
    if (MHD_get_connection_values(connection, MHD_HEADER_KIND, nullptr, nullptr) >
        limits.max_headers)
      return std::pair{MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE, "too many header lines"};
    if (const auto length = content_length(connection); length && *length > limits.max_body_bytes)
      return std::pair{MHD_HTTP_CONTENT_TOO_LARGE, "request too large"};
    if (this->connections_open() > size_t(limits.max_connections))
      return std::pair{MHD_HTTP_SERVICE_UNAVAILABLE, "too many connections, try again"};
    return std::nullopt;
  }

  size_t connections_open() const {
    std::lock_guard lock(connections_mutex);
    return connections.size();
  }

  static MHD_Result on_request(void* self, MHD_Connection* connection, const char* url,
                               const char* method, const char*, const char* upload,
                               size_t* upload_size, void** context) {
    Impl& server = *static_cast<Impl*>(self);
    auto* exchange = static_cast<Exchange*>(*context);
    if (!exchange) {  // the header is in
      exchange = new Exchange{{method, url, peer_address(connection), {}, connection},
                              connection_of(connection)};
      *context = exchange;
      server.set_deadline(exchange->connection, Clock::now() + server.limits.body_deadline);
      if (const auto refused = server.header_refusal(connection))
        return server.refuse(connection, refused->first, refused->second);
      return MHD_YES;
    }
    if (*upload_size > 0) {  // a piece of the body, however it is framed
      std::string& body = exchange->request.body;
      if (!exchange->too_large && body.size() + *upload_size <= server.limits.max_body_bytes) {
        body.append(upload, *upload_size);
      } else {
        exchange->too_large = true;  // the rest is dropped as it comes
        std::string().swap(body);
      }
      *upload_size = 0;
      return MHD_YES;
    }
    server.set_deadline(exchange->connection, std::nullopt);
    if (exchange->too_large) {
      HttpResponse answer{MHD_HTTP_CONTENT_TOO_LARGE, "request too large\n", nullptr,
                          "text/plain; charset=utf-8", {{"Connection", "close"}}, {}};
      return server.send(connection, answer);
    }
    HttpResponse answer;
    try {
      answer = server.handler(exchange->request);
    } catch (const std::exception& failure) {
      return server.refuse(connection, MHD_HTTP_INTERNAL_SERVER_ERROR, failure.what());
    }
    return server.send(connection, answer);
  }
};

HttpServer::HttpServer(HttpLimits limits, Handler handler,
                       std::vector<std::pair<std::string, std::string>> common_headers)
    : impl_(std::make_unique<Impl>()) {
  impl_->limits = limits;
  impl_->handler = std::move(handler);
  impl_->common_headers = std::move(common_headers);
}

HttpServer::~HttpServer() { stop(); }

int HttpServer::start(const std::string& host, int port, bool beyond_loopback) {
  sockaddr_in v4{};
  sockaddr_in6 v6{};
  const sockaddr* address = nullptr;
  unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME;
  if (inet_pton(AF_INET, host.c_str(), &v4.sin_addr) == 1) {
    v4.sin_family = AF_INET;
    v4.sin_port = htons(uint16_t(port));
    address = reinterpret_cast<const sockaddr*>(&v4);
  } else if (inet_pton(AF_INET6, host.c_str(), &v6.sin6_addr) == 1) {
    v6.sin6_family = AF_INET6;
    v6.sin6_port = htons(uint16_t(port));
    address = reinterpret_cast<const sockaddr*>(&v6);
    flags |= host == "::" ? MHD_USE_DUAL_STACK : MHD_USE_IPv6;
  } else {
    throw HostError("cannot listen on " + host + ": not an IPv4 or IPv6 address");
  }
  Impl& server = *impl_;
  server.daemon = MHD_start_daemon(
      flags, uint16_t(port), nullptr, nullptr, &Impl::on_request, &server,  //
      MHD_OPTION_SOCK_ADDR, address,                                         //
      MHD_OPTION_LISTENING_ADDRESS_REUSE, 1u,                                //
      MHD_OPTION_THREAD_POOL_SIZE, unsigned(server.limits.threads),          //
      MHD_OPTION_CONNECTION_LIMIT, unsigned(server.limits.max_connections * 3),
      MHD_OPTION_PER_IP_CONNECTION_LIMIT, unsigned(beyond_loopback ? server.limits.per_client : 0),
      MHD_OPTION_CONNECTION_MEMORY_LIMIT, server.limits.connection_memory,
      MHD_OPTION_CONNECTION_TIMEOUT, unsigned(server.limits.idle_timeout.count()),
      MHD_OPTION_NOTIFY_CONNECTION, &Impl::on_connection, &server,  //
      MHD_OPTION_NOTIFY_COMPLETED, &Impl::on_completed, &server,    //
      MHD_OPTION_END);
  if (!server.daemon)
    throw HostError("cannot listen on " + host + ":" + std::to_string(port) +
                    " (in use, or not an address of this machine)");
  server.sweeping = true;
  server.sweeper = std::thread([&server] { server.sweep(); });
  const MHD_DaemonInfo* bound = MHD_get_daemon_info(server.daemon, MHD_DAEMON_INFO_BIND_PORT);
  return bound ? bound->port : port;
}

void HttpServer::wake_streams() {
  std::lock_guard lock(impl_->streams_mutex);
  for (Impl::Stream* stream : impl_->waiting) MHD_resume_connection(stream->connection);
  impl_->waiting.clear();
}

void HttpServer::stop() {
  Impl& server = *impl_;
  {
    std::lock_guard lock(server.streams_mutex);
    server.stopping = true;
  }
  wake_streams();  // a waiting stream ends when it next reads; none may wait while the daemon stops
  {
    std::lock_guard lock(server.connections_mutex);
    server.sweeping = false;
  }
  server.sweep_wait.notify_all();
  if (server.sweeper.joinable()) server.sweeper.join();
  if (server.daemon) MHD_stop_daemon(server.daemon);
  server.daemon = nullptr;
}

size_t HttpServer::connections() const { return impl_->connections_open(); }

}  // namespace gaugehost::web
