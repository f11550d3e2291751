#pragma once
#include <string>

#include "gfx/ZR_Pic.h"
#include "gfx/ZR_Pix_A32.h"
#include "wid/ZR_Wid.h"

/// A picture resource tiled over the widget's rectangle: background, frame pieces, logo. Derived
/// widgets that build their own picture (text, level meter) draw it the same way.
class ZR_Wid_Pic : public ZR_Wid {
 public:
  /// Shows the picture repeated from the widget's top-left corner.
  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override;

  static ZR_Object* create() { return new ZR_Wid_Pic; }
  static ZR_value m_res(ZR_Object* object, ZR_value value);

  /// "ZR_Wid_Pic": constructor and "res"; continues in the ZR_Wid table.
  static const ZR_Option table[];

  ZR_Pic<ZR_Pix_A32> picture;

 protected:
  /// The last resource name given to "res", kept as a copy: a word written in a command is gone
  /// once the command has run.
  std::string resourceName_;
  bool hasResource_ = false;
  ZR_value reportResource() const;
  void rememberResource(const char* name);
};
