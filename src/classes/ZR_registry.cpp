#include "cmd/ZR_Object.h"
#include "cmd/ZR_Option.h"
#include "wid/ZR_Wid.h"
#include "wid/ZR_Wid_Butt.h"
#include "wid/ZR_Wid_Knob.h"
#include "wid/ZR_Wid_Pal.h"
#include "wid/ZR_Wid_Pic.h"
#include "wid/ZR_Wid_Text.h"

// Commands name these classes; a row per class, in the order the language has always listed them.
const ZR_Class _ZR[] = {
    {"ZR_Object", ZR_Object::table},
    {"ZR_Wid", ZR_Wid::table},
    {"ZR_Wid_Pic", ZR_Wid_Pic::table},
    {"ZR_Wid_Butt", ZR_Wid_Butt::table},
    {"ZR_Wid_Knob", ZR_Wid_Knob::table},
    {"ZR_Wid_Pal", ZR_Wid_Pal::table},
    {"ZR_Wid_Text", ZR_Wid_Text::table},
    {nullptr, nullptr},
};
