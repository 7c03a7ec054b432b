#include "runtime/http_get.h"

namespace runtime {

Text ToText(const ByteBlock& bytes) { return Text(bytes.c_str()); }

}  // namespace runtime
