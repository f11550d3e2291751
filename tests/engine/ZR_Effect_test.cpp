#include "engine/ZR_Effect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CountingEffect.h"
#include "TestGraph.h"
#include "classes/ZR_exec.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"
#include "engine/nodes/ZR_Effect_Copy.h"

namespace {

using Effect = EngineTest;

std::string queryMode(ZR_Effect* node) {
  const char* mode = nullptr;
  ZR_exec("ZR_Effect %o -mode", node, &mode);
  return mode ? mode : "";
}

TEST_F(Effect, ANewNodeIsOnInModeSetWithClockZeroAndNotPrepared) {
  TestGraph graph(8);
  CountingEffect* node = new CountingEffect;
  EXPECT_EQ(node->soundpipe, graph.pipe());
  EXPECT_EQ(graph.pipe()->effects.last(), &node->link);
  EXPECT_FALSE(node->prepared);
  EXPECT_TRUE(node->on.load());
  EXPECT_TRUE(node->wasOn);
  EXPECT_FALSE(node->debug.load());
  EXPECT_EQ(node->clock.load(), 0);
  EXPECT_EQ(queryMode(node), "set");
  delete node;
  EXPECT_EQ(graph.pipe()->effects.count, 0) << "deleted, it leaves the chain";
}

TEST_F(Effect, ModeTakesOnlyTheSixNames) {
  TestGraph graph(8);
  CountingEffect* node = new CountingEffect;
  const char* names[] = {"set", "add", "sub", "stn", "adn", "sbn"};
  for (int m = 0; m < 6; ++m) {
    ZR_exec("ZR_Effect %o -mode %s", node, names[m]);
    EXPECT_EQ(node->modeIndex(), m);
    EXPECT_EQ(queryMode(node), names[m]);
  }
  ZR_exec("ZR_Effect %o -mode SBN -mode louder -mode 2", node);
  EXPECT_EQ(queryMode(node), "sbn") << "other texts and other kinds change nothing";
  delete node;
}

TEST_F(Effect, ClockTruncatesARealAndRecomputesOnce) {
  TestGraph graph(8);
  CountingEffect* node = new CountingEffect;
  int32_t clock = 0;
  ZR_exec("ZR_Effect %o -clock 44100.9 -clock", node, &clock);
  EXPECT_EQ(clock, 44100);
  EXPECT_EQ(node->recomputes, 1);
  ZR_exec("ZR_Effect %o -clock fast -clock 1e30", node);
  EXPECT_EQ(node->clock.load(), 44100) << "a text or a real beyond 32 bits is refused";
  EXPECT_EQ(node->recomputes, 1);
  delete node;
}

TEST_F(Effect, OnAndDebugAreFlags) {
  TestGraph graph(8);
  CountingEffect* node = new CountingEffect;
  int32_t on = -1, debug = -1;
  ZR_exec("ZR_Effect %o -on 0 -on -debug 7 -debug", node, &on, &debug);
  EXPECT_EQ(on, 0);
  EXPECT_EQ(debug, 1);
  ZR_exec("ZR_Effect %o -on -3 -on", node, &on);
  EXPECT_EQ(on, 1);
  delete node;
}

TEST_F(Effect, BeforeMovesANodeAndReportsItsFollower) {
  TestGraph graph(8);
  CountingEffect* a = new CountingEffect;
  CountingEffect* b = new CountingEffect;
  CountingEffect* c = new CountingEffect;
  void* next = a;
  ZR_exec("ZR_Effect %o -before", c, &next);
  EXPECT_EQ(next, nullptr) << "the last node has no follower";
  ZR_exec("ZR_Effect %o -before %o -before", c, a, &next);
  EXPECT_EQ(next, a);
  EXPECT_EQ(graph.pipe()->effects.first(), &c->link);
  ZR_exec("ZR_Effect %o -before %o", b, b);
  ZR_exec("ZR_Effect %o -before", b, &next);
  EXPECT_EQ(next, nullptr) << "a node cannot go before itself";
  graph.end();
  ZR_exec("ZR_Effect %o -before %o", b, c);
  EXPECT_EQ(graph.pipe()->effects.last(), &b->link) << "nothing moves once building has ended";
  for (ZR_Effect* e : {a, b, c}) delete e;
}

TEST_F(Effect, SamplesInASteadyBlockAreTheMainArray) {
  TestGraph graph(4);
  ZR_Buffer* buffer = graph.buffer();
  CountingEffect* node = new CountingEffect(buffer, 1);
  graph.process(4);
  EXPECT_EQ(node->lastArray, buffer->main);
  EXPECT_EQ(buffer->transition, 0);
  delete node;
}

// A constant main of 1000 and a shadow of 0 after a node was switched off: the next node's
// hand-out fades main from the shadow (the switched node's output) to main (the signal without it).
TEST_F(Effect, ResolvingASwitchOffFadesOverTheBlock) {
  TestGraph graph(4);
  ZR_Buffer* buffer = graph.buffer();
  CountingEffect* reader = new CountingEffect(buffer);
  for (int i = 0; i < 4; ++i) buffer->main[i] = 1000, buffer->shadow[i] = 0;
  buffer->transition = -1;
  reader->latchOn();
  EXPECT_EQ(reader->samples(buffer), buffer->main);
  EXPECT_EQ(std::vector<int32_t>(buffer->main, buffer->main + 4), (std::vector<int32_t>{0, 250, 500, 750}));
  delete reader;
}

// The graph the product uses around a switchable node: copy in -> buffer, the node adds 1000, copy
// buffer -> out.
struct SwitchGraph {
  TestGraph graph{4};
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* mid = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Effect_Copy* copyIn = graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o", in, mid);
  CountingEffect* node = new CountingEffect(mid, 1000);
  ZR_Effect_Copy* copyOut = graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o", mid, out);

