#pragma once
// The track name and the play path come from a remote page and end up on the
// downloader tool's command line. These rules keep them from adding arguments
// or writing outside the program directory; ordinary names pass unchanged.
#include "runtime/text.h"

namespace app {

// The file name (without ".aac"), in the file system's encoding (UTF-8), that a
// track (a GBK text) is saved under: every control character, '/', '\' and '"'
// becomes '_', so does a leading '.' or '-', and an empty name becomes "_".
// Bytes that are not GBK become U+FFFD. A name too long for the file system is
// cut at a character boundary, leaving room for the partial file's suffix.
std::string SafeFileName(const runtime::Text& track_name);

// A track name as a page gives it, cut at a character boundary to what a file
// name holds: a page can name a track with megabytes of text, which no file,
// edit box or message box should have to hold.
runtime::Text CutTrackName(const runtime::Text& track_name);

// The page address as the tool's one unquoted argument: blanks, double quotes
// and control characters are percent-encoded (as a browser sends them), so the
// address can neither split into more arguments nor open a quoted group.
runtime::Text AddressAsArgument(const runtime::Text& address);

// A play path can be handed to the tool only when it is not empty and holds no
// blank, double quote or control character.
bool IsUsablePlayPath(const runtime::Text& play_path);

}  // namespace app
