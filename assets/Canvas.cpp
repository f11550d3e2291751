#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

namespace {
uint8_t toByte(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }
}  // namespace

void Canvas::fill(int n, const std::function<Shade(double x, double y)>& shade) {
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      // Averaged premultiplied, so a half-covered pixel keeps its colour and halves its alpha.
      double r = 0, g = 0, b = 0, a = 0;
      for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
          const Shade s = shade(x + (i + 0.5) / n, y + (j + 0.5) / n);
          const double alpha = std::clamp(s.a, 0.0, 1.0);
          r += s.r * alpha, g += s.g * alpha, b += s.b * alpha, a += alpha;
        }
      }
      const double samples = n * n;
      uint32_t argb = static_cast<uint32_t>(toByte(a / samples)) << 24 | toByte(r / samples) << 16 |
                      toByte(g / samples) << 8 | toByte(b / samples);
      std::memcpy(data + y * stride + x * 4, &argb, 4);
    }
  }
  cairo_surface_mark_dirty(surface_);
}

ZR_Pixels Canvas::pixels() const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  ZR_Pixels out(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      uint32_t argb;
      std::memcpy(&argb, data + y * stride + x * 4, 4);
      const uint32_t a = argb >> 24;
      // cairo keeps colour multiplied by alpha; the formats keep it straight.
      const auto straight = [a](uint32_t c) -> uint8_t {
        return a ? std::min(255u, (c * 255 + a / 2) / a) : 0;
      };
      out[y * width_ + x] = {straight(argb & 0xFF), straight(argb >> 8 & 0xFF), straight(argb >> 16 & 0xFF),
                             static_cast<uint8_t>(a)};
    }
  }
  return out;
}

void Canvas::show(const ZR_Pixels& pixels) {
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const ZR_Pix_A32 p = pixels[y * width_ + x];
      const auto premultiplied = [&p](uint8_t c) { return static_cast<uint32_t>((c * p.a + 127) / 255); };
      const uint32_t argb = static_cast<uint32_t>(p.a) << 24 | premultiplied(p.r) << 16 |
                            premultiplied(p.g) << 8 | premultiplied(p.b);
      std::memcpy(data + y * stride + x * 4, &argb, 4);
    }
  }
  cairo_surface_mark_dirty(surface_);
}

bool Canvas::writePng(const std::string& path) const {
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
