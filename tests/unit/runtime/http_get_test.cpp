#include "runtime/http_get.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/http_test_server.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using testing_support::ClosedPort;
using testing_support::HttpResponse;
using testing_support::HttpTestServer;

class HttpGetTest : public ::testing::Test {
 protected:
  // No proxy of the machine may stand between the test and its server.
  testing_support::ScopedEnv no_proxy_{"no_proxy", "127.0.0.1,localhost"};
  HttpTestServer server_;
};

TEST_F(HttpGetTest, SendsTheFixedRequestWithoutTheFragment) {
  server_.Route("/play/1.html?id=7", {.body = "page"});
  EXPECT_EQ(HttpGet(server_.Url("/play/1.html?id=7#player")), "page");
  auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  const std::string& request = requests[0];
  EXPECT_EQ(request.rfind("GET /play/1.html?id=7 HTTP/1.0\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"), std::string::npos);
  EXPECT_NE(request.find("\r\nAccept: */*\r\n"), std::string::npos);
}

TEST_F(HttpGetTest, AnErrorPageIsAFailedFetchAndABodyKeepsItsZeroBytes) {
  // An error page's text is no page and no version: a status other than 2xx gives nothing.
  for (int status : {404, 500, 302}) {
    server_.Route("/status", {.status = status, .body = "<html>404 Not Found</html>"});
    EXPECT_EQ(HttpGet(server_.Url("/status")), "") << status;
  }
  server_.Route("/zero", {.body = std::string("ab\0cd", 5)});
  ByteBlock zero = HttpGet(server_.Url("/zero"));
  EXPECT_EQ(zero, std::string("ab\0cd", 5));
  EXPECT_EQ(ToText(zero), "ab");
}

TEST_F(HttpGetTest, ReadsLargeBodiesWholeWithOrWithoutALength) {
  std::string big(5 * 1024 * 1024 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 % 251);
  server_.Route("/big", {.body = big});
  server_.Route("/until-close", {.body = big, .send_length = false});
  EXPECT_EQ(HttpGet(server_.Url("/big")), big);
  EXPECT_EQ(HttpGet(server_.Url("/until-close")), big);
}

TEST_F(HttpGetTest, StopsReadingABodyAtTheLimit) {
  std::string huge(kMaxBodyBytes + 4096, 'h');
  huge.back() = 'X';
  server_.Route("/huge", {.body = huge, .send_length = false});
  ByteBlock got = HttpGet(server_.Url("/huge"));
  EXPECT_EQ(got.size(), kMaxBodyBytes);
  EXPECT_EQ(got.find('X'), std::string::npos);
}

TEST_F(HttpGetTest, AByteLimitOfTheCallerStopsTheBodyThere) {
  server_.Route("/page", {.body = std::string(300000, 'p'), .send_length = false});
  EXPECT_EQ(HttpGet(server_.Url("/page"), {.max_bytes = 1000}).size(), 1000u);
}

TEST_F(HttpGetTest, AServerThatTricklesPastTheTimeLimitOrAStopIsAFailedFetch) {
  // A byte every 100 ms never stalls the transfer, yet the fetch must end.
  server_.Route("/slow", {.body = std::string(100, 's'), .trickle = std::chrono::milliseconds(100)});
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(HttpGet(server_.Url("/slow"), {.time_limit = std::chrono::milliseconds(700)}), "");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
  // A stop raised meanwhile ends the ten-second trickle too, within its second.
  StopSignal stop;
  std::thread stopper([&stop] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    stop.Request();
  });
  started = std::chrono::steady_clock::now();
  EXPECT_EQ(HttpGet(server_.Url("/slow"), {.stop = &stop}), "");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1800));
  stopper.join();
  // Within the limit the same trickle is read whole.
  server_.Route("/short", {.body = "abc", .trickle = std::chrono::milliseconds(100)});
  EXPECT_EQ(HttpGet(server_.Url("/short"), {.time_limit = std::chrono::seconds(20)}), "abc");
}

TEST_F(HttpGetTest, FollowsRedirectsToWebAddressesOnly) {
  testing_support::TempDir dir;
  testing_support::WriteWholeFile(dir.path() / "secret", "local file");
  server_.Route("/moved", {.status = 302, .headers = {"Location: " + server_.Url("/target")}});
  server_.Route("/target", {.body = "arrived"});
  server_.Route("/to-file",
                {.status = 302, .headers = {"Location: file://" + (dir / "secret")}, .body = "redirect body"});
  EXPECT_EQ(HttpGet(server_.Url("/moved")), "arrived");
  EXPECT_EQ(HttpGet(server_.Url("/to-file")).find("local file"), std::string::npos);
}

TEST_F(HttpGetTest, KeepsCookiesForTheProcess) {
  server_.Route("/login", {.headers = {"Set-Cookie: session=abc; Path=/"}, .body = "ok"});
  server_.Route("/next", {.body = "next"});
  HttpGet(server_.Url("/login"));
  HttpGet(server_.Url("/next"));
  EXPECT_NE(server_.Requests().back().find("Cookie: session=abc"), std::string::npos);
}

TEST(HttpGet, BadAddressesGiveAnEmptyBlockAtOnce) {
  EXPECT_EQ(HttpGet(""), "");
  EXPECT_EQ(HttpGet(" "), "");
  EXPECT_EQ(HttpGet("not an address"), "");
  EXPECT_EQ(HttpGet("file:///etc/hostname"), "");
  EXPECT_EQ(HttpGet("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/"), "");
}

TEST(IsWebAddress, AcceptsCompleteHttpAndHttpsAddressesOnly) {
  EXPECT_TRUE(IsWebAddress("http://www.example.com/play/1.html"));
  EXPECT_TRUE(IsWebAddress("HTTPS://127.0.0.1:8080/x?y=1#z"));
  EXPECT_FALSE(IsWebAddress(""));
  EXPECT_FALSE(IsWebAddress("www.example.com/play/1.html"));
  EXPECT_FALSE(IsWebAddress("http://"));
  EXPECT_FALSE(IsWebAddress("http://not an address"));
  EXPECT_FALSE(IsWebAddress("ftp://www.example.com/x"));
  EXPECT_FALSE(IsWebAddress("file:///etc/hostname"));
}

}  // namespace
}  // namespace runtime
