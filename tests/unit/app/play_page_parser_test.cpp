#include "app/play_page_parser.h"

#include "runtime/gbk.h"
#include "tests/unit/app/app_fixture.h"

namespace app {
namespace {

using runtime::Gbk;

class PlayPageParserTest : public testing_support::AppFixture {
 protected:
  // Parses a page made of `script`; returns the play path.
  std::string ParseScript(const std::string& script) {
    SetAddress(Serve("/play.html", Page(script)));
    EXPECT_TRUE(ParsePlayPage(context_));
    return Box(EditBox::kPath);
  }
};

TEST_F(PlayPageParserTest, ReadsTheTrackNameAndPlayPathOfASitePage) {
  std::string script = "ab='music/2015/';cd='demo01';var n =\"" + Gbk("晨岚测试曲一") +
                       "\";var t=1;play(fwqhp, pv);pv=x4+k1v+ab+cd;fmpObj = {};";
  SetAddress(Serve("/play/demo01.html", Page(script)));
  ASSERT_TRUE(ParsePlayPage(context_));
  EXPECT_EQ(Box(EditBox::kResult), "晨岚测试曲一");
  EXPECT_EQ(Box(EditBox::kPath), "music/2015/demo01");
  EXPECT_EQ(context_.state.path_variable, "pv");
  EXPECT_EQ(context_.state.page_url, server_.Url("/play/demo01.html"));
  EXPECT_EQ(context_.state.assignments.size(), 2u);
  EXPECT_TRUE(view_.boxes.empty());
}

TEST_F(PlayPageParserTest, SubstitutesAssignmentsInSectionOrderIntoEarlierResults) {
  EXPECT_EQ(ParseScript("ab='x/';cd='y';var n =\"t\";var play(fwqhp, p);p=x4+k1v+ab+cd;fmpObj = {};"), "x/y");
  EXPECT_EQ(ParseScript("a='b';b='c';var n =\"t\";var play(fwqhp, p);p=a;fmpObj = {};"), "c");
  // Every "+" goes at the end, also one that a value brought in.
  EXPECT_EQ(ParseScript("a='1+2';var n =\"t\";var play(fwqhp, p);p=a+a;fmpObj = {};"), "1212");
}

TEST_F(PlayPageParserTest, TextBeforeAnAssignmentBecomesPartOfItsName) {
  // "var q=0;\nb" is the second match's name: it occurs nowhere in the expression.
  EXPECT_EQ(ParseScript("a='x';var q=0;\nb='y';var n =\"t\";var play(fwqhp, p);p=a+b;fmpObj = {};"), "xb");
}

TEST_F(PlayPageParserTest, TheLastOccurrenceOfEachMarkerWins) {
  std::string decoy = "ab='wrong/';location.href=('http://" + MobileHost() + "');}";
  EXPECT_EQ(ParseScript(decoy + "ab='right/';cd='z';var n =\"t\";var play(fwqhp, p);p=ab+cd;fmpObj = {};"), "right/z");
}

TEST_F(PlayPageParserTest, AMissingNameEndMarkerGivesAnEmptyName) {
  ParseScript("ab='a/';var n =\"unterminated;play(fwqhp, p);p=ab;fmpObj = {};");
  EXPECT_EQ(Box(EditBox::kResult), "");
  EXPECT_EQ(Box(EditBox::kPath), "a/");
}

TEST_F(PlayPageParserTest, AHugeTrackNameIsCutToWhatAFileNameHolds) {
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += Gbk("晨岚") + "\n";
  ParseScript("ab='a/';var n =\"" + lines + "\";var t=1;play(fwqhp, p);p=ab;fmpObj = {};");
  const std::string name = Box(EditBox::kResult);
  EXPECT_GT(name.size(), 200u);
  EXPECT_LE(name.size(), 237u);
  EXPECT_EQ(runtime::GbkToUtf8(lines).rfind(name, 0), 0u);  // the start, cut between characters
}

TEST_F(PlayPageParserTest, AnEmptyAddressOnlyWarns) {
  view_.SetEditText(EditBox::kResult, "old name");
  SetAddress("");
  EXPECT_FALSE(ParsePlayPage(context_));
  ASSERT_EQ(view_.boxes.size(), 1u);
  EXPECT_EQ(view_.boxes[0].content, "请输入播放地址 ");
  EXPECT_EQ(view_.boxes[0].title, "<default>");
  EXPECT_EQ(view_.boxes[0].type, kBoxOk);
  EXPECT_EQ(view_.boxes[0].icon, kIconWarning);
  EXPECT_EQ(Box(EditBox::kResult), "old name");
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(PlayPageParserTest, AnAddressIsTakenAsTheUserMeantIt) {
  std::string page = Page("ab='a/';var n =\"t\";var play(fwqhp, p);p=ab;fmpObj = {};");
  std::string address = Serve("/play/1.html", page);
  // Pasted with blanks and a line break, or without a scheme as browsers show it.
  for (std::string typed : {" \t" + address + "\r\n", address.substr(std::string("http://").size())}) {
    SetAddress(typed);
    ASSERT_TRUE(ParsePlayPage(context_)) << typed;
    EXPECT_EQ(context_.state.page_url, address);
    EXPECT_EQ(Box(EditBox::kPath), "a/") << typed;
  }
  EXPECT_EQ(server_.Requests().size(), 2u);
  EXPECT_TRUE(view_.boxes.empty());
}

TEST_F(PlayPageParserTest, AnAddressThatCannotBeFetchedOnlyWarns) {
  for (const char* typed : {" ", "\r\n", "not an address", "ftp://127.0.0.1/play.html", "file:///etc/hostname"}) {
    view_.boxes.clear();
    SetAddress(typed);
    EXPECT_FALSE(ParsePlayPage(context_)) << typed;
    ASSERT_EQ(view_.boxes.size(), 1u) << typed;
    EXPECT_EQ(view_.boxes[0].content, "请输入播放地址 ");
  }
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(PlayPageParserTest, PagesWithoutTheLayoutGiveEmptyResults) {
  for (std::string address :
       {server_.Url("/nothing-here"), "http://127.0.0.1:" + std::to_string(testing_support::ClosedPort()) + "/"}) {
    SetAddress(address);
    view_.SetEditText(EditBox::kPath, "stale");
    EXPECT_TRUE(ParsePlayPage(context_)) << address;
    EXPECT_EQ(Box(EditBox::kPath), "") << address;
    EXPECT_EQ(Box(EditBox::kResult), "") << address;
  }
  EXPECT_TRUE(view_.boxes.empty());
}

TEST_F(PlayPageParserTest, HostilePagesCannotBreakTheParser) {
  // No end marker, no assignments, binary junk and a zero byte inside the section.
  EXPECT_EQ(ParseScript(std::string(200000, '\'') + "='" + std::string("\xFF\x80\0x", 4)), "");
  // A name built to escape the output file's quotes is shown as it is; the job makes it safe.
  ParseScript("ab='a/';var n =\"x\\\" -o \\\"/tmp/evil\";var play(fwqhp, p);p=ab;fmpObj = {};");
  EXPECT_EQ(Box(EditBox::kResult), "x\\\" -o \\\"/tmp/evil");
}

TEST_F(PlayPageParserTest, APageIsReadOnlyUpToTheCap) {
  // The layout is whole, but its end lies beyond what is read.
  std::string script = "ab='a/';var n =\"t\";var play(fwqhp, p);p=ab;fmpObj = {};" + std::string(kMaxPageBytes, ' ');
  EXPECT_EQ(ParseScript(script), "");
  EXPECT_EQ(context_.state.page_text.size(), kMaxPageBytes);
}

TEST_F(PlayPageParserTest, TheWorstPagesWithinTheCapEndWithBoundedResults) {
  // How fast is for the benchmark; here only that they end, with sane results.
  auto Repeated = [](const std::string& unit) {
    std::string out;
    while (out.size() + unit.size() < kMaxPageBytes - 1000) out += unit;
    return out;
  };
  AppState& state = context_.state;
  state.page_text = Page(Repeated("a='';") + "var n =\"t\";var play(fwqhp, p);p=a;fmpObj = {};");
  ReadPlayPage(context_.config, state);
  EXPECT_EQ(state.assignments.size(), kMaxAssignments);
  // Every "='" opens a value that never closes.
  state.page_text = Page(Repeated("a='") + "var n =\"t\";var play(fwqhp, p);p=a;fmpObj = {};");
  ReadPlayPage(context_.config, state);
  EXPECT_TRUE(state.assignments.empty());
  EXPECT_EQ(state.stream_path, "a");
}

TEST_F(PlayPageParserTest, AnExpressionThatDoublesWithEveryAssignmentIsDropped) {
  // Forty doublings would ask for a terabyte; the parse gives up and leaves no path.
  std::string doublings;
  for (int i = 0; i < 40; ++i) doublings += "a='aa';";
  EXPECT_EQ(ParseScript(doublings + "var n =\"t\";var play(fwqhp, p);p=x4+k1v+a;fmpObj = {};"), "");
  EXPECT_EQ(Box(EditBox::kResult), "t");
  // One large value in many places is caught before it is built, too.
  EXPECT_EQ(ParseScript("b='" + std::string(100000, 'v') +
                        "';var n =\"t\";var play(fwqhp, p);p=" + std::string(50000, 'b') + ";fmpObj = {};"),
            "");
  // Growth that stays within a play path's size is substituted as before.
  EXPECT_EQ(ParseScript("a='aa';a='aa';a='aa';var n =\"t\";var play(fwqhp, p);p=a;fmpObj = {};"), "aaaaaaaa");
}

}  // namespace
}  // namespace app
