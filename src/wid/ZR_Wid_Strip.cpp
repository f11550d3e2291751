#include "wid/ZR_Wid_Strip.h"

void ZR_Wid_Strip::setResource(const char* name) {
  name_ = name;
  named_ = true;
  vid.mapResource(name_.c_str());
}

bool ZR_Wid_Strip::opaque(int32_t f, int32_t x, int32_t y) const {
  const bool inside = f >= 0 && f < vid.frameCount && x >= 0 && x < vid.width && y >= 0 && y < vid.height;
  return inside && vid.pixel(f, x, y).a >= 128;
}
