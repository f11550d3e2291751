#pragma once
#include "wid/ZR_Wid_Control.h"

/// An on/off button: frame 0 of its strip when off, frame 1 when on. A press either proposes the
/// opposite state to its variable (the integer 1 or 0), which sets it back through "val", or
/// toggles it directly. It acts on the press; release does nothing.
class ZR_Wid_Butt final : public ZR_Wid_Control {
 public:
  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override;
  void update() override;
  void press(int32_t x, int32_t y) override;
  bool hit(int32_t x, int32_t y) override { return strip.opaque(shownFrame, x, y); }

  /// Sets the state when acting and it differs: repaints and calls com. Returns the state.
  /// [window thread]
  bool setState(bool on, bool act);

  static ZR_Object* create() { return new ZR_Wid_Butt; }
  static ZR_value m_val(ZR_Object* object, ZR_value value);

  /// "ZR_Wid_Butt": constructor, "res" "com" "var" "val" "dat"; continues in the ZR_Wid table.
  static const ZR_Option table[];

  bool state = false;
  int32_t shownFrame = 0;  // the frame hit testing uses, set from the state by update
};
