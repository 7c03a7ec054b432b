#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <iostream>
#include <streambuf>
#include <string_view>

#include "runtime/console.h"
#include "runtime/wide_text.h"

namespace runtime {
namespace {

// A stream buffer that writes UTF-8 text to a console as UTF-16 with
// WriteConsoleW: byte-wise writes of UTF-8 through the C runtime split
// characters, which consoles then show as garbage. A character cut at the
// buffer's end waits for its other bytes.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_.push_back(traits_type::to_char_type(c));
    if (c == '\n') sync();
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<size_t>(count));
    if (pending_.find('\n') != std::string::npos) sync();
    return count;
  }
  int sync() override {
    const size_t whole = WholeCharacters(pending_);
    const std::wstring wide = Utf8ToWide(std::string_view(pending_).substr(0, whole));
    for (size_t done = 0; done < wide.size();) {
      DWORD written = 0;
      if (!WriteConsoleW(console_, wide.data() + done, static_cast<DWORD>(wide.size() - done), &written, nullptr) ||
          written == 0)
        return -1;
      done += written;
    }
    pending_.erase(0, whole);
    return 0;
  }

 private:
  // The length of the longest start of `utf8` that ends at a character's end.
  static size_t WholeCharacters(std::string_view utf8) {
    size_t start = utf8.size();
    for (size_t back = 0; back < 4 && start > 0; ++back) {
      const auto byte = static_cast<unsigned char>(utf8[start - 1]);
      if ((byte & 0xC0) != 0x80) {
        const size_t length = byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        return utf8.size() - (start - 1) >= length ? utf8.size() : start - 1;
      }
      --start;
    }
    return utf8.size();
  }

  HANDLE console_;
  std::string pending_;
};

// Sends `stream` to the console through a ConsoleBuffer, when `handle_id` is one.
void WriteWideTo(std::ostream& stream, DWORD handle_id) {
  HANDLE handle = GetStdHandle(handle_id);
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) return;
  stream.flush();
  stream.rdbuf(new ConsoleBuffer(handle));  // for the rest of the program
}

void ProcessTerminalSequences(DWORD handle_id) {
  HANDLE console = GetStdHandle(handle_id);
  DWORD mode = 0;
  if (GetConsoleMode(console, &mode)) SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace

void PrepareConsole() {
  SetConsoleOutputCP(CP_UTF8);
  ProcessTerminalSequences(STD_OUTPUT_HANDLE);
  ProcessTerminalSequences(STD_ERROR_HANDLE);
  WriteWideTo(std::cout, STD_OUTPUT_HANDLE);
  WriteWideTo(std::cerr, STD_ERROR_HANDLE);
}

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(WideToUtf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

bool ErrorsGoToTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace runtime
