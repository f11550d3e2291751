#include "engine/nodes/ZR_Effect_Copy.h"

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"
#include "engine/kernels/ZR_kern_copy.h"

namespace {

ZR_Effect_Copy* of(ZR_Object* object) { return static_cast<ZR_Effect_Copy*>(object); }

ZR_value stride(std::atomic<int32_t>& field, ZR_value value) {
  int32_t s;
  if (value.isSet() && ZR_number_truncated(value, &s) && s >= 1) field.store(s, std::memory_order_relaxed);
  return ZR_value::integer(field.load(std::memory_order_relaxed));
}

}  // namespace

void ZR_Effect_Copy::process() {
  if (!input || !output) return;
  const int32_t* in = samples(input);
  int32_t* out = samples(output);
  const int32_t m = modeIndex();
  if (in == out && m == ZR_MODE_SET) return;
  const int32_t is = inStride.load(std::memory_order_relaxed);
  const int32_t os = outStride.load(std::memory_order_relaxed);
  int32_t n = input->blockLength() / is;
  // The last write lands at (n - 1) * os: it stays inside the output's block.
  const int32_t room = output->blockLength();
  if (room <= 0) return;
  const int32_t fits = (room - 1) / os + 1;
  if (n > fits) n = fits;
  if (n <= 0) return;
  ZR_kern_copy[m](in, out, n, is, os);
}

ZR_Object* ZR_Effect_Copy::create() { return new ZR_Effect_Copy; }

ZR_value ZR_Effect_Copy::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Copy::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Copy::m_is(ZR_Object* object, ZR_value value) {
  return stride(of(object)->inStride, value);
}

ZR_value ZR_Effect_Copy::m_os(ZR_Object* object, ZR_value value) {
  return stride(of(object)->outStride, value);
}

const ZR_Option ZR_Effect_Copy::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Copy::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("is", m_is),
    ZR_OPTION("os", m_os),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
