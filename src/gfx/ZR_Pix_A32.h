#pragma once
#include <cstdint>

/// One pixel with straight (not premultiplied) alpha: bytes blue, green, red, alpha in memory, so a
/// little-endian 32-bit read gives 0xAARRGGBB. Alpha 0 is transparent, 255 opaque.
struct ZR_Pix_A32 {
  uint8_t b = 0;
  uint8_t g = 0;
  uint8_t r = 0;
  uint8_t a = 0;

  static constexpr ZR_Pix_A32 fromArgb(uint32_t argb) {
    return {static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 8), static_cast<uint8_t>(argb >> 16),
            static_cast<uint8_t>(argb >> 24)};
  }
  constexpr uint32_t argb() const {
    return static_cast<uint32_t>(b) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(r) << 16 |
           static_cast<uint32_t>(a) << 24;
  }
  friend constexpr bool operator==(const ZR_Pix_A32&, const ZR_Pix_A32&) = default;
};
static_assert(sizeof(ZR_Pix_A32) == 4, "pixels are stored in resources as four bytes");

/// Moves one byte of d towards s by the source alpha. The shift divides by 256, not 255, and rounds
/// towards minus infinity, so an opaque source lands one step short (white over black gives 254).
constexpr uint8_t ZR_blend_byte(uint8_t d, uint8_t s, int alpha) {
  return static_cast<uint8_t>(d + (((s - d) * alpha) >> 8));
}

/// The one blending rule of all drawing: colour and alpha of d move towards s by s.a / 256 (alpha 0
/// leaves d as it is).
constexpr void ZR_blend(ZR_Pix_A32& d, ZR_Pix_A32 s) {
  const int alpha = s.a;
  d.r = ZR_blend_byte(d.r, s.r, alpha);
  d.g = ZR_blend_byte(d.g, s.g, alpha);
  d.b = ZR_blend_byte(d.b, s.b, alpha);
  d.a = ZR_blend_byte(d.a, s.a, alpha);
}

/// Blends a run of n source pixels onto n destination pixels; a plain loop the compiler vectorises.
inline void ZR_blend_run(ZR_Pix_A32* d, const ZR_Pix_A32* s, int n) {
  for (int i = 0; i < n; ++i) ZR_blend(d[i], s[i]);
}
