#pragma once
#include "../ZR_Dlg_File_Native.h"

/// Headless file dialogs answer from a queue that tests fill.
using ZR_Dlg_File_Layer = ZR_Dlg_File_Native;
