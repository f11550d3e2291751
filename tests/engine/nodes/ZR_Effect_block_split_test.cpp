// Every stateful node gives the same output whether a signal comes as one block of 4096 samples
// or in random block lengths of 1 to 512. Not here, because their output depends on the blocks by
// design: the frequency multipliers (a period is copied when its crossing arrives and the ring is
// read a block's worth behind, so a short block can read entries a long one would already have
// written), the oversampler (its output length is its buffer's own, not the block's) and white noise
// (each block is filled from its end).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"

namespace {

struct NodeCase {
  const char* name;
  const char* command;  // creates the node from buffer %o to buffer %o at 44.1 kHz
};

class StatefulNode : public EngineTest, public testing::WithParamInterface<NodeCase> {
 protected:
  // The output buffer holds old before each block, so the modes that merge have something to merge
  // into.
  std::vector<int32_t> run(const std::vector<int32_t>& x, const std::vector<int32_t>& old, uint32_t seed) {
    const int32_t total = static_cast<int32_t>(x.size());
    TestGraph graph(total);
    ZR_Buffer* in = graph.buffer();
    ZR_Buffer* out = graph.buffer();
    graph.make<ZR_Object>(GetParam().command, in, out);
    graph.end();
    std::vector<int32_t> y(x.size());
    forRandomBlocks(x.size(), seed, [&](size_t done, int32_t n) {
      std::copy_n(x.begin() + done, n, in->main);
      std::copy_n(old.begin() + done, n, out->main);
      graph.process(n);
      std::copy_n(out->main, n, y.begin() + done);
    });
    return y;
  }
};

TEST_P(StatefulNode, BlockLengthsDoNotChangeTheOutput) {
  const std::vector<int32_t> x = testNoise(4096, 77, 1 << 30), old = testNoise(4096, 78, 1 << 29);
  const std::vector<int32_t> whole = run(x, old, 0);
  EXPECT_EQ(run(x, old, 1), whole);
  EXPECT_EQ(run(x, old, 2), whole);
  EXPECT_NE(whole, x) << "the node does something";
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, StatefulNode,
    testing::Values(
        NodeCase{"lopass", "ZR_Effect_Lopass -i %o -o %o -clock 44100 -f 1000"},
        NodeCase{"lopass_sub", "ZR_Effect_Lopass -i %o -o %o -clock 44100 -f 300 -mode sub"},
        NodeCase{"hipass", "ZR_Effect_Hipass -i %o -o %o -clock 44100 -f 1000"},
        NodeCase{"bapass", "ZR_Effect_Bapass -i %o -o %o -clock 44100 -q .618 -f 1000"},
        NodeCase{"bapass_stn", "ZR_Effect_Bapass -i %o -o %o -clock 44100 -q .618 -f 5000 -mode stn"},
        NodeCase{"bapass_floating", "ZR_Effect_Bapass -i %o -o %o -clock 44100 -q .618 -f 1000 -a floating"},
        NodeCase{
            "deline",
            "ZR_Effect_Deline -i %o -clock 44100 -g 0 -go %o -ga 0.9 -gf 0.5 -d 0 -dt 9 -da 1.0 -d 0 -dt "
            "0.007 -da -0.5"},
        NodeCase{"deline_add_two_groups",
                 "ZR_Effect_Deline -i %o -mode add -g 0 -gf 0.3 -d 0 -dt 1000 -da 0.7 -g 0 -go %o -ga 0.5 "
                 "-d 0 -dt 3 "
                 "-da 0.25"},
        NodeCase{"lgd", "ZR_Effect_Lgd -i %o -o %o -c 0.2"},
        NodeCase{"dist", "ZR_Effect_Dist -i %o -o %o -clock 44100 -k 0.001 -d 0.25"},
        NodeCase{"dist_odd", "ZR_Effect_Dist -i %o -o %o -clock 44100 -k 0.01 -l 1"},
        NodeCase{"ampdet", "ZR_Effect_Ampdet -i %o -o %o -clock 44100 -f1 1000 -f2 10"},
        NodeCase{"ampdet_adn", "ZR_Effect_Ampdet -i %o -o %o -clock 44100 -f1 300 -f2 30 -mode adn"},
        NodeCase{"shift", "ZR_Effect_Shift -i %o -o %o -clock 44100 -s 1000"},
        NodeCase{"shift_down", "ZR_Effect_Shift -i %o -o %o -clock 44100 -s -3000 -p 100000"},
        NodeCase{"nshift", "ZR_Effect_Nshift -i %o -o %o -clock 44100 -s 700"},
        // A generator has no input: the first "-o" takes the input buffer and the second replaces it.
        NodeCase{"gener_exp", "ZR_Gener_Exp -o %o -o %o -clock 44100 -beg 0.01 -time 0.02"}),
    [](const testing::TestParamInfo<NodeCase>& info) { return std::string(info.param.name); });

}  // namespace
