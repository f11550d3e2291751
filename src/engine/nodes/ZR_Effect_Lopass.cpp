#include "engine/nodes/ZR_Effect_Lopass.h"

#include "engine/kernels/ZR_kern_onepole.h"

void ZR_Effect_Lopass::process() {
  const int32_t* in;
  int32_t* out;
  int32_t n;
  if (!blockArrays(&in, &out, &n)) return;
  const uint32_t a = coefficientInForce();
  ZR_kern_lopass[modeIndex()](in, out, n, &a, &state);
}

ZR_Object* ZR_Effect_Lopass::create() { return new ZR_Effect_Lopass; }

const ZR_Option ZR_Effect_Lopass::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Lopass::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("f", m_f),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
