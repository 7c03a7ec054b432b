#pragma once
// The message box's button sets and the tag each of its buttons carries:
// "result key|code|position", where the key names the box's result slot in a
// table the box keeps (never an address), the code is what the button answers
// and position 1 is the rightmost button.
#include <optional>
#include <vector>

#include "runtime/text.h"

namespace razezazo {

// Results: 0 确认, 1 取消, 2 放弃, 3 重试, 4 忽略, 5 是, 6 否.
enum MessageBoxResult : int {
  kResultOk = 0,
  kResultCancel = 1,
  kResultAbort = 2,
  kResultRetry = 3,
  kResultIgnore = 4,
  kResultYes = 5,
  kResultNo = 6
};

// Button sets, named by their buttons from the left.
enum MessageBoxType : int {
  kBoxOk = 0,
  kBoxOkCancel = 1,
  kBoxAbortRetryIgnore = 2,
  kBoxYesNoCancel = 3,
  kBoxYesNo = 4,
  kBoxRetryCancel = 5
};

struct MessageBoxButton {
  runtime::Text text;  // GBK
  int code = kResultOk;
};

// The buttons of a box type, right to left; a type not named is taken as kBoxOk.
std::vector<MessageBoxButton> MessageBoxButtons(MessageBoxType type);

struct ButtonTag {
  int result_key = 0;
  int code = 0;
  int position = 0;
};

runtime::Text FormatButtonTag(const ButtonTag& tag);
// Nothing unless the text is exactly three decimal numbers joined by "|".
std::optional<ButtonTag> ParseButtonTag(const runtime::Text& tag);

}  // namespace razezazo
