#include "gfx/ZR_Pic_Base.h"

#include <algorithm>

#include "cmd/ZR_error.h"
#include "cmd/ZR_resource.h"
#include "gfx/ZR_format.h"

template <typename TPix>
void ZR_Pic_Base<TPix>::create(int32_t w, int32_t h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  heap_.reset(new TPix[static_cast<size_t>(w) * static_cast<size_t>(h)]);
  pixels = heap_.get();
  width = w;
  height = h;
}

template <typename TPix>
void ZR_Pic_Base<TPix>::point(TPix* first, int32_t w, int32_t h) {
  heap_.reset();
  pixels = first;
  width = w;
  height = h;
}

template <typename TPix>
bool ZR_Pic_Base<TPix>::map(const void* data, size_t size) {
  const ZR_format::Header header = ZR_format::readHeader(data, size, ZR_format::kStill);
  if (!header.valid) {
    ZR_ERROR_HERE("ZR_Pic_Base<TPix>::map", "Invalid ZRIF header");
    return false;
  }
  // Resources are read-only: a mapped picture is only ever a source of drawing.
  TPix* first = static_cast<TPix*>(const_cast<void*>(ZR_format::at(data, ZR_format::kStillHeaderBytes)));
  point(first, header.width, header.height);
  return true;
}

template <typename TPix>
bool ZR_Pic_Base<TPix>::mapResource(const char* name) {
  size_t size = 0;
  const void* data = ZR_resource_sized(name, &size);
  return data && map(data, size);
}

namespace {
// The remainder of v by n in 0..n-1, also for negative v: a rectangle may start left of the picture.
int32_t wrap(int32_t v, int32_t n) {
  const int32_t m = v % n;
  return m < 0 ? m + n : m;
}
}  // namespace

template <typename TPix>
void ZR_Pic_Base<TPix>::draw(ZR_Pic_Base& dest, int32_t x, int32_t y, const ZR_Rect& rect) const {
  if (!hasPixels() || !dest.hasPixels()) return;
  // Cut rect to the part that lands inside dest; the remaining source pixels keep their positions.
  const ZR_Rect landing = rect.offset(x - rect.left, y - rect.top).intersect({0, 0, dest.width, dest.height});
  if (landing.empty()) return;
  const int32_t u0 = rect.left + (landing.left - x);
  const int32_t v0 = rect.top + (landing.top - y);
  const int32_t su0 = wrap(u0, width);
  for (int32_t j = 0; j < landing.height(); ++j) {
    const TPix* source = row(wrap(v0 + j, height));
    TPix* target = dest.row(landing.top + j) + landing.left;
    // In runs up to the picture's right edge, where the tiling starts over at its left edge.
    for (int32_t i = 0, su = su0; i < landing.width(); su = 0) {
      const int32_t run = std::min(width - su, landing.width() - i);
      ZR_blend_run(target + i, source + su, run);
      i += run;
    }
  }
}

template class ZR_Pic_Base<ZR_Pix_A32>;
