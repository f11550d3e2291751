#include "gfx/ZR_Vid.h"

#include <algorithm>

#include "cmd/ZR_error.h"
#include "cmd/ZR_resource.h"
#include "gfx/ZR_format.h"

bool ZR_Vid::map(const void* data, size_t size) {
  const ZR_format::Header header = ZR_format::readHeader(data, size, ZR_format::kStrip);
  const uint16_t* entries = nullptr;
  bool fits = header.valid;
  if (fits) {
    entries = static_cast<const uint16_t*>(
        ZR_format::at(data, ZR_format::kStripHeaderBytes + ZR_format::kBlockBytes * header.blockCount));
    const size_t count = static_cast<size_t>(header.frameCount) * ZR_format::blockSpan(header.width) *
                         ZR_format::blockSpan(header.height);
    // A block number beyond the blocks would make drawing read outside the resource.
    fits = std::all_of(entries, entries + count, [&](uint16_t number) { return number < header.blockCount; });
  }
  if (!fits) {
    ZR_ERROR_HERE("ZR_Vid::map", "Invalid ZRVF header");
    return false;
  }
  width = header.width;
  height = header.height;
  blockCount = header.blockCount;
  frameCount = header.frameCount;
  blocks = static_cast<const ZR_Pix_A32*>(ZR_format::at(data, ZR_format::kStripHeaderBytes));
  index = entries;
  return true;
}

bool ZR_Vid::mapResource(const char* name) {
  size_t size = 0;
  const void* data = ZR_resource_sized(name, &size);
  return data && map(data, size);
}

const ZR_Pix_A32& ZR_Vid::pixel(int32_t f, int32_t x, int32_t y) const {
  const uint16_t number = index[(f * rows() + y / kBlock) * columns() + x / kBlock];
  return blocks[number * kBlock * kBlock + (y % kBlock) * kBlock + x % kBlock];
}

void ZR_Vid::draw(int32_t f, ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& rect) const {
  if (f < 0 || f >= frameCount || !dest.hasPixels()) return;
  // Keep to the frame and to dest; the pixels that remain keep their landing places.
  ZR_Rect part = rect.intersect({0, 0, width, height});
  part = part.intersect(ZR_Rect{0, 0, dest.width, dest.height}.offset(rect.left - x, rect.top - y));
  if (part.empty()) return;
  const int32_t dx = x - rect.left;
  const int32_t dy = y - rect.top;
  const uint16_t* frameIndex = index + static_cast<size_t>(f) * columns() * rows();
  for (int32_t i = part.top / kBlock; i <= (part.bottom - 1) / kBlock; ++i) {
    const uint16_t* rowIndex = frameIndex + i * columns();
    for (int32_t j = part.left / kBlock; j <= (part.right - 1) / kBlock; ++j) {
      const ZR_Pix_A32* block = blocks + rowIndex[j] * kBlock * kBlock;
      const ZR_Rect square = ZR_Rect{0, 0, kBlock, kBlock}.offset(j * kBlock, i * kBlock).intersect(part);
      for (int32_t v = square.top; v < square.bottom; ++v) {
        const ZR_Pix_A32* source = block + (v - i * kBlock) * kBlock + (square.left - j * kBlock);
        ZR_Pix_A32* target = dest.row(v + dy) + (square.left + dx);
        ZR_blend_run(target, source, square.width());
      }
    }
  }
}
