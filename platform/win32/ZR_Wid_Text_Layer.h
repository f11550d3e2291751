#pragma once
#include "win32/ZR_Wid_Text_Win32.h"

/// Windows text is drawn with GDI fonts and DrawTextA.
using ZR_Wid_Text_Layer = ZR_Wid_Text_Win32;
