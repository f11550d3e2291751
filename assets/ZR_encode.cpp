#include "ZR_encode.h"

#include <array>
#include <map>

#include "gfx/ZR_format.h"

namespace {
void putInt32(std::vector<uint8_t>& out, int32_t v) {
  const uint32_t bits = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(bits >> shift));
}

void putPixel(std::vector<uint8_t>& out, ZR_Pix_A32 p) { putInt32(out, static_cast<int32_t>(p.argb())); }

void putHeader(std::vector<uint8_t>& out, const char (&magic)[4], int32_t width, int32_t height) {
  for (char c : magic) out.push_back(static_cast<uint8_t>(c));
  putInt32(out, width);
  putInt32(out, height);
}

using Block = std::array<uint32_t, ZR_format::kBlockSide * ZR_format::kBlockSide>;
}  // namespace

std::vector<uint8_t> ZR_encode_still(int32_t width, int32_t height, const ZR_Pixels& pixels) {
  std::vector<uint8_t> out;
  putHeader(out, ZR_format::kStillMagic, width, height);
  for (ZR_Pix_A32 p : pixels) putPixel(out, p);
  return out;
}

bool ZR_encode_strip(int32_t width, int32_t height, const std::vector<ZR_Pixels>& frames,
                     std::vector<uint8_t>& out, std::string& error) {
  constexpr int32_t side = ZR_format::kBlockSide;
  const int32_t columns = ZR_format::blockSpan(width);
  const int32_t rows = ZR_format::blockSpan(height);
  std::map<Block, uint16_t> numbers;
  std::vector<const Block*> order;  // blocks by number
  std::vector<uint16_t> index;
  for (const ZR_Pixels& frame : frames) {
    for (int32_t i = 0; i < rows; ++i) {
      for (int32_t j = 0; j < columns; ++j) {
        Block block{};
        for (int32_t v = 0; v < side; ++v) {
          for (int32_t u = 0; u < side; ++u) {
            const int32_t x = j * side + u, y = i * side + v;
            if (x < width && y < height) block[v * side + u] = frame[y * width + x].argb();
          }
        }
        auto found = numbers.find(block);
        if (found == numbers.end()) {
          if (order.size() == ZR_format::kMaxBlocks) {
            error = "more than 65536 distinct blocks";
            return false;
          }
          found = numbers.emplace(block, static_cast<uint16_t>(order.size())).first;
          order.push_back(&found->first);
        }
        index.push_back(found->second);
      }
    }
  }
  out.clear();
  putHeader(out, ZR_format::kStripMagic, width, height);
  putInt32(out, static_cast<int32_t>(order.size()));
  putInt32(out, static_cast<int32_t>(frames.size()));
  for (const Block* block : order) {
    for (uint32_t argb : *block) putPixel(out, ZR_Pix_A32::fromArgb(argb));
  }
  for (uint16_t number : index) {
    out.push_back(static_cast<uint8_t>(number));
    out.push_back(static_cast<uint8_t>(number >> 8));
  }
  return true;
}
