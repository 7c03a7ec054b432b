#pragma once
// Fetching a web address. The request is fixed: GET over HTTP/1.0 with the
// program's user agent and "Accept: */*"; redirects to http and https addresses
// are followed; cookies live in memory for the process; the system's proxy
// settings (http_proxy, https_proxy, no_proxy) apply; a response whose status is
// not 2xx is a failed fetch (an error page is neither a page nor a version). A connection attempt gives up after 60 s,
// a transfer that receives nothing for 30 s ends, and no fetch lasts longer than its time limit (a server that sends a
// byte now and then cannot keep it going); a body is read up to a byte limit, so an endless one cannot use up memory
// either.
#include <chrono>
#include <cstddef>

#include "runtime/stop_signal.h"
#include "runtime/text.h"

namespace runtime {

inline constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// Far above any page or version file; the transfer stops there.
inline constexpr std::size_t kMaxBodyBytes = 64u << 20;

struct FetchLimits {
  std::size_t max_bytes = kMaxBodyBytes;                           // reading stops here
  std::chrono::milliseconds time_limit = std::chrono::minutes(2);  // for the whole fetch
  const StopSignal* stop = nullptr;                                // raised, the fetch ends within a second and fails
};

// The body of the response; empty when nothing could be fetched, the status was
// not 2xx, the fetch ran out of time (its time limit, or 30 s without a byte)
// or was stopped, and the bytes read so far
// when the connection broke off or the byte limit was reached. The address's
// fragment is not sent.
ByteBlock HttpGet(const Text& address, const FetchLimits& limits = {});

// True when `address` is a complete http or https address that HttpGet can fetch.
bool IsWebAddress(const Text& address);

// The bytes up to the first zero byte, or all of them when there is none.
Text ToText(const ByteBlock& bytes);

}  // namespace runtime
