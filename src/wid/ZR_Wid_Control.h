#pragma once
#include "wid/ZR_Wid.h"
#include "wid/ZR_Wid_Strip.h"

/// What the two input widgets, button and knob, share: a strip to show, the opaque test, and the
/// two ways of reporting a change (a variable that is written and notified, or a plain callback).
/// Only they become the window's hovered widget.
class ZR_Wid_Control : public ZR_Wid {
 public:
  /// A plain callback; its argument is dat.
  typedef void (*Callback)(void* data);

  bool hoverable() const override { return true; }

  static ZR_value m_res(ZR_Object* object, ZR_value value);
  static ZR_value m_com(ZR_Object* object, ZR_value value);
  static ZR_value m_var(ZR_Object* object, ZR_value value);
  static ZR_value m_dat(ZR_Object* object, ZR_value value);

  ZR_Wid_Strip strip;
  Callback com = nullptr;
  void* dat = nullptr;
  ZR_value* var = nullptr;  // the variable that receives the user's changes

 protected:
  /// Hands a proposed value to the variable: writes it and calls its changed with dat.
  void propose(const ZR_value& proposal);
  void callBack() {
    if (com) com(dat);
  }
};
