// HttpGet through libcurl.
#include "runtime/http_get.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string_view>

namespace runtime {
namespace {

// CURL and CURLSH are both plain void, so each handle kind gets its own deleter.
template <auto Cleanup>
struct CurlDeleter {
  template <typename T>
  void operator()(T* handle) const {
    Cleanup(handle);
  }
};
using EasyHandle = std::unique_ptr<CURL, CurlDeleter<curl_easy_cleanup>>;
using ShareHandle = std::unique_ptr<CURLSH, CurlDeleter<curl_share_cleanup>>;
using UrlHandle = std::unique_ptr<CURLU, CurlDeleter<curl_url_cleanup>>;
using HeaderList = std::unique_ptr<curl_slist, CurlDeleter<curl_slist_free_all>>;

// The process-wide session: opened by the first fetch, it keeps the cookies of
// every later one. Fetches take turns on it.
class Session {
 public:
  static Session& Get() {
    static Session session;
    return session;
  }
  std::mutex& mutex() { return mutex_; }
  CURLSH* share() const { return share_.get(); }

 private:
  Session() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    share_.reset(curl_share_init());
    curl_share_setopt(share_.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  }
  std::mutex mutex_;
  ShareHandle share_;
};

struct BodySink {
  ByteBlock bytes;
  size_t max_bytes;
};

// Appends what arrived; at the byte limit the transfer is cut off (a short count
// tells libcurl to stop), so a server that never ends its body cannot use up memory.
size_t AppendBody(char* data, size_t size, size_t count, void* sink) {
  auto* body = static_cast<BodySink*>(sink);
  const size_t arrived = size * count;
  const size_t kept = std::min(arrived, body->max_bytes - body->bytes.size());
  body->bytes.append(data, kept);
  return kept;
}

// libcurl asks at least once a second, also while nothing arrives; a non-zero
// answer aborts the transfer.
int AbortWhenStopped(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const StopSignal*>(stop)->Requested() ? 1 : 0;
}

void AbortOnStop(CURL* curl, const StopSignal* stop) {
  if (!stop) return;
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, AbortWhenStopped);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, stop);
}

// The address with its fragment removed, or null when it cannot be parsed.
UrlHandle ParseAddress(const Text& address) {
  UrlHandle url(curl_url());
  if (!url || curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) != CURLUE_OK) return nullptr;
  curl_url_set(url.get(), CURLUPART_FRAGMENT, nullptr, 0);
  return url;
}

void SetRequestOptions(CURL* curl, CURLU* url, curl_slist* headers, std::chrono::milliseconds time_limit,
                       BodySink* body) {
  curl_easy_setopt(curl, CURLOPT_CURLU, url);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 30L);
  curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");  // in-memory cookie engine
  curl_easy_setopt(curl, CURLOPT_SHARE, Session::Get().share());
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 60L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 30L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(time_limit.count()));
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, body);
}

}  // namespace

ByteBlock HttpGet(const Text& address, const FetchLimits& limits) {
  if (address.empty()) return {};
  Session& session = Session::Get();
  std::lock_guard lock(session.mutex());
  UrlHandle url = ParseAddress(address);
  EasyHandle curl(curl_easy_init());
  HeaderList headers(curl_slist_append(nullptr, "Accept: */*"));
  if (!url || !curl || !headers) return {};
  BodySink body{.max_bytes = limits.max_bytes};
  SetRequestOptions(curl.get(), url.get(), headers.get(), limits.time_limit, &body);
  AbortOnStop(curl.get(), limits.stop);
  // A fetch that ran out of time or was stopped failed, whatever trickled in
  // before; so did one that the server answered with an error page or an
  // unfollowed redirect.
  const CURLcode result = curl_easy_perform(curl.get());
  if (result == CURLE_OPERATION_TIMEDOUT || result == CURLE_ABORTED_BY_CALLBACK) return {};
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) return {};
  return std::move(body.bytes);
}

bool IsWebAddress(const Text& address) {
  UrlHandle url = ParseAddress(address);
  char* scheme = nullptr;
  char* host = nullptr;
  bool usable = url && curl_url_get(url.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
                curl_url_get(url.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK && *host &&
                (std::string_view(scheme) == "http" || std::string_view(scheme) == "https");
  curl_free(scheme);
  curl_free(host);
  return usable;
}

}  // namespace runtime
