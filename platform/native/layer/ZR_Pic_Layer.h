#pragma once
#include "gfx/ZR_Pic_Base.h"

/// Headless pictures keep their pixels in the heap memory the base picture allocates.
template <typename TPix>
using ZR_Pic_Layer = ZR_Pic_Base<TPix>;