  ~SwitchGraph() { delete node; }
  std::vector<int32_t> block() {
    graph.process(4);
    return std::vector<int32_t>(out->main, out->main + 4);
  }
};

TEST_F(Effect, SwitchingOffFadesOutThenResetsOnceAndSkips) {
  SwitchGraph g;
  EXPECT_EQ(g.block(), std::vector<int32_t>(4, 1000));
  ZR_exec("ZR_Effect %o -on 0", g.node);
  EXPECT_EQ(g.block(), (std::vector<int32_t>{1000, 750, 500, 250}))
      << "from the node's output to the dry signal";
  EXPECT_EQ(g.node->lastArray, g.mid->shadow) << "the switched node worked on the shadow copy";
  EXPECT_EQ(g.node->processes, 2);
  EXPECT_EQ(g.node->resets, 1);
  EXPECT_EQ(g.block(), std::vector<int32_t>(4, 0));
  EXPECT_EQ(g.node->processes, 2) << "skipped while off";
  EXPECT_EQ(g.node->resets, 1);
}

TEST_F(Effect, SwitchingOnFadesIn) {
  SwitchGraph g;
  ZR_exec("ZR_Effect %o -on 0", g.node);
  g.block();
  g.block();
  ZR_exec("ZR_Effect %o -on 1", g.node);
  EXPECT_EQ(g.block(), (std::vector<int32_t>{0, 250, 500, 750}))
      << "from the dry signal to the node's output";
  EXPECT_EQ(g.block(), std::vector<int32_t>(4, 1000));
  EXPECT_EQ(g.node->resets, 1);
}

TEST_F(Effect, OffAndOnAgainBetweenTwoBlocksCausesNoTransition) {
  SwitchGraph g;
  g.block();
  ZR_exec("ZR_Effect %o -on 0 -on 1", g.node);
  EXPECT_EQ(g.block(), std::vector<int32_t>(4, 1000));
  EXPECT_EQ(g.node->lastArray, g.mid->main);
  EXPECT_EQ(g.node->resets, 0);
}

// The on flag may change while the node runs (another thread); the node keeps the value latched at
// the start of its block, so every hand-out of the block agrees.
class SelfSwitchingEffect : public CountingEffect {
 public:
  explicit SelfSwitchingEffect(ZR_Buffer* buffer) : buffer_(buffer) {}
  void process() override {
    first = samples(buffer_);
    setOn(!on.load());
    second = samples(buffer_);
  }
  int32_t* first = nullptr;
  int32_t* second = nullptr;

 private:
  ZR_Buffer* buffer_;
};

TEST_F(Effect, TheOnFlagIsSteadyWithinABlock) {
  TestGraph graph(4);
  ZR_Buffer* buffer = graph.buffer();
  SelfSwitchingEffect* node = new SelfSwitchingEffect(buffer);
  graph.process(4);  // steady, flips itself off for the next block
  EXPECT_EQ(node->first, node->second);
  graph.process(4);  // switch-off block, flips itself on again
  EXPECT_EQ(node->first, buffer->shadow);
  EXPECT_EQ(node->second, buffer->shadow);
  delete node;
}

}  // namespace
