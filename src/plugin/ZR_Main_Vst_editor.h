#pragma once

class AEffEditor;
class ZR_Main_Vst;

/// The editor the platform shows the plug-in's widgets in, or null where the build has no screen
/// window for it (the headless build): the plug-in then announces no editor. [the host thread that
/// creates the plug-in] Allocates.
AEffEditor* ZR_Main_Vst_editor(ZR_Main_Vst& plugin);
