#pragma once
#include <string>

namespace runtime {

// A byte string in the ANSI code page (GBK): a byte >= 0x80 starts a two-byte
// character. Positions handed to callers are 1-based byte positions.
using Text = std::string;

// Raw bytes of any kind (a fetched body, a file's contents); may hold zero bytes.
using ByteBlock = std::string;

}  // namespace runtime
