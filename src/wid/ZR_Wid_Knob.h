#pragma once
#include "wid/ZR_Wid_Control.h"

/// A knob turned by dragging: it shows the frame of its strip that matches its value between mn
/// (frame 0) and mx (the last frame). It keeps no value of its own; the value follows from the frame.
/// One pixel right or up is one frame more.
class ZR_Wid_Knob final : public ZR_Wid_Control {
 public:
  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override;
  /// Repaints and calls com, but only when attached, named a resource and showing a frame of its strip.
  void update() override;
  void press(int32_t x, int32_t y) override;
  void drag(int32_t x, int32_t y) override;
  bool hit(int32_t x, int32_t y) override { return strip.opaque(frame, x, y); }

  /// mn + frame / (F - 1) x (mx - mn), in extended precision rounded to a float.
  float value() const;
  /// Moves to the frame of v (not limited to the strip) and updates; nothing before "res".
  /// [window thread]
  void setValue(float v);

  static ZR_Object* create() { return new ZR_Wid_Knob; }
  static ZR_value m_val(ZR_Object* object, ZR_value value);
  static ZR_value m_mn(ZR_Object* object, ZR_value value);
  static ZR_value m_mx(ZR_Object* object, ZR_value value);

  /// "ZR_Wid_Knob": constructor, "res" "com" "val" "dat" "mn" "mx" "var"; continues in ZR_Wid.
  static const ZR_Option table[];

  int32_t dragStartX = 0;
  int32_t dragStartY = 0;
  int32_t dragStartFrame = 0;
  float mn = 0.0f;
  float mx = 100.0f;
  int32_t frame = 0;

 private:
  int32_t frameCount() const { return strip.vid.frameCount; }
  /// F - 1, taken as 1 where a strip of one frame or none would divide by 0.
  int32_t lastFrameDivisor() const { return frameCount() > 1 ? frameCount() - 1 : 1; }
  ZR_value report() const;
};
