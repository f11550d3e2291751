#pragma once
#include "../ZR_Pic_Win32.h"

/// Windows pictures are DIB sections, so the window and the text widgets can use GDI on them.
template <typename TPix>
using ZR_Pic_Layer = ZR_Pic_Win32<TPix>;
