#include "engine/nodes/ZR_Effect_Deline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"
#include "engine/nodes/ZR_Effect_Deline_Group.h"
#include "engine/nodes/ZR_Effect_Deline_Group_Delay.h"

namespace {

using Deline = EngineTest;

// A network from buffer in to buffer out, built by the given command (in and out as its %o), run
// in blocks of up to 64 samples.
struct DelineGraph {
  explicit DelineGraph(const char* command, int32_t block = 64) : graph(block), block(block) {
    node = graph.make<ZR_Effect_Deline>(command, in, out);
    graph.end();
  }
  // The output for an input that is x at sample 0 and 0 after it, over length samples.
  std::vector<int32_t> impulse(int32_t x, int32_t length) {
    std::vector<int32_t> input(static_cast<size_t>(length), 0);
    input[0] = x;
    return run(input);
  }
  std::vector<int32_t> run(const std::vector<int32_t>& input) {
    std::vector<int32_t> y;
    for (size_t done = 0; done < input.size(); done += static_cast<size_t>(block)) {
      const int32_t n =
          static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(block), input.size() - done));
      std::copy(input.begin() + static_cast<ptrdiff_t>(done),
                input.begin() + static_cast<ptrdiff_t>(done) + n, in->main);
      graph.process(n);
      y.insert(y.end(), out->main, out->main + n);
    }
    return y;
  }
  template <typename T>
  T option(const char* command) {
    T result{};
    EXPECT_EQ(ZR_exec(command, node, &result), ZR_OK) << command;
    return result;
  }

  TestGraph graph;
  int32_t block;
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Effect_Deline* node = nullptr;
};

// "-g 0" and "-d 0" make a group and a tap, as "-g" and "-d" without a value do, but take no
// pointer argument for a result.
const char* const kTenSamples = "ZR_Effect_Deline -i %o -g 0 -go %o -ga 1.0 -d 0 -dt 9 -da 1.0";

TEST_F(Deline, AnImpulseComesOutTenSamplesLaterLessTwoRoundings) {
  for (const int32_t x : {1000, -1000}) {
    DelineGraph g(kTenSamples);
    const std::vector<int32_t> y = g.impulse(x, 30);
    std::vector<int32_t> expected(30, 0);
    expected[10] = x > 0 ? 998 : -1000;
    EXPECT_EQ(y, expected) << x;
  }
}

TEST_F(Deline, AQueryOfGOrDMakesAGroupOrTapAndAnswersIt) {
  DelineGraph g("ZR_Effect_Deline -i %o");
  ZR_Object* group = nullptr;
  ZR_Object* tap = nullptr;
  ZR_exec("%o -g -go %o -d", g.node, &group, g.out, &tap);
  EXPECT_EQ(group, g.node->currentGroup);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(tap, g.node->currentGroup->currentTap);
  EXPECT_NE(tap, nullptr);
  EXPECT_EQ(g.node->programLength, 6);
}

TEST_F(Deline, FeedbackRepeatsTheImpulseEveryTenSamplesAtAboutHalf) {
  DelineGraph g(kTenSamples);
  EXPECT_EQ(g.option<int32_t>("%o -gf 0.5 -gf"), 4194303);
  const std::vector<int32_t> y = g.impulse(1 << 20, 60);
  for (int32_t k = 1; k <= 5; ++k) {
    const double expected = (1 << 20) * std::pow(0.5, k - 1);
    EXPECT_NEAR(y[static_cast<size_t>(10 * k)], expected, 4 * k) << k;
    EXPECT_EQ(y[static_cast<size_t>(10 * k - 1)], 0) << k;
  }
}

TEST_F(Deline, ATimeInSecondsIsTakenAtTheClock) {
  DelineGraph g("ZR_Effect_Deline -i %o -clock 48000 -g 0 -go %o -d 0 -dt 0.25 -da 1.0", 4096);
  const std::vector<int32_t> y = g.impulse(1 << 24, 12288);
  int32_t first = -1;
  for (size_t i = 0; i < y.size() && first < 0; ++i)
    if (y[i] != 0) first = static_cast<int32_t>(i);
  EXPECT_EQ(first, 12001);
}

