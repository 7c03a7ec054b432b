// The HTTP response side of a page fetch: a loopback server of the target's own
// answers every connection with the fuzzed bytes (status line, headers, chunked
// bodies, redirects), and the fetch must end with a bounded body and no fault.
//
// Redirects stay on this machine: the server points every Location header back at
// itself ("@PORT@" in an input stands for its port), so no input can send the
// fetch anywhere else. scripts/fuzz also runs this target without a network.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <string>
#include <thread>

#include "fuzz/fuzz_input.h"
#include "runtime/http_get.h"

namespace {

class LoopbackServer {
 public:
  LoopbackServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{.sin_family = AF_INET, .sin_port = 0, .sin_addr = {htonl(INADDR_LOOPBACK)}};
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 16);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    std::thread([this] { Serve(); }).detach();  // lives as long as the process
  }

  int port() const { return port_; }

  void SetResponse(std::string response) {
    std::lock_guard lock(mutex_);
    response_ = std::move(response);
  }

 private:
  void Serve() {
    for (;;) {
      int connection = accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      Answer(connection);
      close(connection);
    }
  }

  void Answer(int connection) {
    timeval timeout{.tv_sec = 2, .tv_usec = 0};
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
      ssize_t got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) return;
      request.append(buffer, static_cast<size_t>(got));
    }
    std::string response;
    {
      std::lock_guard lock(mutex_);
      response = response_;
    }
    for (size_t sent = 0; sent < response.size();) {
      ssize_t wrote = send(connection, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
      if (wrote <= 0) break;
      sent += static_cast<size_t>(wrote);
    }
    shutdown(connection, SHUT_WR);
  }

  int listener_ = -1;
  int port_ = 0;
  std::mutex mutex_;
  std::string response_;
};

bool StartsWithLocation(std::string_view line) {
  size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  std::string name;
  for (char c : line.substr(0, colon))
    if (!std::isspace(static_cast<unsigned char>(c))) name.push_back(static_cast<char>(std::tolower(c)));
  return name == "location";
}

// Every header line that names a redirect target is rewritten to this server.
std::string KeptOnLoopback(std::string_view response, int port) {
  const std::string here = "http://127.0.0.1:" + std::to_string(port);
  std::string out;
  for (size_t start = 0; start < response.size();) {
    size_t end = response.find('\n', start);
    end = end == std::string_view::npos ? response.size() : end + 1;
    std::string_view line = response.substr(start, end - start);
    if (StartsWithLocation(line)) {
      std::string_view path = line.substr(line.find(':') + 1);
      size_t slash = path.rfind('/');
      out += "Location: " + here + "/" + std::string(slash == std::string_view::npos ? "" : path.substr(slash + 1));
      if (!out.ends_with('\n')) out += "\r\n";
    } else {
      out.append(line);
    }
    start = end;
  }
  return out;
}

std::string WithPort(std::string text, int port) {
  for (size_t at; (at = text.find("@PORT@")) != std::string::npos;) text.replace(at, 6, std::to_string(port));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static LoopbackServer server;
  std::string response =
      KeptOnLoopback(WithPort(std::string(reinterpret_cast<const char*>(data), size), server.port()), server.port());
  server.SetResponse(response);
  runtime::ByteBlock body = runtime::HttpGet("http://127.0.0.1:" + std::to_string(server.port()) + "/play/1.html");
  fuzzing::Check(body.size() <= runtime::kMaxBodyBytes, "a body beyond the fetch's bound");
  // Thirty-one answers at the most (the first and thirty redirects), none larger than this one.
  fuzzing::Check(body.size() <= 31 * response.size(), "a body larger than everything the server sent");
  return 0;
}
