#include "runtime/gbk.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

TEST(Gbk, RoundTripsChineseAndAscii) {
  Text gbk = Gbk("晨岚DJ音乐网(brivo)");
  EXPECT_EQ(gbk.substr(0, 2), "\xB3\xBF");  // 晨 in code page 936
  EXPECT_EQ(gbk.size(), 19u);
  EXPECT_EQ(GbkToUtf8(gbk), "晨岚DJ音乐网(brivo)");
  EXPECT_EQ(GbkToUtf16(gbk), u"晨岚DJ音乐网(brivo)");
  EXPECT_EQ(Utf16ToGbk(u"晨岚DJ音乐网(brivo)"), gbk);
}

TEST(Gbk, BadBytesNeverFailTheConversion) {
  // A lead byte with an invalid second byte, and a lone lead byte at the end.
  EXPECT_EQ(GbkToUtf8("a\xFF"
                      "b\xB0"),
            "a\uFFFD"
            "b\uFFFD");
  EXPECT_EQ(GbkToUtf16("\xFF"
                       "x"),
            u"\uFFFDx");
  // Characters GBK cannot hold, and malformed UTF-8.
  EXPECT_EQ(Utf8ToGbk("a\U0001F3B5b"), "a?b");
  EXPECT_EQ(Utf8ToGbk("a\xC3(b"), "a?(b");
  EXPECT_EQ(Utf16ToGbk(u"a\xD800"
                       "b"),
            "a?b");
}

// Text a user gives keeps only what GBK holds: no '?' takes the place of an
// emoji, Hangul, a surrogate half or malformed UTF-8, and the rest is whole.
TEST(Gbk, OmittingConversionsLeaveOutWhatGbkCannotHold) {
  EXPECT_EQ(Utf8ToGbkOmitting("a\U0001F600中한b"), "a" + Gbk("中") + "b");
  EXPECT_EQ(Utf8ToGbkOmitting("a\xC3(b\xE4\xB8"), "a(b");
  EXPECT_EQ(Utf8ToGbkOmitting("\U0001F600"), "");
  EXPECT_EQ(Utf16ToGbkOmitting(u"a\U0001F600\uD55Cb"), "ab");
  EXPECT_EQ(Utf16ToGbkOmitting(u"\xD83D"), "");
  EXPECT_EQ(Utf16ToGbkOmitting(u"x\xDE00\u6587"), "x" + Gbk("文"));
  // "€" has only the single byte 0x80, which a GBK text reads as half a pair.
  EXPECT_EQ(Gbk("€"), "\x80");
  EXPECT_EQ(Utf8ToGbkOmitting("价格€100元"), Gbk("价格100元"));
  EXPECT_EQ(Utf16ToGbkOmitting(u"€中"), Gbk("中"));
}

// Only ASCII bytes and well-formed pairs (lead 0x81-0xFE, trail 0x40-0xFE
// but 0x7F) are whole characters.
TEST(Gbk, WholeCharactersDropBytesOfNoCharacter) {
  EXPECT_EQ(GbkWholeCharacters("\x80\xD6\xD0"
                               "a\xFF"
                               "b\x81"
                               "0\x81\x7F"
                               "c\xB0"),
            "\xD6\xD0"
            "ab0\x7F"
            "c");
  EXPECT_EQ(GbkWholeCharacters("\x81\x40\xFE\xFE\r\n"), "\x81\x40\xFE\xFE\r\n");
}

}  // namespace
}  // namespace runtime
