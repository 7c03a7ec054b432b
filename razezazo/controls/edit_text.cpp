#include "razezazo/controls/edit_text.h"

#include <algorithm>
#include <cstring>

#include "razezazo/controls/edit_characters.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Bytes the two texts share from the start; memcmp in blocks, since the texts
// are often a few hundred kilobytes that differ in one place.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
  const std::size_t limit = std::min(a.size(), b.size());
  constexpr std::size_t kBlock = 4096;
  std::size_t i = 0;
  while (i + kBlock <= limit && std::memcmp(a.data() + i, b.data() + i, kBlock) == 0) i += kBlock;
  while (i < limit && a[i] == b[i]) ++i;
  return i;
}

// Bytes the two texts share at the end, at most `limit`.
std::size_t CommonSuffix(std::string_view a, std::string_view b, std::size_t limit) {
  constexpr std::size_t kBlock = 4096;
  std::size_t i = 0;
  while (i + kBlock <= limit &&
         std::memcmp(a.data() + a.size() - i - kBlock, b.data() + b.size() - i - kBlock, kBlock) == 0)
    i += kBlock;
  while (i < limit && a[a.size() - 1 - i] == b[b.size() - 1 - i]) ++i;
  return i;
}

// Clamps a 1-based byte position to 1 .. length + 1.
std::size_t ClampPosition(int position, std::size_t length) {
  return static_cast<std::size_t>(std::clamp<long long>(position, 1, static_cast<long long>(length) + 1));
}

}  // namespace

std::string NormalizeEditText(std::string_view given, bool multi_line) {
  const runtime::Text whole = runtime::GbkWholeCharacters(given.substr(0, given.find('\0')));
  std::string_view text = whole;
  if (!multi_line) text = text.substr(0, text.find(kLineBreak));
  std::string normal;
  normal.reserve(text.size());
  std::size_t kept_from = 0;
  for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1)) {
    if (lf > 0 && text[lf - 1] == '\r') continue;
    normal.append(text, kept_from, lf - kept_from);
    kept_from = lf + 1;
  }
  normal.append(text.substr(kept_from));
  return normal;
}

void EditText::SetText(std::string_view text, bool multi_line, InputMode mode, const runtime::Text& mask) {
  multi_line_ = multi_line;
  Replace(NormalizeEditText(text, multi_line));
  mode_ = mode;
  mask_ = mask.empty() ? runtime::Text("*") : mask;
}

void EditText::Replace(std::string bytes) {
  if (bytes == bytes_) return;
  const std::size_t prefix = CommonPrefix(bytes_, bytes);
  const std::size_t suffix = CommonSuffix(bytes_, bytes, std::min(bytes_.size(), bytes.size()) - prefix);
  const std::size_t old_size = bytes_.size();
  bytes_ = std::move(bytes);
  if (multi_line_) {
    SpliceLines(prefix, suffix, old_size);
  } else {
    lines_.assign(1, LineEntry{});
    first_unplaced_ = 0;
  }
  geometry_changed_ = true;
}

// The multi-line text is normal already, so normalizing the new text can only
// drop LFs of the inserted bytes and the byte after the gap, whose byte before
// changed: doing just that gives what SetText of the whole new text would,
// without passing over the whole text.
void EditText::ReplaceBytes(std::size_t from, std::size_t to, std::string_view inserted) {
  std::string piece;
  piece.reserve(inserted.size());
  char before = from > 0 ? bytes_[from - 1] : '\0';
  for (const char c : runtime::GbkWholeCharacters(inserted)) {
    if (c != '\n' || before == '\r') piece.push_back(c);
    before = c;
  }
  if (to < bytes_.size() && bytes_[to] == '\n' && before != '\r') ++to;
  const std::size_t old_size = bytes_.size();
  bytes_.replace(from, to - from, piece);
  SpliceLines(from, old_size - to, old_size);
  geometry_changed_ = true;
}

// The old table is the CR LF split of the old bytes. A line whose next start
// lies in the common prefix is the same line in the new text; so is a line
// whose preceding CR LF lies in the common suffix (moved by the change in
// length). Only the lines between them are split again and left unmeasured.
void EditText::SpliceLines(std::size_t prefix, std::size_t suffix, std::size_t old_size) {
  const std::string& bytes = bytes_;
  const auto by_start = [](const LineEntry& line, std::size_t offset) {
    return static_cast<std::size_t>(line.start) < offset;
  };
  const auto after_first = lines_.begin() + 1;
  const std::size_t head = static_cast<std::size_t>(
      std::partition_point(after_first, lines_.end(),
                           [&](const LineEntry& l) { return static_cast<std::size_t>(l.start) <= prefix; }) -
      after_first);
  std::size_t tail = static_cast<std::size_t>(
      std::lower_bound(after_first, lines_.end(), old_size - suffix + 2, by_start) - lines_.begin());
  tail = std::max(tail, head + 1);
  const long long shift = static_cast<long long>(bytes.size()) - static_cast<long long>(old_size);
  const bool has_tail = tail < lines_.size();
  const std::size_t tail_start = has_tail ? static_cast<std::size_t>(lines_[tail].start + shift) : bytes.size();

  std::vector<int> middle{lines_[head].start};
  for (std::size_t at = bytes.find(kLineBreak, static_cast<std::size_t>(lines_[head].start)); at != std::string::npos;
       at = bytes.find(kLineBreak, at + 2)) {
    const std::size_t start = at + 2;
    if (has_tail && start >= tail_start) break;
    middle.push_back(static_cast<int>(start));
  }

  for (std::size_t i = tail; i < lines_.size(); ++i) lines_[i].start = static_cast<int>(lines_[i].start + shift);
  const std::size_t old_count = tail - head;
  if (middle.size() > old_count)
    lines_.insert(lines_.begin() + static_cast<long>(tail), middle.size() - old_count, LineEntry{});
  else
    lines_.erase(lines_.begin() + static_cast<long>(head + middle.size()), lines_.begin() + static_cast<long>(tail));
  for (std::size_t k = 0; k < middle.size(); ++k) lines_[head + k] = LineEntry{middle[k], {}, 0, Sizing::kNone, {}, -1};
  first_unplaced_ = std::min(first_unplaced_, head);
}

