#include <winsock2.h>

#include <stdexcept>

#include "tests/support/loopback_socket.h"

namespace testing_support {
namespace {

SOCKET Native(Socket socket) { return static_cast<SOCKET>(socket); }

void StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) throw std::runtime_error("Winsock did not start");
}

}  // namespace

Socket BoundLoopbackSocket() {
  StartWinsock();
  SOCKET socket = ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (socket == INVALID_SOCKET || ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    throw std::runtime_error("cannot bind a loopback socket");
  return static_cast<Socket>(socket);
}

int PortOf(Socket socket) {
  sockaddr_in address{};
  int length = sizeof address;
  ::getsockname(Native(socket), reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

void Listen(Socket socket) { ::listen(Native(socket), 16); }

Socket Accept(Socket listener) {
  const SOCKET connection = ::accept(Native(listener), nullptr, nullptr);
  return connection == INVALID_SOCKET ? kNoSocket : static_cast<Socket>(connection);
}

bool SendAll(Socket socket, std::string_view bytes) {
  for (size_t sent = 0; sent < bytes.size();) {
    const int n = ::send(Native(socket), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

long Receive(Socket socket, char* buffer, std::size_t size) {
  return ::recv(Native(socket), buffer, static_cast<int>(size), 0);
}

// On Windows only closing a listener ends an accept() that waits on it.
void ShutListener(Socket listener) { ::closesocket(Native(listener)); }

void CloseSocket(Socket socket) { ::closesocket(Native(socket)); }

}  // namespace testing_support
