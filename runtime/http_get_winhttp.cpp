// HttpGet through WinHTTP, with the request, limits and rules of the libcurl
// one: one session for the process keeps the cookies; redirects between http
// and https are followed, up to 30; the proxy is WinHTTP's default one.
// WinHTTP's calls block, so the transfer runs on a thread of its own while the
// caller keeps the fetch's time limit and its stop signal.
#include <windows.h>
// After windows.h, which it needs.
#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "runtime/gbk.h"
#include "runtime/http_get.h"

namespace runtime {
namespace {

using Clock = std::chrono::steady_clock;

// How often a waiting caller looks at the stop signal.
constexpr std::chrono::milliseconds kStopCheckInterval{100};

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle = nullptr) : handle_(handle) {}
  ~InternetHandle() { Close(); }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(InternetHandle&& other) noexcept {
    Close();
    handle_ = other.handle_.exchange(nullptr);
    return *this;
  }
  HINTERNET get() const { return handle_.load(); }
  void Close() {
    if (HINTERNET handle = handle_.exchange(nullptr)) WinHttpCloseHandle(handle);
  }

 private:
  std::atomic<HINTERNET> handle_;
};

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The process-wide session: opened by the first fetch, it keeps the cookies of
// every later one.
class Session {
 public:
  // Never closed: an abandoned transfer may still use it while the process ends.
  static Session& Get() {
    static Session& session = *new Session;
    return session;
  }
  HINTERNET handle() const { return handle_.get(); }

 private:
  Session()
      : handle_(WinHttpOpen(Wide(GbkToUtf16(kUserAgent)).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                            WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)) {}
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
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength =
      static_cast<DWORD>(-1);
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

// One transfer, run on a thread of its own so that the caller can give up on
// it at its time limit or stop: a blocked WinHTTP call cannot be relied on to
// end when its request is closed (under Wine it waits on for its socket).
// The thread finishes an abandoned transfer, which its limits keep short.
struct Transfer {
  InternetHandle connection;
  InternetHandle request;
  size_t max_bytes = 0;
  std::atomic<bool> abandoned{false};
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  std::optional<ByteBlock> body;  // set when the transfer succeeded
};

// The limits of the transfer; none is longer than the fetch may last, so
// that an abandoned transfer ends soon too.
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
// long or the transfer was abandoned.
bool ReadBody(Transfer& transfer, ByteBlock& body) {
  HINTERNET request = transfer.request.get();
  char buffer[64 * 1024];
  while (body.size() < transfer.max_bytes && !transfer.abandoned) {
    DWORD available = 0;
    DWORD n = 0;
    if (!WinHttpQueryDataAvailable(request, &available)) return GetLastError() != ERROR_WINHTTP_TIMEOUT;
    const DWORD wanted =
        static_cast<DWORD>(std::min({sizeof buffer, transfer.max_bytes - body.size(), size_t{available}}));
    if (wanted == 0) break;
    if (!WinHttpReadData(request, buffer, wanted, &n)) return GetLastError() != ERROR_WINHTTP_TIMEOUT;
    if (n == 0) break;
    body.append(buffer, n);
  }
  return !transfer.abandoned;
}

// What the server answered: the body of a 2xx response, else nothing.
std::optional<ByteBlock> Run(Transfer& transfer) {
  HINTERNET request = transfer.request.get();
  if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(request, nullptr))
    return std::nullopt;
  const DWORD status = StatusOf(request);
  if (status < 200 || status > 299) return std::nullopt;
  ByteBlock body;
  if (!ReadBody(transfer, body)) return std::nullopt;
  return body;
}

// Waits for the transfer until its end, the time limit or a stop; the body
// when it ended in time with one.
ByteBlock Await(Transfer& transfer, const FetchLimits& limits) {
  const Clock::time_point deadline = Clock::now() + limits.time_limit;
  std::unique_lock lock(transfer.mutex);
  while (!transfer.done) {
    if ((limits.stop && limits.stop->Requested()) || Clock::now() >= deadline) {
      transfer.abandoned = true;
      return {};
    }
    transfer.finished.wait_until(lock, std::min(deadline, Clock::now() + kStopCheckInterval));
  }
  return transfer.body ? std::move(*transfer.body) : ByteBlock();
}

}  // namespace

ByteBlock HttpGet(const Text& address, const FetchLimits& limits) {
  if (address.empty()) return {};
  std::optional<Address> parsed = ParseAddress(address);
  HINTERNET session = Session::Get().handle();
  if (!parsed || !session) return {};
  auto transfer = std::make_shared<Transfer>();
  transfer->max_bytes = limits.max_bytes;
  transfer->connection = InternetHandle(WinHttpConnect(session, parsed->host.c_str(), parsed->port, 0));
  const wchar_t* accept[] = {L"*/*", nullptr};
  if (!transfer->connection.get()) return {};
  transfer->request =
      InternetHandle(WinHttpOpenRequest(transfer->connection.get(), L"GET", parsed->path.c_str(), L"HTTP/1.0",
                                        WINHTTP_NO_REFERER, accept, parsed->https ? WINHTTP_FLAG_SECURE : 0));
  if (!transfer->request.get()) return {};
  SetRequestOptions(transfer->request.get(), limits.time_limit);
  std::thread worker;
  try {
    worker = std::thread([transfer] {
      std::optional<ByteBlock> body = Run(*transfer);
      std::lock_guard lock(transfer->mutex);
      transfer->body = std::move(body);
      transfer->done = true;
      transfer->finished.notify_one();
    });
  } catch (const std::system_error&) {
    return {};
  }
  // A fetch that ran out of time or was stopped failed, whatever trickled in
  // before; so did one that the server answered with an error page. A transfer
  // that ended in time is ended here too, its handles closed on this thread.
  ByteBlock body = Await(*transfer, limits);
  if (transfer->abandoned)
    worker.detach();
  else
    worker.join();
  return body;
}

bool IsWebAddress(const Text& address) { return ParseAddress(address).has_value(); }

}  // namespace runtime
