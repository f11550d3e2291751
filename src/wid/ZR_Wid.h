#pragma once
#include "cmd/ZR_Object.h"
#include "gfx/ZR_Win_Element.h"

/// Base of every element of the editor: a rectangle on a window that draws itself and may take the
/// mouse, created, placed, attached and deleted by commands. The window half (position, size,
/// flags, tile links, drawing and mouse operations) is ZR_Win_Element; this adds the command side.
/// Widgets belong to the window thread: other threads ask the window for a refresh instead.
class ZR_Wid : public ZR_Object, public ZR_Win_Element {
 public:
  /// Rebuilds a picture the widget makes itself (text); the base has none.
  virtual void render() {}
  /// Renders, then repaints the widget's rectangle if attached. [window thread]
  virtual void update();

  static ZR_value m_l(ZR_Object* object, ZR_value value);
  static ZR_value m_t(ZR_Object* object, ZR_value value);
  static ZR_value m_w(ZR_Object* object, ZR_value value);
  static ZR_value m_h(ZR_Object* object, ZR_value value);
  static ZR_value m_win(ZR_Object* object, ZR_value value);
  static ZR_value m_vis(ZR_Object* object, ZR_value value);
  static ZR_value m_enabled(ZR_Object* object, ZR_value value);

  /// "ZR_Wid": no constructor; continues in the ZR_Object table.
  static const ZR_Option table[];
};
