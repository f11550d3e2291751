#include "wid/ZR_Wid.h"

#include "cmd/ZR_value_read.h"
#include "gfx/ZR_Win.h"

void ZR_Wid::update() {
  render();
  if (window) window->invalidate(rect());
}

namespace {
// Position, size and the two flags share one protocol: a number sets the field, the field reports.
ZR_value integerField(int32_t& field, const ZR_value& value) {
  int32_t given = 0;
  if (ZR_number_truncated(value, &given)) field = given;
  return ZR_value::integer(field);
}

// The flags repaint at once, so a hidden or disabled widget shows it without waiting for a paint.
ZR_value flagField(ZR_Wid* widget, int32_t& field, const ZR_value& value) {
  int32_t given = 0;
  if (ZR_number_truncated(value, &given)) {
    field = given;
    widget->update();
  }
  return ZR_value::integer(field);
}
}  // namespace

ZR_value ZR_Wid::m_l(ZR_Object* object, ZR_value value) {
  return integerField(static_cast<ZR_Wid*>(object)->left, value);
}
ZR_value ZR_Wid::m_t(ZR_Object* object, ZR_value value) {
  return integerField(static_cast<ZR_Wid*>(object)->top, value);
}
ZR_value ZR_Wid::m_w(ZR_Object* object, ZR_value value) {
  return integerField(static_cast<ZR_Wid*>(object)->width, value);
}
ZR_value ZR_Wid::m_h(ZR_Object* object, ZR_value value) {
  return integerField(static_cast<ZR_Wid*>(object)->height, value);
}

// A window comes as an object; the number 0 (or the object 0) detaches.
ZR_value ZR_Wid::m_win(ZR_Object* object, ZR_value value) {
  ZR_Wid* widget = static_cast<ZR_Wid*>(object);
  void* window = nullptr;
  if (ZR_pointer_of(value, &window)) ZR_Win::attach(static_cast<ZR_Win*>(window), widget);
  return ZR_value::object(widget->window);
}

ZR_value ZR_Wid::m_vis(ZR_Object* object, ZR_value value) {
  ZR_Wid* widget = static_cast<ZR_Wid*>(object);
  return flagField(widget, widget->visible, value);
}

ZR_value ZR_Wid::m_enabled(ZR_Object* object, ZR_value value) {
  ZR_Wid* widget = static_cast<ZR_Wid*>(object);
  return flagField(widget, widget->enabled, value);
}

const ZR_Option ZR_Wid::table[] = {
    ZR_OPTION_CONSTRUCTOR(nullptr),
    ZR_OPTION("l", m_l),
    ZR_OPTION("t", m_t),
    ZR_OPTION("w", m_w),
    ZR_OPTION("h", m_h),
    ZR_OPTION("win", m_win),
    ZR_OPTION("vis", m_vis),
    ZR_OPTION("enabled", m_enabled),
    ZR_OPTION("delete", ZR_Object::m_delete),
    ZR_OPTION_NEXT(ZR_Object::table),
};
