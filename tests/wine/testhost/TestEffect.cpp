#include "TestEffect.h"

#include <cstring>

VstIntPtr TestEffect::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return record ? record->dispatcher(record, opcode, index, value, ptr, opt) : 0;
}

std::string TestEffect::text(VstInt32 opcode, VstInt32 index, size_t size) {
  std::vector<char> buffer(size + 1, '\0');
  std::memset(buffer.data(), 0, buffer.size());
  dispatch(opcode, index, 0, buffer.data());
  return std::string(buffer.data());
}

void TestEffect::setParameter(VstInt32 index, float value) {
  if (record) record->setParameter(record, index, value);
}

float TestEffect::getParameter(VstInt32 index) { return record ? record->getParameter(record, index) : 0.0f; }

void TestEffect::process(const std::vector<float>& input, std::vector<float>& left,
                         std::vector<float>& right) {
  left.resize(input.size());
  right.resize(input.size());
  float* in[] = {const_cast<float*>(input.data())};
  float* out[] = {left.data(), right.data()};
  record->processReplacing(record, in, out, static_cast<VstInt32>(input.size()));
}

VstIntPtr TestEffect::close() {
  if (!record) return 0;
  const VstIntPtr reply = record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  record = nullptr;
  return reply;
}
