#include "wid/ZR_Wid_Text_Base.h"

#include <cstring>

#include "cmd/ZR_value_read.h"

ZR_Wid_Text_Base::ZR_Wid_Text_Base() { setText("test string"); }

// Compared by content: the same buffer may come back with other characters in it.
void ZR_Wid_Text_Base::setText(const char* given) {
  if (std::strncmp(text_, given, kTextCapacity - 1) == 0) return;
  std::strncpy(text_, given, kTextCapacity - 1);
  text_[kTextCapacity - 1] = 0;
  stale_ = true;
}

// The text is only recorded: its owner renders and updates after changing it.
ZR_value ZR_Wid_Text_Base::m_text(ZR_Object* object, ZR_value value) {
  ZR_Wid_Text_Base* widget = static_cast<ZR_Wid_Text_Base*>(object);
  if (value.kind == ZR_KIND_TEXT && value.value.s) widget->setText(value.value.s);
  return ZR_value::text(widget->text_);
}

ZR_value ZR_Wid_Text_Base::m_color(ZR_Object* object, ZR_value value) {
  ZR_Wid_Text_Base* widget = static_cast<ZR_Wid_Text_Base*>(object);
  const uint32_t before = widget->color;
  if (ZR_color_of(value, &widget->color) && widget->color != before) widget->stale_ = true;
  return ZR_value::integer(static_cast<int32_t>(widget->color));
}

ZR_value ZR_Wid_Text_Base::m_font(ZR_Object* object, ZR_value value) {
  ZR_Wid_Text_Base* widget = static_cast<ZR_Wid_Text_Base*>(object);
  if (value.kind == ZR_KIND_TEXT && value.value.s && !(widget->hasFace_ && widget->face_ == value.value.s)) {
    widget->face_ = value.value.s;
    widget->hasFace_ = true;
    widget->makeFont();
    widget->stale_ = true;
  }
  return ZR_value::text(widget->face());
}

ZR_value ZR_Wid_Text_Base::m_size(ZR_Object* object, ZR_value value) {
  ZR_Wid_Text_Base* widget = static_cast<ZR_Wid_Text_Base*>(object);
  int32_t given = 0;
  if (ZR_number_truncated(value, &given) && given != widget->size) {
    widget->size = given;
    widget->makeFont();
    widget->stale_ = true;
  }
  return ZR_value::integer(widget->size);
}

ZR_value ZR_Wid_Text_Base::m_horz(ZR_Object* object, ZR_value value) {
  ZR_Wid_Text_Base* widget = static_cast<ZR_Wid_Text_Base*>(object);
  int32_t given = 0;
  if (ZR_number_truncated(value, &given) && given != widget->horz) {
    widget->horz = given;
    widget->stale_ = true;
  }
  return ZR_value::integer(widget->horz);
}

ZR_value ZR_Wid_Text_Base::m_bold(ZR_Object* object, ZR_value value) {
  ZR_Wid_Text_Base* widget = static_cast<ZR_Wid_Text_Base*>(object);
  int32_t given = 0;
  if (ZR_number_truncated(value, &given) && (given != 0) != widget->bold) {
    widget->bold = given != 0;
    widget->makeFont();
    widget->stale_ = true;
  }
  return ZR_value::integer(widget->bold ? 1 : 0);
}
