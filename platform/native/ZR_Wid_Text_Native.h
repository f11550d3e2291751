#pragma once
#include <memory>

#include "ZR_Font_Native.h"
#include "wid/ZR_Wid_Text_Base.h"

/// Text drawn with FreeType into the widget's picture, the way DrawTextA draws it on Windows: one
/// line, vertically centred, left, centred or right as horz says, the face found through fontconfig
/// (a face that is not installed, such as Tahoma on Linux, becomes the system's sans face).
class ZR_Wid_Text_Native : public ZR_Wid_Text_Base {
 public:
  /// The em height of the font used while no face and size are set, like a device context's
  /// default font.
  static constexpr int kDefaultPixelSize = 13;

  /// Renders first if the text, its font, colour or alignment changed since the last render.
  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override;
  /// Draws the text into the picture; only while attached. [window thread] Allocates.
  void render() override;
  /// Opens the face at the size; a failure keeps the previous font.
  void makeFont() override;

  /// The font text is drawn with, or null before the first render without a face.
  const ZR_Font_Native* font() const { return font_.get(); }

 private:
  std::unique_ptr<ZR_Font_Native> font_;
};
