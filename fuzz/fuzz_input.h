#pragma once
// Cuts one fuzzer input into the pieces a target needs: small numbers and texts
// taken from the front, the rest as a whole. Every taker answers something for
// any input (zero or empty when the bytes have run out), so a target never has to
// reject an input for being short.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fuzzing {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool Empty() const { return bytes_.empty(); }

  std::uint8_t TakeByte() {
    if (bytes_.empty()) return 0;
    std::uint8_t b = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return b;
  }

  // A number in [0, bound) (0 when bound is 0).
  std::uint32_t TakeBelow(std::uint32_t bound) {
    std::uint32_t value = TakeByte();
    value = value << 8 | TakeByte();
    return bound == 0 ? 0 : value % bound;
  }

  // A text of up to 255 bytes, its length in the byte before it.
  std::string TakeText() { return TakeBytes(TakeByte()); }

  std::string TakeBytes(std::size_t count) {
    count = std::min(count, bytes_.size());
    std::string out(reinterpret_cast<const char*>(bytes_.data()), count);
    bytes_ = bytes_.subspan(count);
    return out;
  }

  std::string TakeRest() { return TakeBytes(bytes_.size()); }

 private:
  std::span<const std::uint8_t> bytes_;
};

// Stops the process with a message when a property of a target does not hold;
// libFuzzer and the replay runner both report the input that led there.
[[noreturn]] void Fail(std::string_view what);

inline void Check(bool holds, std::string_view what) {
  if (!holds) Fail(what);
}

}  // namespace fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
