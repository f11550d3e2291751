#include "engine/nodes/ZR_Gener_White.h"

#include "engine/ZR_Buffer.h"

namespace {
// One stream per thread, as the runtime that defined the sequence kept it.
thread_local uint32_t randomState = 1;
}  // namespace

int32_t ZR_Gener_White::nextRandom() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}

void ZR_Gener_White::process() {
  if (!output) return;
  const int32_t n = output->blockLength();
  if (n <= 0) return;
  int32_t* out = samples(output);
  for (int32_t i = n - 1; i >= 0; --i) out[i] = (nextRandom() - 16384) * 65536;
}

ZR_Object* ZR_Gener_White::create() { return new ZR_Gener_White; }

ZR_value ZR_Gener_White::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&static_cast<ZR_Gener_White*>(object)->output, value);
}

const ZR_Option ZR_Gener_White::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Gener_White::create),
    ZR_OPTION("o", m_o),
    ZR_OPTION_NEXT(ZR_Gener::table),
};
