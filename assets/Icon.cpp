#include "Icon.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "Canvas.h"
#include "Knob.h"
#include "Style.h"

namespace Icon {

namespace {
constexpr int kSizes[] = {16, 32, 48};

void drawIcon(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  const double s = canvas.width();
  Style::roundedRect(cr, 0.5, 0.5, s - 1, s - 1, s * 0.18);
  cairo_pattern_t* tile = cairo_pattern_create_linear(0, 0, 0, s);
  Style::stopColour(tile, 0, Style::mix(Style::kFace, {1, 1, 1}, 0.12));
  Style::stopColour(tile, 1, Style::mix(Style::kFace, {0, 0, 0}, 0.35));
  cairo_set_source(cr, tile);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(tile);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, s * 0.02, s * 0.04);
  Knob::draw(cr, s * 0.96, 0.68);
  cairo_restore(cr);
}

void put8(std::vector<uint8_t>& out, uint32_t v) { out.push_back(static_cast<uint8_t>(v)); }
void put16(std::vector<uint8_t>& out, uint32_t v) {
  put8(out, v);
  put8(out, v >> 8);
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// One icon image: a bitmap header of twice the height (colour plus mask), the pixels bottom-up,
// then the 1-bit mask (set where transparent), rows padded to 32 bits.
std::vector<uint8_t> iconImage(int size, const ZR_Pixels& pixels) {
  std::vector<uint8_t> out;
  put32(out, 40);
  put32(out, size);
  put32(out, 2 * size);
  put16(out, 1);
  put16(out, 32);
  for (int i = 0; i < 6; ++i) put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      put32(out, pixels[y * size + x].argb());
    }
  }
  const int maskStride = (size + 31) / 32 * 4;
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskStride, 0);
    for (int x = 0; x < size; ++x) {
      if (pixels[y * size + x].a == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}
}  // namespace

bool write(const std::string& icoPath, const std::string& previewPath) {
  std::vector<std::vector<uint8_t>> images;
  bool previewWritten = false;
  for (int size : kSizes) {
    Canvas canvas(size, size);
    drawIcon(canvas);
    images.push_back(iconImage(size, canvas.pixels()));
    if (size == kSizes[std::size(kSizes) - 1]) previewWritten = canvas.writePng(previewPath);
  }
  std::vector<uint8_t> file;
  put16(file, 0);
  put16(file, 1);  // an icon
  put16(file, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    put8(file, kSizes[i]);
    put8(file, kSizes[i]);
    put16(file, 0);  // no palette, reserved
    put16(file, 1);
    put16(file, 32);
    put32(file, static_cast<uint32_t>(images[i].size()));
    put32(file, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
  std::ofstream out(icoPath, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return previewWritten && static_cast<bool>(out);
}

}  // namespace Icon
