#include "wid/ZR_Wid_Control.h"

#include "cmd/ZR_value_read.h"

void ZR_Wid_Control::propose(const ZR_value& proposal) {
  var->receive(proposal);
  var->changed(dat);
}

// The size stays as the layout gave it: a strip does not size its widget.
ZR_value ZR_Wid_Control::m_res(ZR_Object* object, ZR_value value) {
  ZR_Wid_Control* control = static_cast<ZR_Wid_Control*>(object);
  if (value.kind == ZR_KIND_TEXT && value.value.s) control->strip.setResource(value.value.s);
  return control->strip.resource();
}

ZR_value ZR_Wid_Control::m_com(ZR_Object* object, ZR_value value) {
  ZR_Wid_Control* control = static_cast<ZR_Wid_Control*>(object);
  void* given = nullptr;
  if (ZR_pointer_of(value, &given)) control->com = reinterpret_cast<Callback>(given);
  return ZR_value::object(reinterpret_cast<void*>(control->com));
}

ZR_value ZR_Wid_Control::m_var(ZR_Object* object, ZR_value value) {
  ZR_Wid_Control* control = static_cast<ZR_Wid_Control*>(object);
  void* given = nullptr;
  if (ZR_pointer_of(value, &given)) control->var = static_cast<ZR_value*>(given);
  return ZR_value::object(control->var);
}

ZR_value ZR_Wid_Control::m_dat(ZR_Object* object, ZR_value value) {
  ZR_Wid_Control* control = static_cast<ZR_Wid_Control*>(object);
  ZR_pointer_of(value, &control->dat);
  return ZR_value::object(control->dat);
}