TEST_F(Deline, GainsAreFractionsAndSaturate) {
  DelineGraph g(kTenSamples);
  const ZR_Effect_Deline_Group* group = g.node->currentGroup;
  struct Case {
    const char* command;
    const int32_t* word;
    int32_t expected;
  };
  for (const Case& c :
       {Case{"%o -da 2.0", &group->currentTap->weight, INT32_MAX},
        Case{"%o -da -2.0", &group->currentTap->weight, INT32_MIN},
        Case{"%o -da 0.5", &group->currentTap->weight, 1073741823},
        Case{"%o -da", &group->currentTap->weight, 0},  // no value: the weight 0
        Case{"%o -ga 1e30", &group->amplitude, INT32_MAX}, Case{"%o -gf -1e30", &group->feedback, INT32_MIN},
        Case{"%o -ga 2.0", &group->amplitude, 16777214}}) {
    int32_t answer = 0;
    ZR_exec(c.command, g.node, &answer);
    EXPECT_EQ(*c.word, c.expected) << c.command;
  }
  // A full-scale impulse through the saturated gains wraps without trapping.
  ZR_exec("%o -da 2.0 -ga 1e30 -gf 1e30", g.node);
  EXPECT_EQ(g.impulse(INT32_MIN, 40).size(), 40u);
}

TEST_F(Deline, ATapTimeOfMinusOneIsNotTheEndOfItsGroup) {
  // A second tap behind the one of time -1: read as a group marker, the first tap's weight would
  // become an amplitude and the second tap a group of its own.
  DelineGraph g("ZR_Effect_Deline -i %o -g 0 -go %o -d 0 -dt -1 -da 1.0 -d 0 -dt 9 -da 1.0");
  std::vector<int32_t> expected(30, 0);
  expected[10] = 998;
  EXPECT_EQ(g.impulse(1000, 30), expected);
}

TEST_F(Deline, ATimeOfMinusOneDelaysByTheWholeRing) {
  DelineGraph g("ZR_Effect_Deline -i %o -g 0 -go %o -d 0 -dt -1 -da 1.0", 4096);
  const std::vector<int32_t> y = g.impulse(1000, 65537);
  EXPECT_EQ(y[65536], 998);
  EXPECT_EQ(std::count(y.begin(), y.end(), 0), 65536);
}

TEST_F(Deline, ClearingAGroupFreesItsTapsAndSilencesIt) {
  DelineGraph g(kTenSamples);
  ZR_Effect_Deline_Group* group = g.node->currentGroup;
  ZR_exec("%o -gc", g.node);
  EXPECT_EQ(group->taps.count, 0);
  EXPECT_EQ(group->currentTap, nullptr);
  EXPECT_EQ(g.node->programLength, 4);
  // No current tap: the tap options do nothing.
  EXPECT_EQ(g.option<float>("%o -dt 5 -dt"), 0.0f);
  g.out->main[10] = 77;
  EXPECT_EQ(g.impulse(1000, 30), std::vector<int32_t>(30, 0));
}

TEST_F(Deline, ResetSilencesTheEchoes) {
  DelineGraph g("ZR_Effect_Deline -i %o -g 0 -go %o -gf 0.9 -d 0 -dt 9 -da 1.0");
  g.impulse(1 << 20, 25);
  g.node->reset();
  EXPECT_EQ(g.impulse(0, 40), std::vector<int32_t>(40, 0));
  const std::vector<int32_t> y = g.impulse(1000, 11);
  EXPECT_EQ(y[10], 998) << "the next input starts a new tail";
}

TEST_F(Deline, OptionsWithoutAGroupOrTapDoNothing) {
  DelineGraph g("ZR_Effect_Deline -i %o");
  ZR_Buffer* other = g.out;
  ZR_Object* tap = reinterpret_cast<ZR_Object*>(1);
  EXPECT_EQ(ZR_exec("%o -go %o -ga 0.5 -gf 0.5 -gc -da 1.0 -dt 9 -d", g.node, other, &tap), ZR_OK);
  EXPECT_EQ(tap, nullptr) << "no tap without a group";
  EXPECT_EQ(g.node->programLength, 0);
  EXPECT_EQ(g.option<int32_t>("%o -ga"), 0);
  g.impulse(1000, 16);  // no groups: the kernel does not run
}

