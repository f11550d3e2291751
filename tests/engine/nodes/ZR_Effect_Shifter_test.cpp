// What both pitch shifters share: the window P, the phase and its options.
#include "engine/nodes/ZR_Effect_Shifter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NodeRig.h"
#include "TestSignal.h"

namespace {

ZR_Effect_Shifter* shifter(NodeRig& rig) { return static_cast<ZR_Effect_Shifter*>(rig.node); }

struct WindowCase {
  int32_t fs, p;
};

class ShifterWindow : public testing::TestWithParam<WindowCase> {};

// 512/48000 s in phase units at every rate.
TEST_P(ShifterWindow, IsTwoTo23At48kHz) {
  EXPECT_EQ(ZR_Effect_Shifter::windowFor(GetParam().fs), GetParam().p);
}

INSTANTIATE_TEST_SUITE_P(Rates, ShifterWindow,
                         testing::Values(WindowCase{48000, 8388608}, WindowCase{44100, 7707033},
                                         WindowCase{96000, 16777216}, WindowCase{1, 174},
                                         WindowCase{INT32_MAX, INT32_MAX}));

struct AdvanceCase {
  int32_t phi, sigma, window, next;
};

class ShifterAdvance : public testing::TestWithParam<AdvanceCase> {};

TEST_P(ShifterAdvance, StaysInTheWindow) {
  const AdvanceCase& c = GetParam();
  EXPECT_EQ(ZR_Effect_Shifter::advance(c.phi, c.sigma, c.window), c.next);
}

// One wrap as long as the speed is below the window; a speed or a phase beyond it is reduced too.
INSTANTIATE_TEST_SUITE_P(Values, ShifterAdvance,
                         testing::Values(AdvanceCase{8388607, 1, 8388608, 0},
                                         AdvanceCase{8388607, 5, 8388608, 4},
                                         AdvanceCase{0, -1, 8388608, 8388607},
                                         AdvanceCase{100, 16384, 8388608, 16484},
                                         AdvanceCase{5, 3 * 1000, 1000, 5}, AdvanceCase{0, -2500, 1000, 500},
                                         AdvanceCase{INT32_MAX, INT32_MAX, 8388608, 8388606},
                                         AdvanceCase{INT32_MIN, INT32_MIN, 8388608, 0}));

struct ShifterCase {
  const char* name;
  const char* command;
};

class Shifter : public EngineTest, public testing::WithParamInterface<ShifterCase> {};

TEST_P(Shifter, FollowsTheClockAndKeepsPForANonsenseClock) {
  NodeRig rig(GetParam().command);
  EXPECT_EQ(shifter(rig)->window, 8388608) << "before any clock";
  ZR_exec("%o -clock 44100", rig.node);
  EXPECT_EQ(shifter(rig)->window, 7707033);
  ZR_exec("%o -clock 0 -clock -48000", rig.node);
  EXPECT_EQ(shifter(rig)->window, 7707033);
}

TEST_P(Shifter, APhaseJustBelowTheWindowWrapsAfterOneSample) {
  NodeRig rig(GetParam().command);
  ZR_exec("%o -clock 48000 -s 5 -p 8388607", rig.node);
  EXPECT_EQ(rig.integer("p"), 8388607);
  rig.run(1, 0);
  EXPECT_EQ(rig.integer("p"), 4);
  EXPECT_EQ(rig.integer("s"), 5);
}

// sigma = 0 holds both taps still: a constant comes out as it went in once the ring holds it,
// apart from the low bits the taps drop.
TEST_P(Shifter, WithoutSpeedAConstantComesBack) {
  NodeRig rig(GetParam().command);
  ZR_exec("%o -clock 48000 -p 1000000", rig.node);
  const std::vector<int32_t> y = rig.run(std::vector<int32_t>(4096, 123456789));
  for (size_t i = 2600; i < y.size(); ++i) ASSERT_NEAR(y[i], 123456789, 16384) << i;
}

// The pitch ratio is 1 - sigma / 16384: sigma = -4096 moves 400 Hz to 500 Hz. The grains of the
// two taps do not keep one phase, so the pitch is counted in rising zero crossings.
TEST_P(Shifter, ShiftsThePitchByOneMinusSigmaOver16384) {
  NodeRig rig(GetParam().command);
  ZR_exec("%o -clock 48000 -s -4096", rig.node);
  const std::vector<int32_t> y = rig.run(testSine(48000, 400, 48000, 1 << 29));
  int crossings = 0;
  for (size_t i = 24001; i < y.size(); ++i) crossings += y[i - 1] < 0 && y[i] >= 0;
  EXPECT_NEAR(crossings, 250, 10) << "500 Hz over half a second";
}

TEST_P(Shifter, ResetClearsTheRings) {
  NodeRig rig(GetParam().command);
  ZR_exec("%o -clock 48000", rig.node);
  rig.run(std::vector<int32_t>(2048, 1 << 30));
  ZR_exec("%o -on 0", rig.node);
  rig.run(1, 0);
  ZR_exec("%o -on 1", rig.node);
  rig.run(1, 0);
  const std::vector<int32_t> y = rig.run(std::vector<int32_t>(256, 0));
  EXPECT_EQ(y, std::vector<int32_t>(256, 0)) << "nothing of the old signal is left in the taps";
}

INSTANTIATE_TEST_SUITE_P(Both, Shifter,
                         testing::Values(ShifterCase{"shift", "ZR_Effect_Shift -i %o -o %o"},
                                         ShifterCase{"nshift", "ZR_Effect_Nshift -i %o -o %o"}),
                         [](const testing::TestParamInfo<ShifterCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
