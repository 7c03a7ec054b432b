// The edit box's text store: line splitting, display forms, positions and the
// incremental line table and layout.
#include "razezazo/controls/edit_text.h"

#include <gtest/gtest.h>

#include <random>

#include "razezazo/controls/edit_characters.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text_format.h"
#include "runtime/gbk.h"

namespace controls_test {
namespace {

using razezazo::EditText;
using razezazo::InputMode;
using runtime::Gbk;

EditText Store(std::string_view text, bool multi_line = true, InputMode mode = InputMode::kNormal,
               const runtime::Text& mask = "*") {
  EditText store;
  store.SetText(text, multi_line, mode, mask);
  return store;
}

std::vector<runtime::Text> Lines(const EditText& store) {
  std::vector<runtime::Text> lines;
  for (int line = 1; line <= store.line_count(); ++line) lines.push_back(store.LineText(line));
  return lines;
}

using Rows = std::vector<runtime::Text>;

TEST(EditTextTest, LinesSplitOnlyAtCrLfAndLoneLineFeedsGo) {
  EXPECT_EQ(Lines(Store("a\nb")), (Rows{"ab"}));
  EXPECT_EQ(Lines(Store("a\r\nb")), (Rows{"a", "b"}));
  EXPECT_EQ(Lines(Store("a\rb")), (Rows{"a\rb"}));
  EXPECT_EQ(Lines(Store("a\r\r\nb")), (Rows{"a\r", "b"}));
  EXPECT_EQ(Lines(Store("\n\nab\n\n\ncd\n")), (Rows{"abcd"}));
  EXPECT_EQ(Lines(Store("x\r\n")), (Rows{"x", ""}));
  EXPECT_EQ(Lines(Store("")), (Rows{""}));
  EXPECT_EQ(Lines(Store("\r\n\r\n")), (Rows{"", "", ""}));
  // The text ends at its first zero byte, as a C string would.
  EXPECT_EQ(Lines(Store(std::string_view("ab\0c\r\nd", 7))), (Rows{"ab"}));
  EXPECT_EQ(Store("x\r\n").LineStart(2), 4);
  EXPECT_EQ(Store("x\r\n").LineStart(3), 0);
}

TEST(EditTextTest, ASingleLineKeepsWhatComesBeforeItsFirstLineBreak) {
  EXPECT_EQ(Lines(Store("one\r\ntwo", false)), (Rows{"one"}));
  EXPECT_EQ(Lines(Store("\r\ntwo", false)), (Rows{""}));
  EXPECT_EQ(Lines(Store("a\nb\rc", false)), (Rows{"ab\rc"}));
  EXPECT_EQ(Store("one\r\ntwo", false).length(), 3);
}

TEST(EditTextTest, DisplayFormMasksEveryCharacterOrShowsTheText) {
  const runtime::Text text = Gbk("a 中b");
  EXPECT_EQ(Store(text).LineText(1, std::nullopt, true), text);
  EXPECT_EQ(Store(text, true, InputMode::kPassword).LineText(1, std::nullopt, true), "****");
  EXPECT_EQ(Store(text, true, InputMode::kPassword, Gbk("●")).LineText(1, std::nullopt, true), Gbk("●●●●"));
  EXPECT_EQ(Store(text, true, InputMode::kPassword, "ab").DisplayLine(1), u"abababab");
  EXPECT_EQ(Store(text, true, InputMode::kPassword, "ab").units_per_column(), 2);
  EXPECT_EQ(Store(text).LineText(1, 3), "a ");  // never half a character
  EXPECT_EQ(Store(text).LineText(1, 4), Gbk("a 中"));
  EXPECT_EQ(Store(text).LineText(7), "");
  EXPECT_EQ(Store(text).LineText(0, std::nullopt, true), "");
}

// The store holds whole characters only: "€" (the single byte 0x80), a lead
// byte alone or before a byte that cannot trail, and 0xFF never enter it,
// whether set or inserted, so no byte of a pair is ever read apart from it.
TEST(EditTextTest, ATwoByteCharacterIsOneColumnAndBytesOfNoCharacterNeverEnter) {
  EditText store = Store(Gbk("中文") + "x\r\n" + "a\x81" + "\r\n" +
                         "\x80\x81"
                         "0z" +
                         "\r\n" + "q\xFF" + Gbk("中"));
  EXPECT_EQ(Lines(store), (Rows{Gbk("中文") + "x", "a", "0z", "q" + Gbk("中")}));
  EXPECT_EQ(store.LineChars(1), 3);
  EXPECT_EQ(store.Position(1, 1), 3);
  EXPECT_EQ(store.Position(1, 2), 5);
  EXPECT_EQ(store.Position(1, 99), 6);  // kept within the line
  EXPECT_EQ(store.LineChars(4), 2);
  store.InsertAt(store.Position(2, 1),
                 "\x80"
                 "b\x81",
                 true);
  EXPECT_EQ(store.LineText(2), "ab");
  EditText single = Store("ab", false);
  single.InsertAt(2, Gbk("€中") + "\xFF", false);
  EXPECT_EQ(single.WholeText(), "a" + Gbk("中") + "b");
  // Whatever the bytes, a pair that is not GBK shows as one unit of its own.
  EXPECT_EQ(Store("\xA2\xA0"
                  "b")
                .DisplayLine(1),
            u"\xFFFD"
            "b");
}

TEST(EditTextTest, RangesDeletionAndInsertionWorkOnBytePositions) {
  EditText store = Store("ab\r\ncd");
  EXPECT_EQ(store.RangeText(6, 2), "b\r\nc");
  EXPECT_EQ(store.RangeText(-3, 99), "ab\r\ncd");
  store.DeleteRange(6, 3, true);
  EXPECT_EQ(store.WholeText(), "abd");
  EXPECT_EQ(store.line_count(), 1);
  store.InsertAt(3, "X\r\nY", true);
  EXPECT_EQ(Lines(store), (Rows{"abX", "Yd"}));
  store.InsertAt(99, std::string_view("!\0?", 3), true);
  EXPECT_EQ(store.WholeText(), "abX\r\nYd!");
  // Inserting between CR and LF does not keep a lone LF.
  store.InsertAt(5, "-", true);
  EXPECT_EQ(store.WholeText(), "abX\r-Yd!");
}

// Edits at random places: the text equals the whole edited text set anew, and
// the spliced line table equals a fresh split.
TEST(EditTextTest, EditsEqualSettingTheWholeTextAgain) {
  std::mt19937 random(20151102);
  const char* pieces[] = {"a", "\r\n", "\r", "\n", "\x81", "\x80", "\xD6\xD0", " ", "\r\n\r\n", "xyz"};
  EditText store = Store("start\r\nof\r\ntext");
  for (int step = 0; step < 3000; ++step) {
    const runtime::Text before = store.WholeText();
    // Edits come at character boundaries, as the box gives them.
    const auto boundary = [&] {
      const int line = std::uniform_int_distribution<int>(1, store.line_count())(random);
      return store.Position(line, std::uniform_int_distribution<int>(0, store.LineChars(line))(random));
    };
    const int a = boundary();
    runtime::Text edited;
    if (random() % 3 == 0) {
      const int b = boundary();
      store.DeleteRange(a, b, true);
      edited = before.substr(0, std::min(a, b) - 1) + before.substr(std::max(a, b) - 1);
    } else {
      std::string piece;
      for (int n = random() % 4; n >= 0; --n) piece += pieces[random() % std::size(pieces)];
      store.InsertAt(a, piece, true);
      edited = before.substr(0, a - 1) + runtime::GbkWholeCharacters(piece) + before.substr(a - 1);
    }
    ASSERT_EQ(store.WholeText(), razezazo::NormalizeEditText(edited, true)) << "step " << step;
    const EditText fresh = Store(store.WholeText());
    ASSERT_EQ(store.line_count(), fresh.line_count()) << "step " << step;
    for (int line = 1; line <= fresh.line_count(); ++line)
      ASSERT_EQ(store.LineStart(line), fresh.LineStart(line)) << "step " << step << " line " << line;
  }
}

class EditLayoutTest : public ::testing::Test {
 protected:
  EditLayoutTest() {
    razezazo::TextFormat format;
    format.Create(razezazo::text_flags::kNoFontFallback | razezazo::text_flags::kMeasureTrailingSpaces |
                      razezazo::text_flags::kNoClip,
                  0, false);
    format_ = format.Handle();
    format_->first_tab_offset = 1;
    format_->tab_stops = {8};
  }
  // Lays the store out and, unless it wraps, every line as a view would when shown.
  void Layout(EditText& store, float wrap_width = 0) {
    store.Layout(graphics_, wrap_width, font_, format_);
    if (!store.wraps()) store.Measure(graphics_, font_, format_, 1, store.line_count());
  }
  static void ExpectSameGeometry(const EditText& a, const EditText& b) {
    ASSERT_EQ(a.line_count(), b.line_count());
    EXPECT_EQ(a.content_width(), b.content_width());
    EXPECT_EQ(a.content_height(), b.content_height());
    for (int line = 1; line <= a.line_count(); ++line) {
      const razezazo::FloatRect ra = a.LineRect(line), rb = b.LineRect(line);
      EXPECT_EQ(ra.y, rb.y) << line;
      EXPECT_EQ(ra.width, rb.width) << line;
      EXPECT_EQ(ra.height, rb.height) << line;
    }
  }

