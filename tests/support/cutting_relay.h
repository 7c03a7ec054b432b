#pragma once
// A loopback TCP relay for tests: every connection it takes is passed on to a
// target port, both ways, until the target has sent `cut_after` bytes; then
// both sides are closed, as a network that drops a stream half-way would.
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace testing_support {

class CuttingRelay {
 public:
  CuttingRelay(int target_port, std::size_t cut_after);
  ~CuttingRelay();
  CuttingRelay(const CuttingRelay&) = delete;
  CuttingRelay& operator=(const CuttingRelay&) = delete;

  int port() const { return port_; }

 private:
  void Accept();
  void Relay(int client) const;

  int target_port_;
  std::size_t cut_after_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::vector<std::thread> connections_;
};

}  // namespace testing_support
