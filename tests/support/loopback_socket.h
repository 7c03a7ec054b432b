#pragma once
// TCP sockets on loopback for the test servers, over the system's socket API
// (BSD sockets on Linux, Winsock on Windows).
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace testing_support {

using Socket = std::intptr_t;
inline constexpr Socket kNoSocket = -1;

// A socket bound to a free loopback port; throws when none can be made.
Socket BoundLoopbackSocket();
int PortOf(Socket socket);
void Listen(Socket socket);
// The next connection; kNoSocket once the listener has been shut.
Socket Accept(Socket listener);
// False when the peer has gone.
bool SendAll(Socket socket, std::string_view bytes);
// Bytes received into `buffer`; 0 or less at the end or on an error.
long Receive(Socket socket, char* buffer, std::size_t size);
// Makes an Accept blocked on `listener` return, and closes it.
void ShutListener(Socket listener);
void CloseSocket(Socket socket);

}  // namespace testing_support
