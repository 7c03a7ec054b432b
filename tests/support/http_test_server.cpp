#include "tests/support/http_test_server.h"

#include "tests/support/loopback_socket.h"

namespace testing_support {
namespace {

void Trickle(Socket fd, std::string_view bytes, std::chrono::milliseconds pause) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::this_thread::sleep_for(pause);
    if (!SendAll(fd, bytes.substr(i, 1))) return;
  }
}

std::string ReadRequestHead(Socket fd) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const long n = Receive(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    head.append(buffer, static_cast<size_t>(n));
  }
  return head;
}

std::string TargetOf(const std::string& head) {
  size_t first = head.find(' ');
  size_t second = head.find(' ', first + 1);
  return first == std::string::npos ? "" : head.substr(first + 1, second - first - 1);
}

}  // namespace

HttpTestServer::HttpTestServer() : listener_(BoundLoopbackSocket()), port_(PortOf(listener_)) {
  Listen(listener_);
  thread_ = std::thread([this] { Serve(); });
}

HttpTestServer::~HttpTestServer() {
  ShutListener(listener_);
  thread_.join();
}

std::string HttpTestServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void HttpTestServer::Route(const std::string& path, HttpResponse response) {
  std::lock_guard lock(mutex_);
  routes_[path] = std::move(response);
}

std::vector<std::string> HttpTestServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void HttpTestServer::Serve() {
  for (;;) {
    const Socket connection = Accept(listener_);
    if (connection == kNoSocket) return;  // shut down
    Answer(connection);
    CloseSocket(connection);
  }
}

void HttpTestServer::Answer(Socket connection) {
  std::string head = ReadRequestHead(connection);
  HttpResponse response{.status = 404, .body = "no such route"};
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(head);
    if (auto found = routes_.find(TargetOf(head)); found != routes_.end()) response = found->second;
  }
  std::string reply = "HTTP/1.0 " + std::to_string(response.status) + " Test\r\n";
  for (const std::string& header : response.headers) reply += header + "\r\n";
  if (response.send_length) reply += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
  reply += "\r\n";
  if (response.trickle.count() > 0) {
    SendAll(connection, reply);
    Trickle(connection, response.body, response.trickle);
    return;
  }
  SendAll(connection, reply + response.body);
}

SilentServer::SilentServer() : listener_(BoundLoopbackSocket()), port_(PortOf(listener_)) { Listen(listener_); }

SilentServer::~SilentServer() { CloseSocket(listener_); }

int ClosedPort() {
  const Socket socket = BoundLoopbackSocket();
  const int port = PortOf(socket);
  CloseSocket(socket);
  return port;
}

}  // namespace testing_support
