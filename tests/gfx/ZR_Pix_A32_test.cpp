#include "gfx/ZR_Pix_A32.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ZR_Pix_A32, LiesInMemoryAsBlueGreenRedAlpha) {
  const ZR_Pix_A32 p = ZR_Pix_A32::fromArgb(0x80112233);
  EXPECT_EQ(p, (ZR_Pix_A32{0x33, 0x22, 0x11, 0x80}));
  uint32_t word;
  std::memcpy(&word, &p, 4);
  EXPECT_EQ(word, 0x80112233u);  // both targets are little-endian
  EXPECT_EQ(p.argb(), 0x80112233u);
}

TEST(ZR_Pix_A32, BlendsByTheSourceAlphaOver256RoundingDown) {
  struct Case {
    ZR_Pix_A32 dest, source, result;
  };
  const Case cases[] = {
      // alpha 0 leaves the destination as it was
      {{1, 2, 3, 4}, {200, 200, 200, 0}, {1, 2, 3, 4}},
      // opaque white over opaque black stops one short: 255 x 255 / 256
      {{0, 0, 0, 255}, {255, 255, 255, 255}, {254, 254, 254, 255}},
      // ... and the alpha over a transparent destination as well
      {{0, 0, 0, 0}, {255, 255, 255, 255}, {254, 254, 254, 254}},
      // a darker source moves down: (100 - 200) x 128 >> 8 = -50
      {{200, 200, 200, 200}, {100, 100, 100, 128}, {150, 150, 150, 164}},
      // the shift rounds towards minus infinity: (9 - 10) x 1 >> 8 = -1
      {{10, 10, 10, 10}, {9, 11, 10, 1}, {9, 10, 10, 9}},
      // each byte on its own: blue, green, red, alpha
      {{0, 100, 200, 255}, {255, 0, 100, 200}, {199, 21, 121, 212}},
  };
  for (const Case& c : cases) {
    ZR_Pix_A32 d = c.dest;
    ZR_blend(d, c.source);
    EXPECT_EQ(d, c.result) << std::hex << c.dest.argb() << " under " << c.source.argb();
  }
}
