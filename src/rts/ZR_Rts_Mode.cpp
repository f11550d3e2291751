#include <cstdio>

#include "rts/ZR_Rts.h"

namespace {

const char* const kChannelNames[] = {"", "mono", "stereo", "trio", "quadro"};

}  // namespace

// Each part of the text is printed with its own argument, so a mode without a rate or without
// bits still names the parts it has.
ZR_Rts::Mode::Mode(int32_t rate, int32_t bits, int32_t blockSize, int32_t channels)
    : ZR_Chain_Item(this),
      rate(rate),
      blockSize(blockSize),
      bits(bits),
      channels(channels < 0 ? 0 : channels) {
  text[0] = 0;
  int used = 0;
  auto separate = [&] {
    if (used > 0) used += std::snprintf(text + used, sizeof text - used, ", ");
  };
  if (rate != 0) used += std::snprintf(text, sizeof text, "%5.1f kHz", rate * 0.001);
  if (bits != 0) {
    separate();
    used += std::snprintf(text + used, sizeof text - used, "%d bit", bits);
  }
  if (this->channels != 0) {
    separate();
    if (this->channels < 5)
      std::snprintf(text + used, sizeof text - used, "%s", kChannelNames[this->channels]);
    else
      std::snprintf(text + used, sizeof text - used, "%d ch", this->channels);
  }
}
