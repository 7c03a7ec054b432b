#include "app/page_address.h"

#include "runtime/text_ops.h"

namespace app {
namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A scheme is a letter, then letters, digits, '+', '-' or '.', then "://".
// "127.0.0.1:18080/x" and "localhost:18080/x" have none.
bool HasScheme(std::string_view address) {
  size_t colon = address.find("://");
  if (colon == std::string_view::npos || colon == 0 || !IsLetter(address[0])) return false;
  for (char c : address.substr(0, colon))
    if (!IsLetter(c) && !IsDigit(c) && c != '+' && c != '-' && c != '.') return false;
  return true;
}

}  // namespace

// The second byte of a GBK character is never white space, so trimming bytes is safe.
runtime::Text NormalizedPageAddress(const runtime::Text& typed) {
  size_t first = 0, end = typed.size();
  while (first < end && IsWhiteSpace(typed[first])) ++first;
  while (end > first && IsWhiteSpace(typed[end - 1])) --end;
  std::string_view address(typed.data() + first, end - first);
  if (address.empty() || HasScheme(address)) return runtime::Text(address);
  return runtime::Concat("http://", address);
}

}  // namespace app