  gfx::Bitmap canvas_{16, 16};
  gfx::Graphics graphics_{canvas_};
  razezazo::FontHandle font_ = razezazo::DefaultFont();
  razezazo::FormatHandle format_;
};

TEST_F(EditLayoutTest, EmptyLinesAreTwoPixelsWideAndOneLineHigh) {
  EditText store = Store("abc\r\n\r\nx");
  Layout(store);
  ASSERT_GT(store.line_height(), 0);
  EXPECT_GT(store.reference_width(), 0);
  EXPECT_FLOAT_EQ(store.LineRect(2).width, 2.0f);
  EXPECT_FLOAT_EQ(store.LineRect(2).height, static_cast<float>(store.line_height()));
  EXPECT_FLOAT_EQ(store.LineRect(3).y, 2.0f * store.line_height());
  EXPECT_EQ(store.content_height(), 3 * store.line_height());
  EXPECT_EQ(store.content_width(), static_cast<int>(store.LineRect(1).width));
  EXPECT_TRUE(store.LineRect(0).IsEmpty());
}

TEST_F(EditLayoutTest, AWrapWidthWrapsLongLines) {
  const runtime::Text long_line(120, 'w');
  EditText wrapped = Store(long_line + "\r\nnext"), plain = Store(long_line + "\r\nnext");
  Layout(wrapped, 100);
  Layout(plain);
  EXPECT_TRUE(wrapped.wraps());
  EXPECT_FALSE(plain.wraps());
  EXPECT_GT(wrapped.LineRect(1).height, 2.0f * wrapped.line_height());
  EXPECT_LE(wrapped.LineRect(1).width, 100.0f);
  EXPECT_FLOAT_EQ(wrapped.LineRect(2).y, std::trunc(wrapped.LineRect(1).height));
  EXPECT_FLOAT_EQ(plain.LineRect(2).y, static_cast<float>(plain.line_height()));
  EXPECT_GT(plain.LineRect(1).width, 100.0f);
}

// Lines that do not wrap are laid out only when asked for (the ones a view
// shows), and estimated from their characters' advances until then, unless a
// change brought only a few (a keystroke's); wrapping lines are laid out at
// once. Either way a change lays out only the lines it touched, and the
// geometry is the one a full layout gives.
TEST_F(EditLayoutTest, LinesAreLaidOutWhenShownAndAChangeOnlyTheLinesItTouched) {
  runtime::Text text;
  for (int i = 0; i < 1000; ++i) text += "line " + std::to_string(i) + Gbk(" 混合文字 mixed\tTAB") + "\r\n";
  EditText store = Store(text);
  const auto layout = [&](float wrap_width = 0) {
    store.Layout(graphics_, wrap_width, font_, format_);
    return store.lines_measured_by_last_layout();
  };
  EXPECT_EQ(layout(), 0);
  EXPECT_FALSE(store.IsMeasured(500));
  const float estimate = store.LineRect(500).width;
  store.Measure(graphics_, font_, format_, 500, 520);
  EXPECT_EQ(store.lines_measured_by_last_layout(), 21);
  EXPECT_TRUE(store.IsMeasured(500));
  EXPECT_NEAR(store.LineRect(500).width, estimate, 2.0f);
  EXPECT_FLOAT_EQ(store.LineRect(500).y, 499.0f * store.line_height());
  store.Measure(graphics_, font_, format_, 1, store.line_count());
  EXPECT_EQ(store.lines_measured_by_last_layout(), 1001 - 21);

  store.InsertAt(store.length() + 1, "x", true);
  EXPECT_EQ(layout(), 1);
  store.InsertAt(store.LineStart(500) + 2, Gbk("中\r\n文"), true);
  EXPECT_EQ(layout(), 2);
  store.DeleteRange(store.LineStart(10), store.LineStart(20), true);
  EXPECT_EQ(layout(), 1);
  EXPECT_EQ(layout(), 0);

  EditText fresh = Store(store.WholeText());
  Layout(fresh);
  ExpectSameGeometry(store, fresh);
  // A wrap width lays out everything again, and a change there the lines it touched.
  EXPECT_EQ(layout(150), store.line_count());
  store.InsertAt(store.LineStart(700), "x", true);
  EXPECT_EQ(layout(150), 1);
}

TEST(EditCharactersTest, CountingAndDisplayUnits) {
  using namespace razezazo::edit_chars;
  EXPECT_EQ(CountChars(Gbk("a中b")), 3);
  EXPECT_EQ(CountChars("\x81"), 1);
  EXPECT_EQ(BytesOfColumns(Gbk("中a"), 1), 2u);
  EXPECT_EQ(BytesOfColumns(Gbk("中a"), -1), 0u);
  EXPECT_EQ(BytesOfColumns(Gbk("中a"), 9), 3u);
  EXPECT_EQ(DisplayUnits(Gbk("中\ta")), u"中\ta");
  EXPECT_EQ(DisplayUnits("\r\x01"), u"\xFFFD\xFFFD");
}

}  // namespace
}  // namespace controls_test
