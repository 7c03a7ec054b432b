#pragma once
// A small HTTP server on a free loopback port for tests: it records every request
// as it arrived on the wire and answers from a table of routes.
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/loopback_socket.h"

namespace testing_support {

struct HttpResponse {
  int status = 200;
  std::vector<std::string> headers;  // "Name: value"
  std::string body;
  bool send_length = true;  // Content-Length header; without it the body ends at close
  // When set, the body is sent one byte at a time with this pause before each
  // byte, until it is sent or the client has gone.
  std::chrono::milliseconds trickle{0};
};

class HttpTestServer {
 public:
  HttpTestServer();
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  int port() const { return port_; }
  std::string Url(const std::string& path) const;

  // Answers requests for `path` (the request target, query included).
  void Route(const std::string& path, HttpResponse response);
  // Raw requests (request line and headers) in arrival order.
  std::vector<std::string> Requests() const;

 private:
  void Serve();
  void Answer(Socket connection);

  Socket listener_ = kNoSocket;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::map<std::string, HttpResponse> routes_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A loopback port on which nothing listens.
int ClosedPort();

// A loopback port that takes connections (the kernel completes them) and never
// says a word: a server that has hung.
class SilentServer {
 public:
  SilentServer();
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  int port() const { return port_; }

 private:
  Socket listener_ = kNoSocket;
  int port_ = 0;
};

}  // namespace testing_support
