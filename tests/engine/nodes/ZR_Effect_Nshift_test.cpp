#include "engine/nodes/ZR_Effect_Nshift.h"

#include <gtest/gtest.h>

#include <vector>

#include "NodeRig.h"

namespace {

using Nshift = EngineTest;

// The taps shift each neighbour down by 14 bits before weighting it, so the 14 low bits of a sample
// never reach the output, at any phase.
TEST_F(Nshift, TheTapsDropTheFourteenLowBits) {
  NodeRig rig("ZR_Effect_Nshift -i %o -o %o -clock 48000 -p 3000000");
  const std::vector<int32_t> y = rig.run(std::vector<int32_t>(2048, 16384 + 16383));
  for (size_t i = 1200; i < y.size(); ++i) ASSERT_EQ(y[i], 16384) << i;
}

}  // namespace
