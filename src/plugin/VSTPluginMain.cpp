#include "plugin/VSTPluginMain.h"

#include <new>

#include "plugin/ZR_Main_Vst.h"

AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  ZR_Main_Vst* effect = new (std::nothrow) ZR_Main_Vst(audioMaster);
  return effect ? effect->getAeffect() : nullptr;
}

AEffect* MAIN(audioMasterCallback audioMaster) { return VSTPluginMain(audioMaster); }
