#include "tests/support/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testing_support {
namespace {

int BoundSocket() {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    throw std::runtime_error("cannot bind a loopback socket");
  return fd;
}

int PortOf(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

bool SendAll(int fd, std::string_view bytes) {
  for (size_t sent = 0; sent < bytes.size();) {
    ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

void Trickle(int fd, std::string_view bytes, std::chrono::milliseconds pause) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::this_thread::sleep_for(pause);
    if (!SendAll(fd, bytes.substr(i, 1))) return;
  }
}

std::string ReadRequestHead(int fd) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
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

HttpTestServer::HttpTestServer() : listener_(BoundSocket()), port_(PortOf(listener_)) {
  ::listen(listener_, 16);
  thread_ = std::thread([this] { Serve(); });
}

HttpTestServer::~HttpTestServer() {
  ::shutdown(listener_, SHUT_RDWR);
  thread_.join();
  ::close(listener_);
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
    int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) return;  // shut down
    Answer(connection);
    ::close(connection);
  }
}

void HttpTestServer::Answer(int connection) {
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

SilentServer::SilentServer() : listener_(BoundSocket()), port_(PortOf(listener_)) { ::listen(listener_, 16); }

SilentServer::~SilentServer() { ::close(listener_); }

int ClosedPort() {
  int fd = BoundSocket();
  int port = PortOf(fd);
  ::close(fd);
  return port;
}

}  // namespace testing_support
