#pragma once
#include "../ZR_Dlg_File_Win32.h"

/// Windows shows the common open and save dialogs.
using ZR_Dlg_File_Layer = ZR_Dlg_File_Win32;
