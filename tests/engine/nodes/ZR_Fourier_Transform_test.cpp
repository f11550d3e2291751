#include "engine/nodes/ZR_Fourier_Transform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"
#include "engine/nodes/ZR_Fourier_Twiddles.h"

namespace {

using Transform = EngineTest;

// A transform of s = 2 (N = 8) reading a buffer of inputLength words.
struct TransformGraph {
  explicit TransformGraph(int32_t inputLength, const char* settings = "") : graph(inputLength) {
    in = graph.make<ZR_Buffer>("ZR_Buffer -l %i", inputLength);
    node = graph.make<ZR_Fourier_Transform>("ZR_Fourier_Transform -i %o -s 2", in);
    if (*settings) ZR_exec((std::string("%o ") + settings).c_str(), node);
    ZR_exec("%o -w", node, &spectrum);
    graph.end();
  }
  std::vector<int32_t> run(const std::vector<int32_t>& x) {
    std::copy(x.begin(), x.end(), in->main);
    graph.process(static_cast<int32_t>(x.size()));
    return std::vector<int32_t>(spectrum->main, spectrum->main + spectrum->count);
  }

  TestGraph graph;
  ZR_Buffer* in = nullptr;
  ZR_Fourier_Transform* node = nullptr;
  ZR_Buffer* spectrum = nullptr;
};

struct ExampleCase {
  const char* name;
  const char* settings;
  std::vector<int32_t> input;
  std::vector<int32_t> spectrum;  // N = 8 values, real and imaginary interleaved
};

class TransformExample : public EngineTest, public testing::WithParamInterface<ExampleCase> {};

TEST_P(TransformExample, GivesTheWorkedSpectrum) {
  const ExampleCase& c = GetParam();
  TransformGraph g(static_cast<int32_t>(c.input.size()), c.settings);
  EXPECT_EQ(g.run(c.input), c.spectrum);
}

const std::vector<int32_t> kSine = {0, 707, 1000, 707, 0, -707, -1000, -707};  // 1000 sin(2 pi n / 8)
const std::vector<int32_t> kTurn = {1000,  0, 707,  707,  0, 1000,  -707, 707,
                                    -1000, 0, -707, -707, 0, -1000, 707,  -707};

INSTANTIATE_TEST_SUITE_P(
    SizeTwo, TransformExample,
    testing::Values(
        ExampleCase{"constant",
                    "",
                    std::vector<int32_t>(8, 1000),
                    {1000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        ExampleCase{"constant_sine_window",
                    "-win sin",
                    std::vector<int32_t>(8, 1000),
                    {499, 0, -250, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -250, 0}},
        ExampleCase{"sine", "", kSine, {0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -500}},
        ExampleCase{"backward", "-d backward", {0, 0, 1000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kTurn},
        // Fed four words instead of sixteen, the backward transform reads what is there.
        ExampleCase{"backward_short_input", "-d backward", {0, 0, 1000, 0}, kTurn},
        // Of a block longer than N only the last N samples count.
        ExampleCase{"long_block",
                    "",
                    {5555, 5555, 5555, 5555, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000},
                    {1000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<ExampleCase>& info) { return std::string(info.param.name); });

TEST_F(Transform, TheRingKeepsTheLastNSamplesOldestFirst) {
  TransformGraph g(4);
  g.run({1000, 1000, 1000, 1000});
  // Ring: 0 0 0 0 1000 1000 1000 1000; X[0] is their mean.
  EXPECT_EQ(g.run({1000, 1000, 1000, 1000})[0], 1000);
  g.node->reset();
  EXPECT_EQ(g.run({1000, 1000, 1000, 1000})[0], 500);
}

TEST_F(Transform, UnknownTextsLeaveDirectionAndWindow) {
  TransformGraph g(8, "-d backward -win sin");
  const char* direction = nullptr;
  const char* window = nullptr;
  ZR_exec("%o -d sideways -d -win hann -win", g.node, &direction, &window);
  EXPECT_STREQ(direction, "backward");
  EXPECT_STREQ(window, "sin");
  ZR_exec("%o -d forward -d -win none -win", g.node, &direction, &window);
  EXPECT_STREQ(direction, "forward");
  EXPECT_STREQ(window, "none");
}

TEST_F(Transform, SizesOutsideTheTableAreRefused) {
  TransformGraph g(8);
  for (const char* command : {"%o -s 12 -s", "%o -s -1 -s", "%o -s 2147483647 -s", "%o -s 1e30 -s"}) {
    int32_t s = -5;
    ZR_exec(command, g.node, &s);
    EXPECT_EQ(s, 2) << command;
    EXPECT_EQ(g.spectrum->count, 16) << command;
    EXPECT_EQ(g.node->history->count, 8) << command;
  }
  ZR_exec("%o -s 11", g.node);
  EXPECT_EQ(g.spectrum->count, 8192);
  EXPECT_EQ(g.node->history->count, 4096);
}

// N = 2048 equal values of 2097151 sum to N x 2097151, beyond 32 bits: the backward result
// saturates instead of wrapping or trapping.
TEST_F(Transform, AnUnscaledBackwardResultBeyondTheWordSaturates) {
  std::vector<int32_t> flat(4096);
  for (size_t m = 0; m < flat.size(); m += 2) flat[m] = 2097151;
  TransformGraph g(4096, "-d backward -s 10");
  const std::vector<int32_t> y = g.run(flat);
  EXPECT_EQ(y[0], INT32_MAX);
  EXPECT_EQ(y[1], 0);
}

TEST_F(Transform, WithoutInputTheBlockIsSkipped) {
  TransformGraph g(8);
  ZR_exec("%o -i 0", g.node);
  std::fill(g.spectrum->main, g.spectrum->main + 16, 123);
  g.graph.process(8);
  EXPECT_EQ(std::vector<int32_t>(g.spectrum->main, g.spectrum->main + 16), std::vector<int32_t>(16, 123));
}

TEST_F(Transform, TheCostIsPrintedEveryHundredthBlockWhileDebugIsOn) {
  TransformGraph g(8, "-debug 1");
  testing::internal::CaptureStdout();
  for (int32_t block = 1; block < 100; ++block) g.graph.process(8);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  testing::internal::CaptureStdout();
  g.graph.process(8);
  const std::string line = testing::internal::GetCapturedStdout();
  EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
  testing::internal::CaptureStdout();
  ZR_exec("%o -debug 0", g.node);
  for (int32_t block = 0; block < 100; ++block) g.graph.process(8);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(FourierTwiddles, AreBuiltOnceWhenTwoThreadsAskFirst) {
  ZR_Fourier_Twiddles table;
  const ZR_Fourier_Twiddles::Entry* seen[2] = {};
  std::thread first([&] { seen[0] = table.entries(); });
  std::thread second([&] { seen[1] = table.entries(); });
  first.join();
  second.join();
  EXPECT_EQ(seen[0], seen[1]);
  EXPECT_EQ(table.builds(), 1);
  EXPECT_EQ(seen[0][0].c, 2147483647);
  EXPECT_EQ(seen[0][0].s, 0);
  EXPECT_EQ(seen[0][512].c, 1518500249);  // cos(pi / 4) (2^31 - 1), truncated
  EXPECT_EQ(seen[0][512].s, 1518500249);
  EXPECT_EQ(seen[0][1024].c, 0);
  EXPECT_EQ(seen[0][1024].s, 2147483647);
}

}  // namespace
