#pragma once
#include "wid/ZR_Wid_Text_Base.h"
// The text layer of the platform this build compiles (its folder is on the include path): GDI on
// Windows, FreeType in the headless build.
#include "ZR_Wid_Text_Layer.h"

/// The text widget commands create: captions and the frequency read-out.
class ZR_Wid_Text final : public ZR_Wid_Text_Layer {
 public:
  static ZR_Object* create() { return new ZR_Wid_Text; }

  /// "ZR_Wid_Text": constructor, "text" "color" "font" "size" "horz" "bold"; continues in the
  /// ZR_Wid table ("res" is not offered: the picture is the rendered text).
  static const ZR_Option table[];
};
