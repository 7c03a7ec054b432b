#include "app/page_address.h"

#include <gtest/gtest.h>

#include "runtime/gbk.h"

namespace app {
namespace {

TEST(NormalizedPageAddress, TrimsWhiteSpaceAndAddsAMissingScheme) {
  EXPECT_EQ(NormalizedPageAddress(" \thttp://h/p.html\r\n"), "http://h/p.html");
  EXPECT_EQ(NormalizedPageAddress("www.example.com/play/1.html"), "http://www.example.com/play/1.html");
  EXPECT_EQ(NormalizedPageAddress("127.0.0.1:18080/play/1.html"), "http://127.0.0.1:18080/play/1.html");
  EXPECT_EQ(NormalizedPageAddress("localhost:18080/x?u=http://y"), "http://localhost:18080/x?u=http://y");
  EXPECT_EQ(NormalizedPageAddress("HTTPS://h/x"), "HTTPS://h/x");
  EXPECT_EQ(NormalizedPageAddress(runtime::Gbk("h/晨 ")), runtime::Gbk("http://h/晨"));
  EXPECT_EQ(NormalizedPageAddress(" \n "), "");
}

}  // namespace
}  // namespace app
