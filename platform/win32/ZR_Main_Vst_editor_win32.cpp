#include "ZR_Main_Vst_Editor.h"
#include "plugin/ZR_Main_Vst_editor.h"

AEffEditor* ZR_Main_Vst_editor(ZR_Main_Vst& plugin) { return new ZR_Main_Vst_Editor(plugin); }
