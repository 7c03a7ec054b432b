#include "tests/support/cutting_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace testing_support {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

int ConnectTo(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(port);
  if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  if (fd >= 0) close(fd);
  return -1;
}

// Copies what `from` has to `to`, at most `limit` bytes; the count, 0 at the end.
size_t Pass(int from, int to, size_t limit) {
  char buffer[16 * 1024];
  const ssize_t n = read(from, buffer, std::min(limit, sizeof buffer));
  if (n <= 0) return 0;
  for (ssize_t sent = 0; sent < n;) {
    const ssize_t w = write(to, buffer + sent, static_cast<size_t>(n - sent));
    if (w <= 0) return 0;
    sent += w;
  }
  return static_cast<size_t>(n);
}

}  // namespace

CuttingRelay::CuttingRelay(int target_port, size_t cut_after) : target_port_(target_port), cut_after_(cut_after) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("relay: no loopback port");
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { Accept(); });
}

CuttingRelay::~CuttingRelay() {
  stopping_ = true;
  shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  for (std::thread& connection : connections_) connection.join();
  close(listener_);
}

void CuttingRelay::Accept() {
  while (!stopping_) {
    const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    connections_.emplace_back([this, client] { Relay(client); });
  }
}

void CuttingRelay::Relay(int client) const {
  const int target = ConnectTo(target_port_);
  size_t from_target = 0;
  while (target >= 0 && !stopping_ && from_target < cut_after_) {
    pollfd fds[2] = {{client, POLLIN, 0}, {target, POLLIN, 0}};
    if (poll(fds, 2, 100) < 0) break;
    if (fds[0].revents && Pass(client, target, SIZE_MAX) == 0) break;
    if (fds[1].revents) {
      const size_t n = Pass(target, client, cut_after_ - from_target);
      if (n == 0) break;
      from_target += n;
    }
  }
  if (target >= 0) close(target);
  close(client);
}

}  // namespace testing_support
