// The cost per sample of each level, envelope, generator, multiplier and shifter node, as the
// soundpipe runs it: one node between noise in and a buffer out, blocks of 512 samples.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "TestGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"

namespace {

constexpr int32_t kBlock = 512;

struct NodeBench {
  const char* name;
  const char* command;   // from %o (input) to %o (output), a third %o where the node has one
  int32_t outputLength;  // -1: follows the block
};

const NodeBench kNodes[] = {
    {"gtzero", "ZR_Effect_Gtzero -i %o -o %o", -1},
    {"ltzero", "ZR_Effect_Ltzero -i %o -o %o", -1},
    {"lgd", "ZR_Effect_Lgd -i %o -o %o", -1},
    {"dist", "ZR_Effect_Dist -i %o -o %o -clock 44100 -k 0.01", -1},
    {"ampdet", "ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100 -f1 1000 -f2 10", -1},
    {"oversam", "ZR_Effect_Oversam -i %o -o %o", 8 * kBlock},
    {"gener_white", "ZR_Gener_White -o %o -o %o", -1},
    {"gener_exp", "ZR_Gener_Exp -o %o -o %o -clock 44100 -beg 0.1 -time 0.5", -1},
    {"freqmul", "ZR_Effect_Freqmul -i %o -o %o -clock 44100 -k 2", -1},
    {"nefreqmul", "ZR_Effect_Nefreqmul -i %o -o %o -clock 44100 -k 2", -1},
    {"shift", "ZR_Effect_Shift -i %o -o %o -clock 44100 -s 1000", -1},
    {"nshift", "ZR_Effect_Nshift -i %o -o %o -clock 44100 -s 1000", -1},
};

// Reports the time per input sample (shown in seconds: "2.1n" is 2.1 ns per sample).
void runNode(benchmark::State& state, const NodeBench* node) {
  TestGraph graph(kBlock);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.make<ZR_Buffer>("ZR_Buffer -l %i", node->outputLength);
  ZR_Buffer* extra = graph.buffer();
  graph.make<ZR_Object>(node->command, in, out, extra);
  graph.end();
  // A 440 Hz sine with noise on top: the multipliers see zero crossings, the limiters clip.
  const std::vector<int32_t> sine = testSine(kBlock, 440, 44100, 1 << 29);
  const std::vector<int32_t> noise = testNoise(kBlock, 11, 1 << 26);
  for (int32_t i = 0; i < kBlock; ++i) in->main[i] = sine[i] + noise[i];
  ZR_Soundpipe* pipe = graph.pipe();
  for (auto _ : state) {
    ZR_Soundpipe::m_bl(pipe, ZR_value::integer(kBlock));
    pipe->process();
    benchmark::DoNotOptimize(out->main);
  }
  state.counters["per_sample"] =
      benchmark::Counter(kBlock, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

[[maybe_unused]] const bool kRegistered = [] {
  for (const NodeBench& node : kNodes) benchmark::RegisterBenchmark(node.name, runNode, &node);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
