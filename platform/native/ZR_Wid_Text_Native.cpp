#include "ZR_Wid_Text_Native.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
// One colour byte of text drawn with coverage c (0..255) over the background.
uint8_t mixByte(uint32_t background, uint32_t color, int shift, int c) {
  const int b = static_cast<int>((background >> shift) & 0xFF);
  const int f = static_cast<int>((color >> shift) & 0xFF);
  return static_cast<uint8_t>(b + ((f - b) * c + 127) / 255);
}
}  // namespace

void ZR_Wid_Text_Native::draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) {
  if (stale()) render();
  ZR_Wid_Text_Base::draw(dest, x, y, part);
}

void ZR_Wid_Text_Native::makeFont() {
  if (!face() || size == 0) return;
  // A negative size asks for the same character height, as a GDI font height does.
  if (std::unique_ptr<ZR_Font_Native> made = ZR_Font_Native::open(face(), std::abs(size), bold)) {
    font_ = std::move(made);
  }
}

void ZR_Wid_Text_Native::render() {
  if (!window) return;
  if (picture.width != width || picture.height != height || !picture.pixels) picture.create(width, height);
  if (!font_) font_ = ZR_Font_Native::open(nullptr, kDefaultPixelSize, false);
  const int32_t w = picture.width;
  const int32_t h = picture.height;
  std::fill(picture.pixels, picture.pixels + static_cast<size_t>(w) * h, ZR_Pix_A32{});
  if (font_ && w > 0 && h > 0) {
    std::vector<uint8_t> coverage(static_cast<size_t>(w) * h);
    font_->drawLine(text(), coverage.data(), w, h, horz);
    // Colours are 0x00BBGGRR. A pixel the text leaves at 0 stays transparent; any other is opaque,
    // so black text and the black background both disappear.
    for (size_t i = 0; i < coverage.size(); ++i) {
      if (coverage[i] == 0) continue;
      ZR_Pix_A32& pixel = picture.pixels[i];
      pixel.r = mixByte(backgroundColor, color, 0, coverage[i]);
      pixel.g = mixByte(backgroundColor, color, 8, coverage[i]);
      pixel.b = mixByte(backgroundColor, color, 16, coverage[i]);
      pixel.a = (pixel.r | pixel.g | pixel.b) ? 255 : 0;
    }
  }
  markRendered();
}
