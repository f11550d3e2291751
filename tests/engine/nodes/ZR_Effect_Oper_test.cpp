#include "engine/nodes/ZR_Effect_Oper.h"

#include <gtest/gtest.h>

#include <string>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Oper = EngineTest;

struct OperGraph {
  TestGraph graph{2};
  ZR_Buffer* a = graph.buffer();
  ZR_Buffer* b = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Effect_Oper* node = graph.make<ZR_Effect_Oper>("ZR_Effect_Oper -i1 %o -i2 %o -o %o", a, b, out);

  int32_t run(int32_t x, int32_t y) {
    a->main[0] = a->main[1] = x;
    b->main[0] = b->main[1] = y;
    graph.process(2);
    return out->main[0];
  }
  std::string oper() {
    const char* name = nullptr;
    ZR_exec("%o -oper", node, &name);
    return name ? name : "";
  }
};

TEST_F(Oper, StartsAsAddAndTakesTheFourNames) {
  OperGraph g;
  EXPECT_EQ(g.oper(), "add");
  for (const char* name : {"sub", "mul", "div", "add"}) {
    ZR_exec("%o -oper %s", g.node, name);
    EXPECT_EQ(g.oper(), name);
  }
}

TEST_F(Oper, AnUnknownOperatorLeavesTheOneInForce) {
  OperGraph g;
  ZR_exec("%o -oper mul -oper pow -oper MUL -oper 3", g.node);
  EXPECT_EQ(g.oper(), "mul");
  EXPECT_EQ(g.run(1 << 24, 3 << 20), 3 << 20);
}

TEST_F(Oper, SubtractsTheSecondInputFromTheFirst) {
  OperGraph g;
  ZR_exec("%o -oper sub", g.node);
  EXPECT_EQ(g.run(10, 3), 7);
}

TEST_F(Oper, TheModeMergesIntoTheOutput) {
  OperGraph g;
  ZR_exec("%o -oper add -mode sbn", g.node);
  g.out->main[0] = 100;
  EXPECT_EQ(g.run(10, 3), 13 - 100);
}

}  // namespace
