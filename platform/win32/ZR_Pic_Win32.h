#pragma once
#include <cstdint>

#include "gfx/ZR_Pic_Base.h"

// The handle types of <windows.h>, named without including it (portable headers reach this one).
struct HDC__;
struct HBITMAP__;

/// A picture whose pixels live in a 32-bit top-down DIB section, so GDI can draw into it and blit
/// from it. Its device context stays empty until a user creates one (the window's memory context,
/// a text widget's context); the picture deletes both when it goes.
template <typename TPix>
class ZR_Pic_Win32 : public ZR_Pic_Base<TPix> {
 public:
  ZR_Pic_Win32() = default;
  ~ZR_Pic_Win32() override;

  /// Replaces the bitmap by a fresh DIB section of that size. [window thread] Allocates.
  void create(int32_t w, int32_t h) override;

  HDC__* dc = nullptr;
  HBITMAP__* bitmap = nullptr;
};

extern template class ZR_Pic_Win32<ZR_Pix_A32>;
