#include "engine/nodes/ZR_Gener_White.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using White = EngineTest;

// Runs f on a thread of its own, which starts a fresh stream.
template <typename F>
void onNewThread(F f) {
  std::thread thread(f);
  thread.join();
}

TEST_F(White, EachThreadStartsTheClassicSequenceFromSeedOne) {
  std::vector<int32_t> first, second;
  auto ten = [](std::vector<int32_t>* r) {
    for (int i = 0; i < 10; ++i) r->push_back(ZR_Gener_White::nextRandom());
  };
  onNewThread([&] { ten(&first); });
  onNewThread([&] { ten(&second); });
  EXPECT_EQ(first, (std::vector<int32_t>{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}));
  EXPECT_EQ(second, first);
}

struct WhiteGraph {
  TestGraph graph{4096};
  ZR_Buffer* out = graph.buffer();
  ZR_Gener_White* node;
  explicit WhiteGraph(const char* command) : node(graph.make<ZR_Gener_White>(command, out)) { graph.end(); }
  std::vector<int32_t> block(int32_t n) {
    std::vector<int32_t> y;
    onNewThread([&] {
      graph.process(n);
      y.assign(out->main, out->main + n);
    });
    return y;
  }
};

// The block is filled from its last sample down: (r - 16384) 2^16.
TEST_F(White, FillsTheBlockFromTheEndWhateverTheMode) {
  for (const char* command : {"ZR_Gener_White -o %o", "ZR_Gener_White -o %o -mode sub"}) {
    WhiteGraph g(command);
    EXPECT_EQ(g.block(4), (std::vector<int32_t>{(26500 - 16384) * 65536, (6334 - 16384) * 65536,
                                                (18467 - 16384) * 65536, (41 - 16384) * 65536}))
        << command;
  }
}

TEST_F(White, StaysWithinHalfOfFullScale) {
  WhiteGraph g("ZR_Gener_White -o %o");
  int32_t lowest = 0, highest = 0;
  onNewThread([&] {
    for (int block = 0; block < 32; ++block) {
      g.graph.process(4096);
      const auto [lo, hi] = std::minmax_element(g.out->main, g.out->main + 4096);
      lowest = std::min(lowest, *lo);
      highest = std::max(highest, *hi);
    }
  });
  EXPECT_EQ(lowest, -1073741824);
  EXPECT_EQ(highest, 1073676288);
}

}  // namespace
