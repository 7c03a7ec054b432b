#pragma once
// Small GIF files that claim or cost far more than they hold: the decoders'
// limits are tested (and benchmarked) against them. Written byte by byte, so
// that every platform's tests can use them.
#include <cstdint>
#include <vector>

namespace gfx::testing {

namespace detail {

// LZW codes of GIF's variable width, least significant bit first.
class LzwBits {
 public:
  void Put(int code, int width) {
    bits_ |= static_cast<std::uint64_t>(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  std::vector<std::uint8_t> Finish() {
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
    return bytes_;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t bits_ = 0;
  int count_ = 0;
};

// `pixels` zeros as GIF LZW data of minimum code size 2. Each code names the
// run one longer than the last (the code the decoder is about to define), so a
// table of 4096 entries covers about eight million pixels: this is how a few
// hundred kilobytes declare hundreds of millions of pixels.
inline std::vector<std::uint8_t> ZeroRunLzw(std::int64_t pixels) {
  constexpr int kClear = 4, kEnd = 5;
  LzwBits out;
  int width = 3, running = 6, max_code = 8;  // the decoder's counters
  auto put = [&](int code) {
    out.Put(code, width);
    if (running < 4097 && ++running > max_code && width < 12) {
      max_code <<= 1;
      ++width;
    }
  };
  auto clear = [&] {
    out.Put(kClear, width);
    width = 3, running = 6, max_code = 8;
  };
  clear();
  while (pixels > 0) {
    put(0);  // a literal starts the fresh table
    --pixels;
    std::int64_t run = 1;
    int next_entry = 6;
    while (pixels > 0 && next_entry < 4000) {
      if (pixels >= run + 1) {
        put(next_entry);
        ++run;
        pixels -= run;
      } else {
        put(0);
        run = 1;
        --pixels;
      }
      ++next_entry;
    }
    if (pixels > 0) clear();
  }
  out.Put(kEnd, width);
  return out.Finish();
}

inline void PutShort(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace detail

// A GIF of a `screen` x `screen` logical screen holding `frames` black frames
// of frame_width x frame_height at (0, 0), each with a delay of 10.
inline std::vector<std::uint8_t> MakeGifOfHugeFrames(int screen, int frame_width, int frame_height, int frames) {
  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  detail::PutShort(out, screen);
  detail::PutShort(out, screen);
  out.insert(out.end(), {0xF0, 0, 0, /* palette: */ 0, 0, 0, 255, 255, 255});
  const std::vector<std::uint8_t> data = detail::ZeroRunLzw(static_cast<std::int64_t>(frame_width) * frame_height);
  for (int f = 0; f < frames; ++f) {
    out.insert(out.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0});  // graphic control: delay 10
    out.push_back(0x2C);
    detail::PutShort(out, 0);
    detail::PutShort(out, 0);
    detail::PutShort(out, frame_width);
    detail::PutShort(out, frame_height);
    out.push_back(0);
    out.push_back(2);  // minimum code size
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      out.push_back(static_cast<std::uint8_t>(n));
      out.insert(out.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
    }
    out.push_back(0);
  }
  out.push_back(0x3B);
  return out;
}

}  // namespace gfx::testing
