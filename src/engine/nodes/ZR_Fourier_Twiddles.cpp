#include "engine/nodes/ZR_Fourier_Twiddles.h"

#include <cmath>

#include "cmd/ZR_word.h"

const ZR_Fourier_Twiddles::Entry* ZR_Fourier_Twiddles::entries() {
  std::call_once(once_, [this] {
    const double pi = 3.141592653589793;
    for (int32_t i = 0; i < kEntries; ++i) {
      const double angle = pi * i / kEntries;
      table_[i].c = ZR_word_truncated(std::cos(angle) * 2147483647.0);
      table_[i].s = ZR_word_truncated(std::sin(angle) * 2147483647.0);
    }
    ++builds_;
  });
  return table_;
}

ZR_Fourier_Twiddles& ZR_Fourier_Twiddles::shared() {
  static ZR_Fourier_Twiddles table;
  return table;
}
