#pragma once
#include "wid/ZR_Wid_Text_Base.h"

// The handle type of <windows.h>, named without including it (portable headers reach this one).
struct HFONT__;

/// Text drawn with a GDI font and DrawTextA into the widget's DIB-section picture.
class ZR_Wid_Text_Win32 : public ZR_Wid_Text_Base {
 public:
  ~ZR_Wid_Text_Win32() override;

  /// Renders first if the text, its font, colour or alignment changed since the last render.
  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override;
  /// Draws the text into the picture; only while attached. [window thread] Allocates.
  void render() override;
  /// Creates the font of face, size and weight; a failure keeps the previous font.
  void makeFont() override;

  HFONT__* font() const { return font_; }

 private:
  HFONT__* font_ = nullptr;
};
