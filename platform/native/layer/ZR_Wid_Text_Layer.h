#pragma once
#include "../ZR_Wid_Text_Native.h"

/// Headless text is drawn with FreeType.
using ZR_Wid_Text_Layer = ZR_Wid_Text_Native;
