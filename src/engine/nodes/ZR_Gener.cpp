#include "engine/nodes/ZR_Gener.h"

const ZR_Option ZR_Gener::table[] = {
    ZR_OPTION_CONSTRUCTOR(nullptr),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
