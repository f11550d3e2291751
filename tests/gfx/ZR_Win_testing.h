#pragma once
// Elements and a window for compositing tests: solid colours that record what reached them, and a
// window that keeps what it paints and every rectangle it was asked to repaint.
#include <algorithm>
#include <string>
#include <vector>

#include "gfx/ZR_Pic.h"
#include "gfx/ZR_Win.h"

namespace zr_testing {

/// A rectangle of one colour. It blends like a picture, or with overwrite it replaces the
/// destination exactly (a background whose pixels the test knows). It is hit only inside opaque
/// (own coordinates), and records presses, drags and releases.
class SolidElement : public ZR_Win_Element {
 public:
  SolidElement(ZR_Rect r, ZR_Pix_A32 c, bool canHover = false) : colour(c), hoverable_(canHover) {
    left = r.left, top = r.top, width = r.width(), height = r.height();
    opaque = {0, 0, width, height};
  }

  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override {
    parts.push_back(part);
    for (int32_t v = 0; v < part.height(); ++v) {
      ZR_Pix_A32* row = dest.row(y + v) + x;
      for (int32_t u = 0; u < part.width(); ++u) {
        if (overwrite) {
          row[u] = colour;
        } else {
          ZR_blend(row[u], colour);
        }
      }
    }
  }
  bool hit(int32_t x, int32_t y) override { return opaque.contains(x, y); }
  bool hoverable() const override { return hoverable_; }
  void press(int32_t x, int32_t y) override {
    events.push_back("press " + std::to_string(x) + "," + std::to_string(y));
  }
  void drag(int32_t x, int32_t y) override {
    events.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
  }
  void release() override { events.push_back("release"); }

  ZR_Pix_A32 colour;
  bool overwrite = false;
  ZR_Rect opaque;
  std::vector<ZR_Rect> parts;  // every part drawn, in own coordinates
  std::vector<std::string> events;

 private:
  bool hoverable_;
};

/// Copies composed tiles into a picture of the window's size and lists the areas it received.
class SurfaceTarget : public ZR_Win::Target {
 public:
  explicit SurfaceTarget(const ZR_Win& window) : window_(window) {
    surface.create(window.width, window.height);
    std::fill_n(surface.pixels, static_cast<size_t>(window.width) * window.height, ZR_Pix_A32{});
  }
  void copy(const ZR_Rect& area, int32_t sourceX, int32_t sourceY) override {
    areas.push_back(area);
    for (int32_t y = 0; y < area.height(); ++y) {
      std::copy_n(window_.tileBuffer.row(sourceY + y) + sourceX, area.width(),
                  surface.row(area.top + y) + area.left);
    }
  }

  ZR_Pic<ZR_Pix_A32> surface;
  std::vector<ZR_Rect> areas;

 private:
  const ZR_Win& window_;
};

/// A window without a screen that paints into a SurfaceTarget when asked to repaint.
class RecordingWindow : public ZR_Win {
 public:
  RecordingWindow(int32_t w, int32_t h) : ZR_Win(w, h), target(*this) {}
  void invalidate(const ZR_Rect& rect) override {
    invalidated.push_back(rect);
    paint(rect, target);
  }
  ZR_Mutex& paintLock() { return paintLock_; }

  SurfaceTarget target;
  std::vector<ZR_Rect> invalidated;
};

}  // namespace zr_testing
