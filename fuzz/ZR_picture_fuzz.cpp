// Any bytes as a picture resource, read both as a ZRIF still and as a ZRVF strip and drawn: a bad
// header is refused with its report, and nothing reads or writes outside the data or the target.
#include <cstdint>
#include <cstring>
#include <vector>

#include "cmd/ZR_message_box.h"
#include "gfx/ZR_Pic_Base.h"
#include "gfx/ZR_Vid.h"

static void ignoreBox(const char*, const char*) {}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ZR_set_message_sink(ignoreBox);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly size bytes, aligned as resources are, so any read past the end is caught.
  std::vector<uint32_t> aligned((size + 3) / 4);
  if (size) std::memcpy(aligned.data(), data, size);
  ZR_Pic_Base<ZR_Pix_A32> target;
  target.create(37, 29);
  const ZR_Rect whole{-3, -3, 70, 70};

  ZR_Pic_Base<ZR_Pix_A32> still;
  if (still.map(aligned.data(), size) && still.width <= 256 && still.height <= 256)
    still.draw(target, 5, -2, whole);

  ZR_Vid strip;
  if (strip.map(aligned.data(), size))
    for (int32_t f = -1; f <= strip.frameCount && f < 64; ++f) strip.draw(f, target, -4, 3, whole);
  return 0;
}