TEST_F(Deline, GroupsAndTapsOfAnotherNodeAreNotSelected) {
  DelineGraph g(kTenSamples);
  DelineGraph h(kTenSamples);
  ZR_Effect_Deline_Group* own = g.node->currentGroup;
  ZR_Effect_Deline_Group_Delay* ownTap = own->currentTap;
  // A query of "g" or "d" makes a new group or tap, so the selection is read from the node.
  ZR_exec("%o -g %o", g.node, h.node->currentGroup);
  EXPECT_EQ(g.node->currentGroup, own);
  ZR_exec("%o -d %o", g.node, h.node->currentGroup->currentTap);
  EXPECT_EQ(own->currentTap, ownTap);
  EXPECT_EQ(g.node->currentGroup, own);
  // A node's own tap selects its group too.
  ZR_exec("%o -g 0", g.node);
  EXPECT_NE(g.node->currentGroup, own);
  ZR_exec("%o -d %o", g.node, ownTap);
  EXPECT_EQ(own->currentTap, ownTap);
  EXPECT_EQ(g.node->currentGroup, own);
}

TEST_F(Deline, AGroupOrTapThatWouldNotFitIsRefused) {
  DelineGraph g("ZR_Effect_Deline -i %o");
  int32_t groups = 0;
  while (groups <= ZR_Effect_Deline::kMaxGroups && ZR_Effect_Deline::m_g(g.node, ZR_EMPTY).value.p &&
         g.node->groups.count > groups)
    ++groups;
  EXPECT_EQ(groups, ZR_Effect_Deline::kMaxGroups);
  EXPECT_EQ(g.node->programLength, ZR_Effect_Deline::kCapacity);
  EXPECT_EQ(ZR_Effect_Deline::m_d(g.node, ZR_EMPTY).value.p, nullptr);

  DelineGraph one("ZR_Effect_Deline -i %o -g 0 -go %o");
  int32_t taps = 0;
  while (taps <= ZR_Effect_Deline::kCapacity && ZR_Effect_Deline::m_d(one.node, ZR_EMPTY).value.p &&
         one.node->currentGroup->taps.count > taps)
    ++taps;
  EXPECT_EQ(taps, (ZR_Effect_Deline::kCapacity - 4) / 2);
  one.impulse(1000, 8);  // the full program compiles and runs
}

TEST_F(Deline, AShortOutputLimitsTheBlock) {
  TestGraph graph(64);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.make<ZR_Buffer>("ZR_Buffer -l 8");
  graph.make<ZR_Effect_Deline>("ZR_Effect_Deline -i %o -g 0 -go %o -d 0 -dt 0 -da 1.0", in, out);
  graph.end();
  for (int32_t i = 0; i < 64; ++i) in->main[i] = 1000;
  graph.process(64);  // eight samples, written inside the output's storage
  EXPECT_EQ(out->main[0], 0);
  EXPECT_EQ(out->main[1], 998);
}

TEST_F(Deline, TheModesMergeIntoTheOutput) {
  struct Case {
    const char* mode;
    int32_t expected;  // out[10] holding 5 before, the network giving 998
  };
  for (const Case& c : {Case{"set", 998}, Case{"add", 1003}, Case{"sub", -993}, Case{"stn", -998},
                        Case{"adn", -1003}, Case{"sbn", 993}}) {
    DelineGraph g(kTenSamples, 32);
    ZR_exec("%o -mode %s", g.node, c.mode);
    std::fill(g.out->main, g.out->main + 32, 5);
    g.in->main[0] = 1000;
    g.graph.process(11);
    EXPECT_EQ(g.out->main[10], c.expected) << c.mode;
  }
}

// Groups and taps are made, changed and cleared on one thread while another runs blocks. The
// audio thread never waits: it runs the program it compiled last whenever an edit holds the node.
TEST_F(Deline, EditingWhileBlocksRunIsSafe) {
  DelineGraph g(kTenSamples, 256);
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    int32_t blocks = 0;
    while (!stop.load() || blocks < 100) {
      g.graph.process(256);
      ++blocks;
    }
  });
  for (int32_t round = 0; round < 300; ++round) {
    ZR_exec("%o -g 0 -go %o -ga 0.5 -gf 0.25 -d 0 -dt 3 -da 0.5 -d 0 -dt 0.001 -da -0.25", g.node, g.out);
    ZR_exec("%o -dt 7 -da 0.125", g.node);
    if (round % 3 == 0) ZR_exec("%o -gc", g.node);
    if (round % 50 == 49) {
      // Clear every group the rounds made, keeping the first.
      for (ZR_Chain_Item* item = g.node->groups.first(); item != g.node->groups.end(); item = item->next)
        ZR_exec("%o -g %o -gc", g.node, item->data);
    }
  }
  stop.store(true);
  audio.join();
  EXPECT_EQ(g.node->groups.count, 301);
}

}  // namespace
