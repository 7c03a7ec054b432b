// HttpGet through WinHTTP, with the request, limits and rules of the libcurl
// one: one session for the process keeps the cookies; redirects between http
// and https are followed, up to 30; the proxy is WinHTTP's default one.
// WinHTTP's calls block, so the fetch's time limit and its stop signal are
// kept by a watchdog thread that closes the request, which ends a blocked call.
#include <windows.h>
// After windows.h, which it needs.
#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "runtime/gbk.h"
#include "runtime/http_get.h"

namespace runtime {
namespace {

using Clock = std::chrono::steady_clock;

// How often the watchdog looks at the stop signal.
constexpr std::chrono::milliseconds kStopCheckInterval{100};

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle = nullptr) : handle_(handle) {}
  // May be called from another thread while this one uses the handle: the
  // call in progress then fails.
  ~InternetHandle() { Close(); }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return handle_.load(); }
  void Close() {
    if (HINTERNET handle = handle_.exchange(nullptr)) WinHttpCloseHandle(handle);
  }

 private:
  std::atomic<HINTERNET> handle_;
};

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The process-wide session: opened by the first fetch, it keeps the cookies of
// every later one. Fetches take turns on it.
class Session {
 public:
  static Session& Get() {
    static Session session;
    return session;
  }
  std::mutex& mutex() { return mutex_; }
  HINTERNET handle() const { return handle_.get(); }

 private:
  Session()
      : handle_(WinHttpOpen(Wide(GbkToUtf16(kUserAgent)).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                            WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)) {}
  std::mutex mutex_;
  InternetHandle handle_;
};

struct Address {
  bool https = false;
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring path;  // with the query, without the fragment
};

// WinHttpCrackUrl takes any text as a host; a host name or address has no
// blanks, controls or the characters that URLs reserve.
bool IsHostName(std::wstring_view host) {
  return std::none_of(host.begin(), host.end(), [](wchar_t c) {
    return c <= L' ' || c == 0x7F || std::wstring_view(L"\"<>\\^`{|}").find(c) != std::wstring_view::npos;
  });
}

std::optional<Address> ParseAddress(const Text& text) {
  const std::wstring wide = Wide(GbkToUtf16(text));
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (wide.empty() || !WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts)) return std::nullopt;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
  const std::wstring_view host(parts.lpszHostName, parts.dwHostNameLength);
  if (host.empty() || !IsHostName(host)) return std::nullopt;
  Address address{.https = parts.nScheme == INTERNET_SCHEME_HTTPS,
                  .host = std::wstring(host),
                  .port = parts.nPort,
                  .path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                          std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength)};
  address.path = address.path.substr(0, address.path.find(L'#'));
  if (address.path.empty()) address.path = L"/";
  return address;
}

// Closes the request when the fetch runs out of time or is stopped, which
// makes a blocked WinHTTP call fail.
class Watchdog {
 public:
  Watchdog(InternetHandle& request, const FetchLimits& limits)
      : request_(request), stop_(limits.stop), deadline_(Clock::now() + limits.time_limit), thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    woken_.notify_one();
    thread_.join();
  }
  bool Fired() const { return fired_; }

 private:
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!done_) {
      if ((stop_ && stop_->Requested()) || Clock::now() >= deadline_) {
        fired_ = true;
        request_.Close();
        return;
      }
      woken_.wait_until(lock, std::min(deadline_, Clock::now() + kStopCheckInterval));
    }
  }

  InternetHandle& request_;
  const StopSignal* stop_;
  Clock::time_point deadline_;
  std::mutex mutex_;
  std::condition_variable woken_;
  bool done_ = false;
  std::atomic<bool> fired_{false};
  std::thread thread_;
};

// The limits of the transfer. A blocked call that the watchdog cannot end
// (Wine's WinHTTP waits on until its socket answers) ends by these: none
// waits longer than the fetch may last.
void SetRequestOptions(HINTERNET request, std::chrono::milliseconds time_limit) {
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_ALWAYS;
  WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
  DWORD most_redirects = 30;
  WinHttpSetOption(request, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &most_redirects, sizeof most_redirects);
  // 60 s to connect, 30 s without a byte.
  const auto within_limit = [time_limit](long long ms) {
    return static_cast<int>(std::clamp<long long>(time_limit.count(), 1, ms));
  };
  WinHttpSetTimeouts(request, within_limit(60'000), within_limit(60'000), within_limit(30'000), within_limit(30'000));
  // As over HTTP/1.0: the connection ends with the request, also when the body
  // was not read to its end.
  DWORD no_keep_alive = WINHTTP_DISABLE_KEEP_ALIVE;
  WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &no_keep_alive, sizeof no_keep_alive);
}

DWORD StatusOf(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof status;
  WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                      &status, &size, WINHTTP_NO_HEADER_INDEX);
  return status;
}

// Appends the body up to `max_bytes`, a piece as it arrives; stops early when
// the connection breaks. False when it stopped because nothing arrived for too
// long or the watchdog fired (a trickle keeps each call short, so it is looked
// at between pieces).
bool ReadBody(HINTERNET request, size_t max_bytes, const Watchdog& watchdog, ByteBlock& body) {
  char buffer[64 * 1024];
  while (body.size() < max_bytes && !watchdog.Fired()) {
    DWORD available = 0;
    DWORD n = 0;
    if (!WinHttpQueryDataAvailable(request, &available)) return GetLastError() != ERROR_WINHTTP_TIMEOUT;
    const DWORD wanted = static_cast<DWORD>(std::min({sizeof buffer, max_bytes - body.size(), size_t{available}}));
    if (wanted == 0) break;
    if (!WinHttpReadData(request, buffer, wanted, &n)) return GetLastError() != ERROR_WINHTTP_TIMEOUT;
    if (n == 0) break;
    body.append(buffer, n);
  }
  return !watchdog.Fired();
}

}  // namespace

ByteBlock HttpGet(const Text& address, const FetchLimits& limits) {
  if (address.empty()) return {};
  Session& session = Session::Get();
  std::lock_guard lock(session.mutex());
  std::optional<Address> parsed = ParseAddress(address);
  if (!parsed || !session.handle()) return {};
  InternetHandle connection(WinHttpConnect(session.handle(), parsed->host.c_str(), parsed->port, 0));
  const wchar_t* accept[] = {L"*/*", nullptr};
  InternetHandle request(connection.get() ? WinHttpOpenRequest(connection.get(), L"GET", parsed->path.c_str(),
                                                               L"HTTP/1.0", WINHTTP_NO_REFERER, accept,
                                                               parsed->https ? WINHTTP_FLAG_SECURE : 0)
                                          : nullptr);
  if (!request.get()) return {};
  SetRequestOptions(request.get(), limits.time_limit);
  Watchdog watchdog(request, limits);
  // A fetch that ran out of time or was stopped failed, whatever trickled in
  // before; so did one that the server answered with an error page.
  if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(request.get(), nullptr))
    return {};
  const DWORD status = StatusOf(request.get());
  if (status < 200 || status > 299) return {};
  ByteBlock body;
  if (!ReadBody(request.get(), limits.max_bytes, watchdog, body)) return {};
  return body;
}

bool IsWebAddress(const Text& address) { return ParseAddress(address).has_value(); }

}  // namespace runtime
