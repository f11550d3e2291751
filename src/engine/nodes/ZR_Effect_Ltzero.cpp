#include "engine/nodes/ZR_Effect_Ltzero.h"

ZR_Object* ZR_Effect_Ltzero::create() { return new ZR_Effect_Ltzero; }

const ZR_Option ZR_Effect_Ltzero::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Ltzero::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("l", m_l),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
