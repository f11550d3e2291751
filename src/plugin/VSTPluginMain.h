#pragma once
#include "plugin/AEffect.h"

extern "C" {
/// The plug-in's entry: asks the host for its version and, when it answers, creates the effect and
/// returns its record; null when the host does not answer or the effect cannot be made.
/// [the host thread that loads the plug-in] Allocates.
AEffect* VSTPluginMain(audioMasterCallback audioMaster);
/// The older entry name; the same as VSTPluginMain.
AEffect* MAIN(audioMasterCallback audioMaster);
}
