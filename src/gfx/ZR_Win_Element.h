#pragma once
#include <cstdint>
#include <memory>

#include "cmd/ZR_Chain.h"
#include "gfx/ZR_Pic_Base.h"
#include "gfx/ZR_Pix_A32.h"
#include "gfx/ZR_Rect.h"

class ZR_Win;

/// What a window composes and routes the mouse to: the window-facing half of a widget. A widget
/// class derives from it (next to ZR_Object) and overrides the drawing and mouse operations; the
/// window keeps it in its widget chain and in one tile chain per 64 x 64 tile it overlaps.
/// Everything here belongs to the window thread, except that painting calls draw under the paint lock.
class ZR_Win_Element {
 public:
  ZR_Win_Element() = default;
  /// Leaves its window, so no tile or hover state outlives the element.
  virtual ~ZR_Win_Element();
  ZR_Win_Element(const ZR_Win_Element&) = delete;
  ZR_Win_Element& operator=(const ZR_Win_Element&) = delete;

  /// The rectangle in window coordinates: left, top, left + width, top + height.
  ZR_Rect rect() const { return {left, top, left + width, top + height}; }

  /// Draws through the visibility check: a hidden element draws nothing.
  void drawVisible(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) {
    if (visible) draw(dest, x, y, part);
  }

  /// Blends part (own coordinates, inside the element) onto dest with its top-left corner at (x, y).
  virtual void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) {
    (void)dest, (void)x, (void)y, (void)part;
  }
  /// The left button went down on this (hovered, enabled) element; own coordinates.
  virtual void press(int32_t x, int32_t y) { (void)x, (void)y; }
  /// The mouse moved while this element holds the capture; own coordinates, not clamped.
  virtual void drag(int32_t x, int32_t y) { (void)x, (void)y; }
  /// Whether the element takes the mouse at this point of its own.
  virtual bool hit(int32_t x, int32_t y) {
    (void)x, (void)y;
    return true;
  }
  /// The left button went up, or the mouse left the window, while this element held the capture.
  virtual void release() {}
  /// Whether the mouse highlights it and its presses reach it: knobs and buttons only.
  virtual bool hoverable() const { return false; }

  ZR_Win* window = nullptr;        // the window it is attached to, or none
  ZR_Chain_Item windowLink{this};  // membership in the window's widget chain
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t visible = 1;                         // a hidden element is neither drawn nor hit
  int32_t enabled = 1;                         // a disabled element is drawn faint and takes no press
  std::unique_ptr<ZR_Chain_Item[]> tileLinks;  // one per tile overlapped at attachment
  int32_t tileLinkCount = 0;
};
