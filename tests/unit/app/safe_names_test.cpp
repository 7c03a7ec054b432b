#include "app/safe_names.h"

#include <gtest/gtest.h>

#include "runtime/gbk.h"

namespace app {
namespace {

using runtime::Gbk;

TEST(SafeFileName, LeavesOrdinaryNamesAlone) {
  EXPECT_EQ(SafeFileName(Gbk("晨岚测试曲一")), "晨岚测试曲一");  // the file system's UTF-8
  EXPECT_EQ(SafeFileName("Demo Track 2 (mix) & more.v2"), "Demo Track 2 (mix) & more.v2");
  EXPECT_EQ(SafeFileName("a-b.c"), "a-b.c");
}

TEST(SafeFileName, NeutralisesEverythingThatCouldEscapeTheNameOrTheQuotes) {
  EXPECT_EQ(SafeFileName("../../etc/passwd"), "_._.._etc_passwd");
  EXPECT_EQ(SafeFileName("a\\b"), "a_b");
  EXPECT_EQ(SafeFileName("x\" -o \"/tmp/evil"), "x_ -o __tmp_evil");
  EXPECT_EQ(SafeFileName("line\nbreak\ttab\x7f"), "line_break_tab_");
  EXPECT_EQ(SafeFileName("-r rtmp//x"), "_r rtmp__x");
  EXPECT_EQ(SafeFileName(".hidden"), "_hidden");
  EXPECT_EQ(SafeFileName(""), "_");
}

TEST(SafeFileName, AMalformedDoubleByteCharacterCannotHideAQuote) {
  // 0x80 starts no valid GBK character, so the quote after it is a quote.
  runtime::Text name = SafeFileName("a\x80\"b");
  EXPECT_EQ(name.find('"'), runtime::Text::npos);
  // A backslash that is the second byte of a GBK character is part of the character.
  runtime::Text with_trail = "\x81\x5C";  // one GBK character whose second byte is '\'
  EXPECT_EQ(SafeFileName(with_trail), runtime::GbkToUtf8(with_trail));
}

TEST(SafeFileName, ALongTitleIsCutToWhatAFileNameHolds) {
  // 90 Chinese characters are 270 bytes in UTF-8: cut to whole characters
  // within 237, which leaves room for ".aac.01234567.part".
  std::string long_utf8;
  for (int i = 0; i < 90; ++i) long_utf8 += "晨";
  const std::string cut = SafeFileName(runtime::Utf8ToGbk(long_utf8));
  EXPECT_EQ(cut.size(), 79u * 3);
  EXPECT_EQ(long_utf8.rfind(cut, 0), 0u);
  EXPECT_EQ(SafeFileName(std::string(300, 'a')), std::string(237, 'a'));
  EXPECT_EQ(SafeFileName(std::string(237, 'a')), std::string(237, 'a'));
}

TEST(AddressAsArgument, EncodesWhatWouldSplitTheArgumentAndNothingElse) {
  EXPECT_EQ(AddressAsArgument("http://m.example/play/1.html?id=7&x=%41"), "http://m.example/play/1.html?id=7&x=%41");
  EXPECT_EQ(AddressAsArgument("http://h/a b?x=\"q\"\t\x7f"), "http://h/a%20b?x=%22q%22%09%7F");
  EXPECT_EQ(AddressAsArgument(Gbk("http://h/晨")), Gbk("http://h/晨"));
}

TEST(IsUsablePlayPath, RejectsBlanksQuotesAndControlCharacters) {
  EXPECT_TRUE(IsUsablePlayPath("music/2015/demo01"));
  EXPECT_TRUE(IsUsablePlayPath(Gbk("music/2015/晨岚")));
  EXPECT_FALSE(IsUsablePlayPath(""));
  EXPECT_FALSE(IsUsablePlayPath("a b"));
  EXPECT_FALSE(IsUsablePlayPath("a\"b"));
  EXPECT_FALSE(IsUsablePlayPath("a\tb"));
  EXPECT_FALSE(IsUsablePlayPath("a\nb"));
}

}  // namespace
}  // namespace app
