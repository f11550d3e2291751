#include "engine/kernels/ZR_kern_deline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "TestSignal.h"

namespace {

// Two groups: a comb (taps at 3 and 700, feedback 0.6) into output 0, and a plain tap at 65535
// (the whole ring) into output 1.
const std::vector<int32_t> kProgram = {
    3, 1073741824, 700,   -858993459, ZR_KERN_DELINE_GROUP, 8388607,
    0, 5033164,    65535, 2147483647, ZR_KERN_DELINE_GROUP, 4194304,
    1, 0,
};

struct Network {
  std::vector<int32_t> memory = std::vector<int32_t>(ZR_KERN_DELINE_MEMORY, 0);
  int32_t position = 0;

  // Runs x in blocks of the given length, mode m; returns both outputs, which hold old before.
  std::vector<int32_t> run(const std::vector<int32_t>& x, const std::vector<int32_t>& old, int32_t block,
                           int m) {
    std::vector<int32_t> y0 = old, y1 = old;
    for (size_t done = 0; done < x.size(); done += static_cast<size_t>(block)) {
      const int32_t n = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(block), x.size() - done));
      int32_t* outputs[2] = {y0.data() + done, y1.data() + done};
      ZR_kern_deline[m](x.data() + done, n, memory.data(), &position, kProgram.data(),
                        static_cast<int32_t>(kProgram.size()), outputs);
    }
    y0.insert(y0.end(), y1.begin(), y1.end());
    return y0;
  }
};

TEST(KernDeline, BlockLengthsDoNotChangeTheResult) {
  const std::vector<int32_t> x = testNoise(70000, 9, INT32_MAX), old = testNoise(70000, 10, 1 << 30);
  for (int m = 0; m < 6; ++m) {
    Network whole, pieces;
    EXPECT_EQ(pieces.run(x, old, 777, m), whole.run(x, old, 70000, m)) << m;
    EXPECT_EQ(pieces.position, whole.position);
    EXPECT_EQ(pieces.memory, whole.memory);
  }
}

TEST(KernDeline, ThePositionMovesDownAndWrapsWithTheRing) {
  Network net;
  const std::vector<int32_t> x(5, 1);
  net.run(x, x, 5, 0);
  EXPECT_EQ(net.position, 65531);
  EXPECT_EQ(net.memory[0], 1);
  EXPECT_EQ(net.memory[65535], 1);
}

// The six members differ in the mode step only: each output is the "set" result merged with old.
TEST(KernDeline, ModesMergeTheSetResult) {
  const std::vector<int32_t> x = testNoise(3000, 11, INT32_MAX), old = testNoise(3000, 12, INT32_MAX);
  Network reference;
  const std::vector<int32_t> y = reference.run(x, old, 3000, 0);
  for (int m = 1; m < 6; ++m) {
    Network net;
    const std::vector<int32_t> z = net.run(x, old, 3000, m);
    for (size_t i = 0; i < z.size(); ++i) {
      const uint32_t o = static_cast<uint32_t>(old[i % old.size()]), u = static_cast<uint32_t>(y[i]);
      const uint32_t expected[6] = {u, o + u, o - u, 0u - u, 0u - (o + u), u - o};
      ASSERT_EQ(static_cast<uint32_t>(z[i]), expected[m]) << m << " " << i;
    }
  }
}

}  // namespace
