#include "engine/nodes/ZR_Effect_Oper.h"

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Oper* of(ZR_Object* object) { return static_cast<ZR_Effect_Oper*>(object); }
}  // namespace

void ZR_Effect_Oper::process() {
  if (!input1 || !input2 || !output) return;
  // The second input and the output must cover the first input's block.
  int32_t n = input1->blockLength();
  if (input2->blockLength() < n) n = input2->blockLength();
  if (output->blockLength() < n) n = output->blockLength();
  if (n <= 0) return;
  int32_t* out = samples(output);
  const int32_t* in2 = samples(input2);
  const int32_t* in1 = samples(input1);
  ZR_kern_oper[oper.load(std::memory_order_relaxed) * ZR_MODE_COUNT + modeIndex()](in1, in2, out, n);
}

ZR_Object* ZR_Effect_Oper::create() { return new ZR_Effect_Oper; }

ZR_value ZR_Effect_Oper::m_i1(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input1, value);
}

ZR_value ZR_Effect_Oper::m_i2(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input2, value);
}

ZR_value ZR_Effect_Oper::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Oper::m_oper(ZR_Object* object, ZR_value value) {
  ZR_Effect_Oper* self = of(object);
  const int32_t r = ZR_name_index(ZR_oper_names, ZR_OPER_COUNT, value);
  if (r >= 0) self->oper.store(r, std::memory_order_relaxed);
  return ZR_value::text(ZR_oper_names[self->oper.load(std::memory_order_relaxed)]);
}

const ZR_Option ZR_Effect_Oper::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Oper::create),
    ZR_OPTION("i1", m_i1),
    ZR_OPTION("i2", m_i2),
    ZR_OPTION("o", m_o),
    ZR_OPTION("oper", m_oper),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
