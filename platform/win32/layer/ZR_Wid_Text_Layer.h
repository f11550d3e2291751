#pragma once
#include "../ZR_Wid_Text_Win32.h"

/// Windows text is drawn with GDI fonts and DrawTextA.
using ZR_Wid_Text_Layer = ZR_Wid_Text_Win32;
