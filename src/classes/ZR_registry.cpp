#include "cmd/ZR_Object.h"
#include "cmd/ZR_Option.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Effect.h"
#include "engine/ZR_Soundpipe.h"
#include "engine/nodes/ZR_Effect_Bapass.h"
#include "engine/nodes/ZR_Effect_Copy.h"
#include "engine/nodes/ZR_Effect_Deline.h"
#include "engine/nodes/ZR_Effect_Hipass.h"
#include "engine/nodes/ZR_Effect_Koef.h"
#include "engine/nodes/ZR_Effect_Lopass.h"
#include "engine/nodes/ZR_Effect_Oper.h"
#include "engine/nodes/ZR_Effect_Zero.h"
#include "engine/nodes/ZR_Fourier_Noisegate.h"
#include "engine/nodes/ZR_Fourier_Transform.h"
#include "wid/ZR_Wid.h"
#include "wid/ZR_Wid_Butt.h"
#include "wid/ZR_Wid_Knob.h"
#include "wid/ZR_Wid_Pal.h"
#include "wid/ZR_Wid_Pic.h"
#include "wid/ZR_Wid_Text.h"

// Commands name these classes; a row per class, in the order the language has always listed them.
const ZR_Class _ZR[] = {
    {"ZR_Object", ZR_Object::table},
    {"ZR_Soundpipe", ZR_Soundpipe::table},
    {"ZR_Buffer", ZR_Buffer::table},
    {"ZR_Effect", ZR_Effect::table},
    {"ZR_Effect_Zero", ZR_Effect_Zero::table},
    {"ZR_Effect_Hipass", ZR_Effect_Hipass::table},
    {"ZR_Effect_Lopass", ZR_Effect_Lopass::table},
    {"ZR_Effect_Bapass", ZR_Effect_Bapass::table},
    {"ZR_Effect_Copy", ZR_Effect_Copy::table},
    {"ZR_Effect_Oper", ZR_Effect_Oper::table},
    {"ZR_Effect_Koef", ZR_Effect_Koef::table},
    {"ZR_Effect_Deline", ZR_Effect_Deline::table},
    {"ZR_Fourier_Transform", ZR_Fourier_Transform::table},
    {"ZR_Fourier_Noisegate", ZR_Fourier_Noisegate::table},
    {"ZR_Wid", ZR_Wid::table},
    {"ZR_Wid_Pic", ZR_Wid_Pic::table},
    {"ZR_Wid_Butt", ZR_Wid_Butt::table},
    {"ZR_Wid_Knob", ZR_Wid_Knob::table},
    {"ZR_Wid_Pal", ZR_Wid_Pal::table},
    {"ZR_Wid_Text", ZR_Wid_Text::table},
    {nullptr, nullptr},
};
