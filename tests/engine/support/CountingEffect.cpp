#include "CountingEffect.h"

#include "engine/ZR_Buffer.h"

void CountingEffect::process() {
  ++processes;
  if (!buffer_) return;
  lastArray = samples(buffer_);
  for (int32_t i = 0; i < buffer_->blockLength(); ++i) lastArray[i] += add_;
}
