#pragma once
#include "gfx/ZR_Pic_Base.h"
// The picture layer of the platform this build compiles (its folder is on the include path): a DIB
// section on Windows, heap memory in the headless build.
#include "ZR_Pic_Layer.h"

/// The picture every user instantiates; it takes the platform layer's storage and adds nothing.
template <typename TPix>
class ZR_Pic : public ZR_Pic_Layer<TPix> {};
