#include "engine/nodes/ZR_Effect_Koef.h"

#include <gtest/gtest.h>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Koef = EngineTest;

struct KoefGraph {
  TestGraph graph{2};
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Effect_Koef* node = graph.make<ZR_Effect_Koef>("ZR_Effect_Koef -i %o -o %o", in, out);

  int32_t run(int32_t x) {
    in->main[0] = in->main[1] = x;
    graph.process(2);
    return out->main[0];
  }
  int32_t k(const char* command) {
    int32_t result = 0;
    ZR_exec(command, node, &result);
    return result;
  }
};

struct KCase {
  const char* command;
  int32_t k;
};

class KoefScale : public EngineTest, public testing::WithParamInterface<KCase> {};

TEST_P(KoefScale, TheConstantIsVTimes2To31Over127) {
  KoefGraph g;
  EXPECT_EQ(g.k(GetParam().command), GetParam().k) << GetParam().command;
}

// |v| >= 127 does not fit: the constant saturates (127 would wrap to -2^31).
INSTANTIATE_TEST_SUITE_P(
    Values, KoefScale,
    testing::Values(KCase{"%o -k 1.0 -k", 16909320}, KCase{"%o -k 100 -k", 1690932006},
                    KCase{"%o -k 100.0 -k", 1690932006}, KCase{"%o -k -1.0 -k", -16909320},
                    KCase{"%o -k 0.0 -k", 0}, KCase{"%o -k 127.0 -k", INT32_MAX},
                    KCase{"%o -k 1000.0 -k", INT32_MAX}, KCase{"%o -k -127.0 -k", INT32_MIN},
                    KCase{"%o -k -1e30 -k", INT32_MIN}, KCase{"%o -k 1.0 -k one -k", 16909320}));

TEST_F(Koef, MulScalesByVTimes128Over127) {
  KoefGraph g;
  ZR_exec("%o -oper mul -k 1.0", g.node);
  EXPECT_EQ(g.run(1 << 24), 16909320);
}

TEST_F(Koef, DivByAZeroConstantCountsZeroAsNegative) {
  KoefGraph g;
  ZR_exec("%o -oper div -k 0.0", g.node);
  EXPECT_EQ(g.run(0), 1 << 24);
  EXPECT_EQ(g.run(5), -6 * (1 << 24));
}

TEST_F(Koef, AnUnknownOperatorLeavesTheOneInForce) {
  KoefGraph g;
  const char* name = nullptr;
  ZR_exec("%o -oper sub -oper shift -oper", g.node, &name);
  EXPECT_STREQ(name, "sub");
  ZR_exec("%o -k 1.0", g.node);
  EXPECT_EQ(g.run(16909320 + 5), 5);
}

}  // namespace
