#include "ZR_Win_Native.h"

#include <algorithm>

namespace {
// Copies each composed tile into the surface, as the screen window blits it to the screen.
class SurfaceTarget final : public ZR_Win::Target {
 public:
  SurfaceTarget(const ZR_Pic<ZR_Pix_A32>& tile, ZR_Pic<ZR_Pix_A32>& surface)
      : tile_(tile), surface_(surface) {}

  void copy(const ZR_Rect& area, int32_t sourceX, int32_t sourceY) override {
    for (int32_t y = 0; y < area.height(); ++y) {
      const ZR_Pix_A32* from = tile_.row(sourceY + y) + sourceX;
      std::copy_n(from, area.width(), surface_.row(area.top + y) + area.left);
    }
  }

 private:
  const ZR_Pic<ZR_Pix_A32>& tile_;
  ZR_Pic<ZR_Pix_A32>& surface_;
};
}  // namespace

ZR_Win_Native::ZR_Win_Native(int32_t w, int32_t h) : ZR_Win(w, h) {
  clearEachTile_ = true;
  surface_.create(width, height);
  std::fill_n(surface_.pixels, static_cast<size_t>(width) * height, ZR_Pix_A32{});
}

void ZR_Win_Native::invalidate(const ZR_Rect& rect) {
  SurfaceTarget target(tileBuffer, surface_);
  paint(rect, target);
}

void ZR_Win_Native::mouseDown(int32_t x, int32_t y) {
  mouseCaptured_ = true;
  onButtonDown(x, y);
}

void ZR_Win_Native::mouseUp() {
  mouseCaptured_ = false;
  onButtonUp();
}

void ZR_Win_Native::mouseLeave() {
  mouseCaptured_ = false;
  onMouseLeave();
}
