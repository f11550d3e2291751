#include "gfx/ZR_format.h"

#include <cstring>

namespace ZR_format {

namespace {
int32_t int32At(const void* data, size_t offset) {
  uint32_t bits = 0;
  const unsigned char* bytes = static_cast<const unsigned char*>(at(data, offset));
  for (int i = 3; i >= 0; --i) bits = bits << 8 | bytes[i];
  return static_cast<int32_t>(bits);
}
}  // namespace

Header readHeader(const void* data, size_t size, Kind kind) {
  Header header;
  const size_t headerBytes = kind == kStill ? kStillHeaderBytes : kStripHeaderBytes;
  const char* magic = kind == kStill ? kStillMagic : kStripMagic;
  if (!data || size < headerBytes || std::memcmp(data, magic, sizeof kStillMagic) != 0) return header;
  header.width = int32At(data, 4);
  header.height = int32At(data, 8);
  if (header.width < 0 || header.height < 0) return header;
  if (kind == kStill) {
    header.valid = stillBytes(header.width, header.height) <= size;
    return header;
  }
  header.blockCount = int32At(data, 12);
  header.frameCount = int32At(data, 16);
  if (header.blockCount < 0 || header.blockCount > kMaxBlocks || header.frameCount < 0) return header;
  header.valid = stripBytes(header.width, header.height, header.blockCount, header.frameCount) <= size;
  return header;
}

}  // namespace ZR_format
