#include "engine/nodes/ZR_Effect_Zero.h"

#include <cstring>

#include "engine/ZR_Buffer.h"

void ZR_Effect_Zero::process() {
  if (!output) return;
  int32_t* out = samples(output);
  const int32_t n = output->blockLength();
  if (n > 0) std::memset(out, 0, static_cast<size_t>(n) * sizeof(int32_t));
}

ZR_Object* ZR_Effect_Zero::create() { return new ZR_Effect_Zero; }

ZR_value ZR_Effect_Zero::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&static_cast<ZR_Effect_Zero*>(object)->output, value);
}

const ZR_Option ZR_Effect_Zero::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Zero::create),
    ZR_OPTION("o", m_o),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
