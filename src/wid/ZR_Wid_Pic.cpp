#include "wid/ZR_Wid_Pic.h"

void ZR_Wid_Pic::draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) {
  picture.draw(dest, x, y, part);
}

ZR_value ZR_Wid_Pic::reportResource() const {
  return ZR_value::text(hasResource_ ? resourceName_.c_str() : nullptr);
}

void ZR_Wid_Pic::rememberResource(const char* name) {
  resourceName_ = name;
  hasResource_ = true;
}

// A missing or malformed resource is reported by the lookup or by map; the picture, and so the
// size it would give, then stay as they were.
ZR_value ZR_Wid_Pic::m_res(ZR_Object* object, ZR_value value) {
  ZR_Wid_Pic* widget = static_cast<ZR_Wid_Pic*>(object);
  if (value.kind == ZR_KIND_TEXT && value.value.s) {
    widget->rememberResource(value.value.s);
    widget->picture.mapResource(widget->resourceName_.c_str());
    if (widget->width == 0) widget->width = widget->picture.width;
    if (widget->height == 0) widget->height = widget->picture.height;
  }
  return widget->reportResource();
}

const ZR_Option ZR_Wid_Pic::table[] = {
    ZR_OPTION_CONSTRUCTOR(create),
    ZR_OPTION("res", m_res),
    ZR_OPTION_NEXT(ZR_Wid::table),
};
