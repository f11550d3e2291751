#pragma once
#include <cstdint>

#include "gfx/ZR_Pic.h"
#include "gfx/ZR_Pix_A32.h"
#include "gfx/ZR_Win.h"

/// The headless window: composes into an in-memory surface that tests read back, and takes the
/// mouse from calls instead of messages. The surface starts transparent, and so does every tile,
/// so a pixel that no element covers reads as alpha 0.
class ZR_Win_Native : public ZR_Win {
 public:
  ZR_Win_Native(int32_t w, int32_t h);

  /// Composes rect into the surface. [window thread]
  void invalidate(const ZR_Rect& rect) override;
  /// What a screen window's message loop does between messages: runs a requested refresh. The
  /// thread that calls it is the window thread. [window thread]
  void service() { refreshIfRequested(); }
  /// Composes the whole window.
  void invalidateAll() { invalidate({0, 0, width, height}); }

  // The mouse as the screen window gets it: moves, the left button, leaving the window.
  void mouseMove(int32_t x, int32_t y) { onMouseMove(x, y); }
  void mouseDown(int32_t x, int32_t y);
  void mouseUp();
  void mouseLeave();
  /// Whether the window holds the mouse capture (between a button press and its release).
  bool mouseCaptured() const { return mouseCaptured_; }

  const ZR_Pic<ZR_Pix_A32>& surface() const { return surface_; }
  ZR_Pix_A32 pixel(int32_t x, int32_t y) const { return surface_.at(x, y); }

 private:
  ZR_Pic<ZR_Pix_A32> surface_;
  bool mouseCaptured_ = false;
};
