// The double-byte text operations against a plain model that walks the text one
// character at a time: the fast substring search inside them must find exactly
// the occurrences that begin at character starts, for any bytes.
#include <algorithm>

#include "fuzz/fuzz_input.h"
#include "runtime/text_ops.h"

namespace {

using runtime::CharLength;

std::string Folded(std::string_view text, bool fold) {
  std::string out(text);
  if (!fold) return out;
  for (size_t i = 0; i < out.size(); ++i) {
    if (runtime::IsLeadByte(out[i]))
      ++i;
    else if (out[i] >= 'A' && out[i] <= 'Z')
      out[i] = static_cast<char>(out[i] - 'A' + 'a');
  }
  return out;
}

bool MatchesAt(std::string_view folded_text, std::string_view folded_sought, size_t at) {
  return folded_text.substr(at, folded_sought.size()) == folded_sought &&
         at + folded_sought.size() <= folded_text.size();
}

long long ModelFindLast(std::string_view text, std::string_view sought, const runtime::FindOptions& options) {
  if (sought.empty()) return text.empty() ? -1 : 1;
  size_t limit = text.size();
  if (options.start) limit = static_cast<size_t>(std::clamp<long long>(*options.start - 1, 0, limit));
  std::string_view kept = text.substr(0, limit);
  std::string folded = Folded(kept, options.ignore_case), folded_sought = Folded(sought, options.ignore_case);
  long long found = -1;
  for (size_t at = 0, step; at < kept.size() && (step = CharLength(kept, at)) != 0; at += step)
    if (MatchesAt(folded, folded_sought, at)) found = static_cast<long long>(at) + 1;
  return found;
}

std::string ModelReplace(std::string_view text, std::string_view old_text, std::string_view new_text,
                         const runtime::ReplaceOptions& options) {
  if (text.empty() || old_text.empty()) return std::string(text);
  std::string folded = Folded(text, !options.case_sensitive);
  std::string folded_old = Folded(old_text, !options.case_sensitive);
  size_t at = static_cast<size_t>(std::clamp<long long>(options.start - 1, 0, text.size()));
  std::string out(text.substr(0, at));
  long long done = 0;
  while (at < text.size()) {
    size_t step = CharLength(text, at);
    if (step == 0) break;
    if ((!options.count || done < *options.count) && MatchesAt(folded, folded_old, at)) {
      out.append(new_text);
      at += old_text.size();
      ++done;
    } else {
      out.append(text.substr(at, step));
      at += step;
    }
  }
  out.append(text.substr(std::min(at, text.size())));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  std::uint8_t flags = input.TakeByte();
  long long start = static_cast<long long>(input.TakeBelow(600)) - 50;
  long long count = static_cast<long long>(input.TakeBelow(8)) - 1;
  std::string sought = input.TakeBytes(input.TakeBelow(6));
  std::string replacement = input.TakeText();
  std::string text = input.TakeRest();

  runtime::FindOptions find{.ignore_case = (flags & 1) != 0};
  if (flags & 2) find.start = start;
  fuzzing::Check(runtime::FindLast(text, sought, find) == ModelFindLast(text, sought, find), "FindLast");

  runtime::ReplaceOptions replace{.start = start, .case_sensitive = (flags & 4) != 0};
  if (flags & 8) replace.count = count;
  fuzzing::Check(
      runtime::Replace(text, sought, replacement, replace) == ModelReplace(text, sought, replacement, replace),
      "Replace");

  std::string right = runtime::RightPart(text, start);
  fuzzing::Check(
      right.size() == static_cast<size_t>(std::clamp<long long>(start, 0, text.size())) && text.ends_with(right),
      "RightPart");
  fuzzing::Check(runtime::TextLength(text) == text.size(), "TextLength");
  return 0;
}
