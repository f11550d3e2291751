#include "cmd/ZR_Object.h"
#include "cmd/ZR_Option.h"

// Commands name these classes; a row per class, in the order the language has always listed them.
const ZR_Class _ZR[] = {
    {"ZR_Object", ZR_Object::table},
    {nullptr, nullptr},
};
