#include "engine/nodes/ZR_Effect_Hipass.h"

#include "engine/kernels/ZR_kern_onepole.h"

void ZR_Effect_Hipass::process() {
  const int32_t* in;
  int32_t* out;
  int32_t n;
  if (!blockArrays(&in, &out, &n)) return;
  ZR_kern_hipass(in, out, n, coefficientInForce(), &state);
}

ZR_Object* ZR_Effect_Hipass::create() { return new ZR_Effect_Hipass; }

const ZR_Option ZR_Effect_Hipass::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Hipass::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("f", m_f),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
