#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/support/loopback_socket.h"

namespace testing_support {

Socket BoundLoopbackSocket() {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    throw std::runtime_error("cannot bind a loopback socket");
  return fd;
}

int PortOf(Socket socket) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

void Listen(Socket socket) { ::listen(static_cast<int>(socket), 16); }

Socket Accept(Socket listener) {
  const int connection = ::accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
  return connection < 0 ? kNoSocket : connection;
}

bool SendAll(Socket socket, std::string_view bytes) {
  for (size_t sent = 0; sent < bytes.size();) {
    ssize_t n = ::send(static_cast<int>(socket), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

long Receive(Socket socket, char* buffer, std::size_t size) {
  return ::recv(static_cast<int>(socket), buffer, size, 0);
}

void ShutListener(Socket listener) {
  ::shutdown(static_cast<int>(listener), SHUT_RDWR);
  ::close(static_cast<int>(listener));
}

void CloseSocket(Socket socket) { ::close(static_cast<int>(socket)); }

}  // namespace testing_support
