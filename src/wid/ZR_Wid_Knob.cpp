#include "wid/ZR_Wid_Knob.h"

#include <algorithm>

#include "cmd/ZR_value_read.h"

// A value outside mn .. mx leaves the frame outside the strip; it shows the nearest end.
void ZR_Wid_Knob::draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) {
  if (frameCount() == 0) return;
  strip.vid.draw(std::clamp(frame, 0, frameCount() - 1), dest, x, y, part);
}

void ZR_Wid_Knob::update() {
  if (!window || !strip.named() || frame < 0 || frame >= frameCount()) return;
  ZR_Wid::update();
  callBack();
}

float ZR_Wid_Knob::value() const {
  const long double span = static_cast<long double>(mx) - mn;
  return static_cast<float>(mn + static_cast<long double>(frame) / lastFrameDivisor() * span);
}

void ZR_Wid_Knob::setValue(float v) {
  if (!strip.named()) return;
  const long double span = static_cast<long double>(mx) - mn;
  frame = mx != mn ? ZR_word_truncated((frameCount() - 1) * (v - static_cast<long double>(mn)) / span) : 0;
  update();
}

void ZR_Wid_Knob::press(int32_t x, int32_t y) {
  dragStartX = x;
  dragStartY = y;
  dragStartFrame = frame;
}

// Past either end the drag re-anchors there, so turning back moves the knob at once instead of
// first travelling back through the overshoot.
void ZR_Wid_Knob::drag(int32_t x, int32_t y) {
  const int64_t moved = static_cast<int64_t>(dragStartFrame) + (static_cast<int64_t>(x) - dragStartX) -
                        (static_cast<int64_t>(y) - dragStartY);
  if (moved < 0 || moved >= frameCount()) {
    dragStartX = x;
    dragStartY = y;
    frame = moved < 0 ? 0 : std::max(frameCount() - 1, 0);
    dragStartFrame = frame;
  } else {
    frame = static_cast<int32_t>(moved);
  }
  if (var) {
    propose(report());
  } else {
    update();
  }
}

ZR_value ZR_Wid_Knob::report() const { return ZR_value::real(value()); }

ZR_value ZR_Wid_Knob::m_val(ZR_Object* object, ZR_value value) {
  ZR_Wid_Knob* knob = static_cast<ZR_Wid_Knob*>(object);
  float given = 0.0f;
  if (ZR_number_real(value, &given)) knob->setValue(given);
  return knob->report();
}

// A new end of the range keeps the value, so the frame moves to where that value now lies.
ZR_value ZR_Wid_Knob::m_mn(ZR_Object* object, ZR_value value) {
  ZR_Wid_Knob* knob = static_cast<ZR_Wid_Knob*>(object);
  float given = 0.0f;
  if (ZR_number_real(value, &given)) {
    const float kept = knob->value();
    knob->mn = given;
    knob->setValue(kept);
  }
  return ZR_value::real(knob->mn);
}

ZR_value ZR_Wid_Knob::m_mx(ZR_Object* object, ZR_value value) {
  ZR_Wid_Knob* knob = static_cast<ZR_Wid_Knob*>(object);
  float given = 0.0f;
  if (ZR_number_real(value, &given)) {
    const float kept = knob->value();
    knob->mx = given;
    knob->setValue(kept);
  }
  return ZR_value::real(knob->mx);
}

const ZR_Option ZR_Wid_Knob::table[] = {
    ZR_OPTION_CONSTRUCTOR(create), ZR_OPTION("res", m_res), ZR_OPTION("com", m_com),
    ZR_OPTION("val", m_val),       ZR_OPTION("dat", m_dat), ZR_OPTION("mn", m_mn),
    ZR_OPTION("mx", m_mx),         ZR_OPTION("var", m_var), ZR_OPTION_NEXT(ZR_Wid::table),
};
