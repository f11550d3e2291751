// Level, envelope, generator, multiplier and shifter nodes stay inside their buffers: a missing
// buffer or an input without storage skips the block, and a short output is written only as far as
// it reaches.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

struct BoundsCase {
  const char* name;
  const char* command;  // every "%o" a buffer; the first is the input unless hasInput is false
  bool hasInput;
};

constexpr int32_t kSentinel = 0x5A5A5A5A;

class NodeBounds : public EngineTest, public testing::WithParamInterface<BoundsCase> {
 protected:
  // Makes the node with its buffers (the first of the given length setting, the others of
  // outputLength), fills everything with the sentinel and runs one block of 16 samples.
  void runBlock(int32_t firstLength, int32_t outputLength, bool withoutFirst) {
    graph_ = std::make_unique<TestGraph>(16);
    buffers_.clear();
    const BoundsCase& c = GetParam();
    size_t count = 0;
    for (const char* p = std::strstr(c.command, "%o"); p; p = std::strstr(p + 2, "%o")) ++count;
    for (size_t k = 0; k < count; ++k)
      buffers_.push_back(graph_->make<ZR_Buffer>("ZR_Buffer -l %i", k == 0 ? firstLength : outputLength));
    std::vector<ZR_Buffer*> given = buffers_;
    if (withoutFirst) given[0] = nullptr;
    while (given.size() < 3) given.push_back(nullptr);
    graph_->make<ZR_Object>(c.command, given[0], given[1], given[2]);
    graph_->end();
    for (ZR_Buffer* b : buffers_)
      for (int32_t i = 0; i < 2 * b->count; ++i) b->main[i] = kSentinel;
    if (c.hasInput)
      for (int32_t i = 0; i < buffers_[0]->count; ++i) buffers_[0]->main[i] = i % 2 ? (1 << 30) : -(1 << 29);
    graph_->process(16);
  }
  // Samples of the outputs (from the first one on that the node may write) that changed, in main
  // and then shadow.
  int32_t changed(size_t from) const {
    int32_t n = 0;
    for (size_t k = from; k < buffers_.size(); ++k)
      for (int32_t i = 0; i < 2 * buffers_[k]->count; ++i) n += buffers_[k]->main[i] != kSentinel;
    return n;
  }
  bool shadowsUntouched() const {
    for (ZR_Buffer* b : buffers_)
      for (int32_t i = 0; i < b->count; ++i)
        if (b->shadow[i] != kSentinel) return false;
    return true;
  }

  std::unique_ptr<TestGraph> graph_;
  std::vector<ZR_Buffer*> buffers_;
};

TEST_P(NodeBounds, AMissingBufferSkipsTheBlock) {
  runBlock(-1, -1, true);
  EXPECT_EQ(changed(GetParam().hasInput ? 1 : 0), 0);
}

TEST_P(NodeBounds, AnInputWithoutStorageSkipsTheBlock) {
  if (!GetParam().hasInput) GTEST_SKIP() << "a generator has no input";
  runBlock(0, -1, false);
  EXPECT_EQ(changed(1), 0);
}

TEST_P(NodeBounds, AShortOutputIsWrittenOnlyAsFarAsItReaches) {
  runBlock(GetParam().hasInput ? -1 : 5, 5, false);
  EXPECT_TRUE(shadowsUntouched());
  EXPECT_GT(changed(GetParam().hasInput ? 1 : 0), 0) << "the node ran";
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NodeBounds,
    testing::Values(BoundsCase{"gtzero", "ZR_Effect_Gtzero -i %o -o %o -l 5", true},
                    BoundsCase{"ltzero", "ZR_Effect_Ltzero -i %o -o %o -l 5", true},
                    BoundsCase{"lgd", "ZR_Effect_Lgd -i %o -o %o", true},
                    BoundsCase{"dist", "ZR_Effect_Dist -i %o -o %o", true},
                    BoundsCase{"ampdet", "ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100", true},
                    BoundsCase{"oversam", "ZR_Effect_Oversam -i %o -o %o", true},
                    BoundsCase{"gener_white", "ZR_Gener_White -o %o", false},
                    BoundsCase{"gener_exp", "ZR_Gener_Exp -o %o -clock 44100", false},
                    BoundsCase{"freqmul", "ZR_Effect_Freqmul -i %o -o %o -clock 44100", true},
                    BoundsCase{"nefreqmul", "ZR_Effect_Nefreqmul -i %o -o %o -clock 44100", true},
                    BoundsCase{"shift", "ZR_Effect_Shift -i %o -o %o -clock 44100", true},
                    BoundsCase{"nshift", "ZR_Effect_Nshift -i %o -o %o -clock 44100", true}),
    [](const testing::TestParamInfo<BoundsCase>& info) { return std::string(info.param.name); });

}  // namespace
