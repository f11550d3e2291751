#include "x11/ZR_Main_Vst_Editor_X11.h"
#include "plugin/ZR_Main_Vst_editor.h"

AEffEditor* ZR_Main_Vst_editor(ZR_Main_Vst& plugin) { return new ZR_Main_Vst_Editor_X11(plugin); }
