#pragma once
// The narrow view of the main window that the application logic works through.
// The window implements it with RazezaZO controls, brivo-cli on the console, and
// tests in memory. Every member is called on the UI thread only; code on another
// thread hands its calls over with UiThread::Send.
#include <filesystem>
#include <optional>

#include "runtime/text.h"

namespace app {

enum class EditBox { kAddress, kResult, kPath };
enum class Control { kParseButton, kDownloadButton, kAddressEdit };

// Message-box types, icons and answers as the framework's message box knows them.
enum MessageBoxType { kBoxOk = 0, kBoxYesNo = 4 };
enum MessageBoxIcon { kIconError = 16, kIconQuestion = 32, kIconWarning = 48, kIconInformation = 64 };
enum MessageBoxAnswer { kAnswerOk = 0, kAnswerCancel = 1, kAnswerYes = 5, kAnswerNo = 6 };

struct MessageBoxRequest {
  runtime::Text content;
  int type = kBoxOk;
  std::optional<runtime::Text> title;  // absent: the box's default title
  int icon = 0;
  // A line of its own under the content: why a download failed, or the file a
  // track was saved as. An error box's detail also goes to the error output
  // of the program. Empty: none.
  runtime::Text detail;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box and returns the answer once it is closed.
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
};

class MainView : public MessageBoxes {
 public:
  virtual runtime::Text EditText(EditBox box) = 0;
  virtual void SetEditText(EditBox box, const runtime::Text& text) = 0;
  virtual void SetDisabled(Control control, bool disabled) = 0;
  // Points the user at a track that has just been saved (`file` is the file
  // system's bytes): the window shows it in the file manager, a console prints it.
  virtual void ShowSavedFile(const std::filesystem::path& file) = 0;
};

}  // namespace app
