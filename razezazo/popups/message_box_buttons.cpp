#include "razezazo/popups/message_box_buttons.h"

#include <charconv>
#include <string>

#include "runtime/gbk.h"

namespace razezazo {
namespace {

MessageBoxButton Button(const char* utf8, int code) { return {runtime::Gbk(utf8), code}; }

std::optional<int> Number(std::string_view part) {
  int value = 0;
  const char* end = part.data() + part.size();
  auto [stop, error] = std::from_chars(part.data(), end, value);
  if (part.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

std::vector<MessageBoxButton> MessageBoxButtons(MessageBoxType type) {
  switch (type) {
    case kBoxOkCancel: return {Button("取消", kResultCancel), Button("确认", kResultOk)};
    case kBoxAbortRetryIgnore:
      return {Button("忽略", kResultIgnore), Button("重试", kResultRetry), Button("放弃", kResultAbort)};
    case kBoxYesNoCancel:
      return {Button("取消", kResultCancel), Button("否(&N)", kResultNo), Button("是(&Y)", kResultYes)};
    case kBoxYesNo: return {Button("否(&N)", kResultNo), Button("是(&Y)", kResultYes)};
    case kBoxRetryCancel: return {Button("取消", kResultCancel), Button("重试", kResultRetry)};
    default: return {Button("确认", kResultOk)};
  }
}

runtime::Text FormatButtonTag(const ButtonTag& tag) {
  return std::to_string(tag.result_key) + "|" + std::to_string(tag.code) + "|" + std::to_string(tag.position);
}

std::optional<ButtonTag> ParseButtonTag(const runtime::Text& tag) {
  const size_t first = tag.find('|');
  if (first == runtime::Text::npos) return std::nullopt;
  const size_t second = tag.find('|', first + 1);
  if (second == runtime::Text::npos || tag.find('|', second + 1) != runtime::Text::npos) return std::nullopt;
  const std::string_view text(tag);
  auto key = Number(text.substr(0, first));
  auto code = Number(text.substr(first + 1, second - first - 1));
  auto position = Number(text.substr(second + 1));
  if (!key || !code || !position) return std::nullopt;
  return ButtonTag{*key, *code, *position};
}

}  // namespace razezazo
