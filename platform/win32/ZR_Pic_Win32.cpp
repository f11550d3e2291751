#include "ZR_Pic_Win32.h"

#include <windows.h>

template <typename TPix>
ZR_Pic_Win32<TPix>::~ZR_Pic_Win32() {
  // The context first: a bitmap still selected into a context cannot be deleted.
  if (dc) DeleteDC(dc);
  if (bitmap) DeleteObject(bitmap);
}

template <typename TPix>
void ZR_Pic_Win32<TPix>::create(int32_t w, int32_t h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // negative: rows run from the top down, as ZR_Pic_Base lays them out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* first = nullptr;
  HBITMAP fresh = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &first, nullptr, 0);
  // A context keeps drawing into the new pixels, and the old bitmap, no longer selected, can go.
  if (dc && fresh) SelectObject(dc, fresh);
  if (bitmap) DeleteObject(bitmap);
  bitmap = fresh;
  this->point(fresh ? static_cast<TPix*>(first) : nullptr, fresh ? w : 0, fresh ? h : 0);
}

template class ZR_Pic_Win32<ZR_Pix_A32>;
