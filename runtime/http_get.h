#pragma once
// Fetching a web address. The request is fixed: GET over HTTP/1.0 with the
// program's user agent and "Accept: */*"; redirects to http and https addresses
// are followed; cookies live in memory for the process; the system's proxy
// settings (http_proxy, https_proxy, no_proxy) apply; the HTTP status is not
// looked at. A connection attempt gives up after 60 s and a transfer that
// receives nothing for 30 s ends, so a fetch never hangs without end; a body is
// read up to kMaxBodyBytes, so an endless one cannot use up memory either.
#include <cstddef>

#include "runtime/text.h"

namespace runtime {

inline constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// Far above any page or version file; the transfer stops there.
inline constexpr std::size_t kMaxBodyBytes = 64u << 20;

// The body of the response; empty when nothing could be fetched, and the bytes
// read so far when the transfer broke off or reached kMaxBodyBytes. The
// address's fragment is not sent.
ByteBlock HttpGet(const Text& address);

// The bytes up to the first zero byte, or all of them when there is none.
Text ToText(const ByteBlock& bytes);

}  // namespace runtime
