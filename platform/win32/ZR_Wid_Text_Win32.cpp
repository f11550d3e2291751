#include "ZR_Wid_Text_Win32.h"

#include <windows.h>

#include <algorithm>

#include "gfx/ZR_Win.h"

// The picture deletes its own context; the font is ours.
ZR_Wid_Text_Win32::~ZR_Wid_Text_Win32() {
  if (font_) DeleteObject(font_);
}

void ZR_Wid_Text_Win32::draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) {
  if (stale()) render();
  ZR_Wid_Text_Base::draw(dest, x, y, part);
}

// The replaced font is no longer selected anywhere once the next render selects the new one, but
// it may still be selected now, so it goes after the new one is in place.
void ZR_Wid_Text_Win32::makeFont() {
  if (!face() || size == 0) return;
  HFONT made = CreateFontA(-size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, face());
  if (!made) return;
  HFONT old = font_;
  font_ = made;
  if (picture.dc) SelectObject(picture.dc, font_);
  if (old) DeleteObject(old);
}

void ZR_Wid_Text_Win32::render() {
  if (!window) return;
  if (picture.width != width || picture.height != height || !picture.pixels) picture.create(width, height);
  if (!picture.pixels) return;
  if (!picture.dc) {
    picture.dc = CreateCompatibleDC(window->tileBuffer.dc);
    SetMapMode(picture.dc, MM_TEXT);
    SelectObject(picture.dc, picture.bitmap);
  }
  if (font_) SelectObject(picture.dc, font_);
  // GDI may still hold drawing for these pixels; the CPU writes only after it has flushed.
  GdiFlush();
  std::fill(picture.pixels, picture.pixels + static_cast<size_t>(picture.width) * picture.height,
            ZR_Pix_A32{});
  SetBkColor(picture.dc, backgroundColor);
  SetTextColor(picture.dc, color);
  RECT bounds = {0, 0, width, height};
  const UINT align = horz < 0 ? DT_LEFT : horz == 0 ? DT_CENTER : DT_RIGHT;
  DrawTextA(picture.dc, text(), -1, &bounds, DT_SINGLELINE | DT_VCENTER | align);
  GdiFlush();
  // Every pixel that is not 0 becomes opaque, the rest stays transparent: the black background
  // disappears, and so does text drawn in black.
  for (ZR_Pix_A32* pixel = picture.pixels; pixel != picture.pixels + picture.width * picture.height;
       ++pixel) {
    pixel->a = (pixel->r | pixel->g | pixel->b | pixel->a) ? 255 : 0;
  }
  markRendered();
}
