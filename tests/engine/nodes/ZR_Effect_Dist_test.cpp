#include "engine/nodes/ZR_Effect_Dist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "NodeRig.h"

namespace {

using Dist = EngineTest;

ZR_Effect_Dist* dist(NodeRig& rig) { return static_cast<ZR_Effect_Dist*>(rig.node); }

TEST_F(Dist, DriveIsStoredAsVTimes2To29AndAnsweredAsDOver2To30) {
  NodeRig rig("ZR_Effect_Dist -i %o -o %o -d 0.5");
  EXPECT_EQ(dist(rig)->drive, 1 << 28);
  EXPECT_FLOAT_EQ(rig.real("d"), 0.25f);
  EXPECT_EQ(dist(rig)->clipLevel, 1 << 27) << "b = d (1 - 0.5)";
  EXPECT_EQ(dist(rig)->halfWidth, 1 << 26);
}

TEST_F(Dist, TheDefaultsClipAtTwoTo23WithAKneeOfTwoTo22) {
  NodeRig rig("ZR_Effect_Dist -i %o -o %o");
  EXPECT_EQ(dist(rig)->clipLevel, 1 << 23);
  EXPECT_EQ(dist(rig)->halfWidth, 1 << 22);
  EXPECT_EQ(dist(rig)->rate, 1 << 26) << "the rate before any clock";
  // The clipped excess of the second sample moves the offset by (2^28 - 16515072) 2^26 / 2^32 before the
  // third, so the negative side comes out a little further out than the positive one.
  EXPECT_EQ(rig.run({4000, 1 << 30, -(1 << 30)}), (std::vector<int32_t>{4000, 66060288, -66067920}));
  EXPECT_EQ(dist(rig)->offset, -30723);
}

struct LevelCase {
  const char* command;
  int32_t b, h;
};

class DistLevels : public EngineTest, public testing::WithParamInterface<LevelCase> {};

// Drives and softnesses whose levels leave the 32-bit range take the nearest word; h is taken in
// 64 bits from d and that b.
TEST_P(DistLevels, SaturateWhenTheyDoNotFit) {
  NodeRig rig(GetParam().command);
  EXPECT_EQ(dist(rig)->clipLevel, GetParam().b) << GetParam().command;
  EXPECT_EQ(dist(rig)->halfWidth, GetParam().h) << GetParam().command;
}

INSTANTIATE_TEST_SUITE_P(
    Values, DistLevels,
    testing::Values(LevelCase{"ZR_Effect_Dist -i %o -o %o -d 1.0 -s 0.25", 402653184, 67108864},
                    LevelCase{"ZR_Effect_Dist -i %o -o %o -d 4.0", 1073741823, 536870912},
                    LevelCase{"ZR_Effect_Dist -i %o -o %o -d 1e30 -s -1", INT32_MAX, 0},
                    LevelCase{"ZR_Effect_Dist -i %o -o %o -d 1e30 -s 3", INT32_MIN, INT32_MAX},
                    LevelCase{"ZR_Effect_Dist -i %o -o %o -d -1e30 -s 3", INT32_MAX, -2147483647},
                    LevelCase{"ZR_Effect_Dist -i %o -o %o -d 0.5 -s 2e30", INT32_MIN, 1207959552}));

struct RateCase {
  const char* command;
  int32_t rate;
};

class DistRate : public EngineTest, public testing::WithParamInterface<RateCase> {};

TEST_P(DistRate, IsKTimes48000OverFsIn2To31Units) {
  NodeRig rig(GetParam().command);
  EXPECT_EQ(dist(rig)->rate, GetParam().rate) << GetParam().command;
}

// k = 1 at 44.1 kHz is 2337397166, which does not fit: the rate saturates. A negative k (or not a
// number) is refused, and a clock of 0 or below leaves the rate.
INSTANTIATE_TEST_SUITE_P(
    Values, DistRate,
    testing::Values(RateCase{"ZR_Effect_Dist -i %o -o %o -clock 44100 -k 1", INT32_MAX},
                    RateCase{"ZR_Effect_Dist -i %o -o %o -clock 48000 -k 1", INT32_MAX},
                    RateCase{"ZR_Effect_Dist -i %o -o %o -clock 48000 -k 0.5", 1073741823},
                    RateCase{"ZR_Effect_Dist -i %o -o %o -clock 96000 -k 0.25", 268435455},
                    RateCase{"ZR_Effect_Dist -i %o -o %o -clock 48000 -k 0.5 -k -1", 1073741823},
                    RateCase{"ZR_Effect_Dist -i %o -o %o -k 1 -clock 0", 1 << 26},
                    RateCase{"ZR_Effect_Dist -i %o -o %o -k 1 -clock -44100", 1 << 26}));

TEST_F(Dist, ANegativeOrNotANumberKIsRefused) {
  NodeRig rig("ZR_Effect_Dist -i %o -o %o -k 2");
  ZR_exec("%o -k -1 -k %f -k %f", rig.node, -0.5, NAN);
  EXPECT_FLOAT_EQ(rig.real("k"), 2.0f);
}

TEST_F(Dist, OddFlagsMakeTheLowerSideFollowTheOffset) {
  NodeRig rig("ZR_Effect_Dist -i %o -o %o -l 3");
  EXPECT_EQ(rig.integer("l"), 3);
  EXPECT_EQ(rig.run({-(1 << 30)}), (std::vector<int32_t>{-4177980}));
}

TEST_F(Dist, ResetClearsTheOffset) {
  NodeRig rig("ZR_Effect_Dist -i %o -o %o -clock 48000 -k 1");
  rig.run(std::vector<int32_t>(64, 1 << 30));
  ASSERT_NE(dist(rig)->offset, 0);
  ZR_exec("%o -on 0", rig.node);
  rig.run(std::vector<int32_t>(8, 0));
  EXPECT_EQ(dist(rig)->offset, 0);
}

}  // namespace