std::string_view EditText::LineBytes(int line) const {
  if (!IsValidLine(line)) return {};
  const auto index = static_cast<std::size_t>(line - 1);
  const std::size_t start = static_cast<std::size_t>(lines_[index].start);
  const std::size_t end =
      index + 1 < lines_.size() ? static_cast<std::size_t>(lines_[index + 1].start) - 2 : bytes_.size();
  return std::string_view(bytes_).substr(start, end - start);
}

runtime::Text EditText::LineText(int line, std::optional<int> byte_count, bool display) const {
  std::string_view bytes = LineBytes(line);
  if (byte_count) bytes = bytes.substr(0, edit_chars::WholeCharacterBytes(bytes, *byte_count));
  if (!display) return runtime::Text(bytes);
  if (mode_ == InputMode::kPassword) {
    runtime::Text masked;
    const int count = edit_chars::CountChars(bytes);
    masked.reserve(mask_.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) masked += mask_;
    return masked;
  }
  // Spaces stay spaces: as tabs with 8-px stops they were drawn 0 to 8 px
  // wide, and "a b c" read as "ab c".
  return runtime::Text(bytes);
}

runtime::Text EditText::RangeText(int a, int b) const {
  const std::size_t from = ClampPosition(std::min(a, b), bytes_.size());
  const std::size_t to = ClampPosition(std::max(a, b), bytes_.size());
  return bytes_.substr(from - 1, to - from);
}

void EditText::DeleteRange(int a, int b, bool multi_line) {
  const std::size_t from = ClampPosition(std::min(a, b), bytes_.size());
  const std::size_t to = ClampPosition(std::max(a, b), bytes_.size());
  if (multi_line && multi_line_) return ReplaceBytes(from - 1, to - 1, {});
  std::string next;
  next.reserve(bytes_.size() - (to - from));
  next.append(bytes_, 0, from - 1).append(bytes_, to - 1);
  SetText(next, multi_line, mode_, mask_);
}

void EditText::InsertAt(int position, std::string_view text, bool multi_line) {
  text = text.substr(0, text.find('\0'));
  const std::size_t at = ClampPosition(position, bytes_.size());
  if (multi_line && multi_line_) return ReplaceBytes(at - 1, at - 1, text);
  std::string next;
  next.reserve(bytes_.size() + text.size());
  next.append(bytes_, 0, at - 1).append(text).append(bytes_, at - 1);
  SetText(next, multi_line, mode_, mask_);
}

FloatRect EditText::LineRect(int line) const {
  return IsValidLine(line) ? lines_[static_cast<std::size_t>(line - 1)].rect : FloatRect{};
}

int EditText::LineStart(int line) const {
  return IsValidLine(line) ? lines_[static_cast<std::size_t>(line - 1)].start + 1 : 0;
}

int EditText::LineLength(int line) const { return static_cast<int>(LineBytes(line).size()); }

int EditText::LineChars(int line) const {
  if (!IsValidLine(line)) return 0;
  int& chars = lines_[static_cast<std::size_t>(line - 1)].chars;
  if (chars < 0) chars = edit_chars::CountChars(LineBytes(line));
  return chars;
}

// In a long line the count starts at the stretch that holds the column.
int EditText::Position(int line, int column) const {
  if (!IsValidLine(line)) return 0;
  const std::vector<Stretch>& stretches = Stretches(line);
  const auto after = std::upper_bound(stretches.begin(), stretches.end(), column,
                                      [](int c, const Stretch& s) { return c < s.column; });
  const Stretch from = after == stretches.begin() ? Stretch{} : *(after - 1);
  const std::string_view rest = LineBytes(line).substr(static_cast<std::size_t>(from.byte));
  return LineStart(line) + from.byte + static_cast<int>(edit_chars::BytesOfColumns(rest, column - from.column));
}

std::u16string EditText::DisplayLine(int line) const {
  return edit_chars::DisplayUnits(LineText(line, std::nullopt, true));
}

const std::vector<EditText::Stretch>& EditText::Stretches(int line) const {
  static const std::vector<Stretch> kNone;
  return IsValidLine(line) ? lines_[static_cast<std::size_t>(line - 1)].stretches : kNone;
}

std::u16string EditText::DisplayStretch(int line, const Stretch& from, int count) const {
  const std::string_view rest = LineBytes(line).substr(static_cast<std::size_t>(from.byte));
  const std::string_view bytes = rest.substr(0, edit_chars::BytesOfColumns(rest, count));
  if (mode_ != InputMode::kPassword) return edit_chars::DisplayUnits(bytes);
  runtime::Text masked;
  for (int i = 0, n = edit_chars::CountChars(bytes); i < n; ++i) masked += mask_;
  return edit_chars::DisplayUnits(masked);
}

int EditText::units_per_column() const {
  return mode_ == InputMode::kPassword ? std::max(edit_chars::CountChars(mask_), 1) : 1;
}

}  // namespace razezazo
