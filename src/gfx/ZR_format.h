#pragma once
#include <cstddef>
#include <cstdint>

/// The two picture resource formats, shared by the decoders and the art generator's encoder.
/// ZRIF: "ZRIF", width, height, then width x height pixels. ZRVF: "ZRVF", width, height, block
/// count N, frame count F, N blocks of 4x4 pixels, then F x C x R unsigned 16-bit block numbers
/// (C, R: block columns and rows, partly covered edge blocks included). Integers little-endian.
namespace ZR_format {

enum Kind { kStill, kStrip };

constexpr char kStillMagic[4] = {'Z', 'R', 'I', 'F'};
constexpr char kStripMagic[4] = {'Z', 'R', 'V', 'F'};
constexpr size_t kStillHeaderBytes = 12;
constexpr size_t kStripHeaderBytes = 20;
constexpr int32_t kBlockSide = 4;
constexpr size_t kBlockBytes = 64;
constexpr int32_t kMaxBlocks = 65536;  // block numbers are 16-bit

/// Block columns (or rows) that cover n pixels: (n - 1) / 4 + 1.
constexpr int32_t blockSpan(int32_t n) { return (n - 1) / kBlockSide + 1; }

/// a x b, or the largest size when that does not fit: a header's sizes may be anything.
constexpr uint64_t product(uint64_t a, uint64_t b) {
  return a != 0 && b > UINT64_MAX / a ? UINT64_MAX : a * b;
}
constexpr uint64_t sum(uint64_t a, uint64_t b) { return b > UINT64_MAX - a ? UINT64_MAX : a + b; }

/// Exact sizes in bytes for non-negative header fields; too large to exist comes out as UINT64_MAX.
constexpr uint64_t stillBytes(int32_t w, int32_t h) {
  return sum(kStillHeaderBytes, product(4, product(uint64_t(w), uint64_t(h))));
}
constexpr uint64_t stripBytes(int32_t w, int32_t h, int32_t blocks, int32_t frames) {
  const uint64_t indexEntries =
      product(uint64_t(frames), product(uint64_t(blockSpan(w)), uint64_t(blockSpan(h))));
  return sum(sum(kStripHeaderBytes, product(kBlockBytes, uint64_t(blocks))), product(2, indexEntries));
}

struct Header {
  bool valid = false;  // the magic matches and the sizes it names fit in the data
  int32_t width = 0;
  int32_t height = 0;
  int32_t blockCount = 0;  // strips only
  int32_t frameCount = 0;  // strips only
};

/// Reads and checks the header of a resource of size bytes (null data is never valid).
Header readHeader(const void* data, size_t size, Kind kind);

inline const void* at(const void* data, size_t offset) {
  return static_cast<const unsigned char*>(data) + offset;
}

}  // namespace ZR_format
