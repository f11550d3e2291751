// The one-sided limiters ZR_Effect_Gtzero and ZR_Effect_Ltzero.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NodeRig.h"
#include "engine/ZR_Buffer.h"
#include "engine/nodes/ZR_Effect_Gtzero.h"
#include "engine/nodes/ZR_Effect_Ltzero.h"

namespace {

struct ClampCase {
  const char* name;
  const char* command;  // from %o to %o
  std::vector<int32_t> x, y;
};

class Clamp : public EngineTest, public testing::WithParamInterface<ClampCase> {};

TEST_P(Clamp, HoldsTheSignalAtTheLimitOnOneSide) {
  NodeRig rig(GetParam().command, 8);
  EXPECT_EQ(rig.run(GetParam().x), GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Clamp,
    testing::Values(
        ClampCase{"gtzero", "ZR_Effect_Gtzero -i %o -o %o", {-5, 7, 0, INT32_MIN}, {0, 7, 0, 0}},
        ClampCase{"ltzero", "ZR_Effect_Ltzero -i %o -o %o", {-5, 7, 0, INT32_MAX}, {-5, 0, 0, 0}},
        ClampCase{"gtzero_limit", "ZR_Effect_Gtzero -i %o -o %o -l 100", {50, 101, -7}, {100, 101, 100}},
        ClampCase{"ltzero_limit", "ZR_Effect_Ltzero -i %o -o %o -l -3.9", {-2, -4, 9}, {-3, -4, -3}},
        ClampCase{"gtzero_ignores_the_mode", "ZR_Effect_Gtzero -i %o -o %o -mode sub", {-5, 7}, {0, 7}},
        ClampCase{"ltzero_extreme_limit",
                  "ZR_Effect_Ltzero -i %o -o %o -l -2147483648",
                  {5, INT32_MIN},
                  {INT32_MIN, INT32_MIN}}),
    [](const testing::TestParamInfo<ClampCase>& info) { return std::string(info.param.name); });

using ClampNode = EngineTest;

TEST_F(ClampNode, WorksInPlace) {
  const struct {
    const char* command;
    int32_t y0, y1;
  } cases[] = {{"ZR_Effect_Gtzero -i %o -o %o", 0, 7}, {"ZR_Effect_Ltzero -i %o -o %o", -5, 0}};
  for (const auto& c : cases) {
    TestGraph graph(2);
    ZR_Buffer* buffer = graph.buffer();
    graph.make<ZR_Object>(c.command, buffer, buffer);
    graph.end();
    buffer->main[0] = -5;
    buffer->main[1] = 7;
    graph.process(2);
    EXPECT_EQ(buffer->main[0], c.y0) << c.command;
    EXPECT_EQ(buffer->main[1], c.y1) << c.command;
  }
}

TEST_F(ClampNode, ALimitBeyond32BitsIsRefused) {
  NodeRig rig("ZR_Effect_Gtzero -i %o -o %o -l 12");
  ZR_exec("%o -l %f", rig.node, 1e30);
  EXPECT_EQ(rig.integer("l"), 12);
  ZR_exec("%o -l %f", rig.node, -2.5);
  EXPECT_EQ(rig.integer("l"), -2) << "a real is truncated toward zero";
}

}  // namespace
