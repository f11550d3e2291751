// The engine's cost per sample: each kernel family, and the product graph's whole soundpipe pass
// (input copy, low-pass, band-pass in "sub", output copy), at block lengths 64, 512 and 4096.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "ProductGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Soundpipe.h"
#include "engine/kernels/ZR_kern_ampdet.h"
#include "engine/kernels/ZR_kern_bapass.h"
#include "engine/kernels/ZR_kern_copy.h"
#include "engine/kernels/ZR_kern_fade.h"
#include "engine/kernels/ZR_kern_mode.h"
#include "engine/kernels/ZR_kern_onepole.h"
#include "engine/kernels/ZR_kern_oper.h"

namespace {

// Reports the time per sample (the counter is shown in seconds: "2.1n" is 2.1 ns per sample).
void perSample(benchmark::State& state, int64_t n) {
  state.counters["per_sample"] = benchmark::Counter(
      static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

struct Arrays {
  explicit Arrays(int32_t n) : in1(testNoise(n, 1, 1 << 30)), in2(testNoise(n, 2, 1 << 30)), out(n) {}
  std::vector<int32_t> in1, in2, out;
};

// Times one kernel call per iteration on noise blocks of state.range(0) samples.
template <typename Call>
void timeKernel(benchmark::State& state, Call call) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  Arrays a(n);
  for (auto _ : state) {
    call(a, n);
    benchmark::DoNotOptimize(a.out.data());
  }
  perSample(state, n);
}

void lopass(benchmark::State& state) {
  const uint32_t coefficient = 535616699;
  int32_t b = 0;
  timeKernel(state, [&](Arrays& a, int32_t n) {
    ZR_kern_lopass[ZR_MODE_SET](a.in1.data(), a.out.data(), n, &coefficient, &b);
  });
}

void hipass(benchmark::State& state) {
  int32_t b = 0;
  timeKernel(state,
             [&](Arrays& a, int32_t n) { ZR_kern_hipass(a.in1.data(), a.out.data(), n, 535616699, &b); });
}

void copy(benchmark::State& state) {
  timeKernel(state,
             [](Arrays& a, int32_t n) { ZR_kern_copy[ZR_MODE_SET](a.in1.data(), a.out.data(), n, 1, 1); });
}

void oper(benchmark::State& state) {
  const int32_t oper = static_cast<int32_t>(state.range(1));
  timeKernel(state, [&](Arrays& a, int32_t n) {
    ZR_kern_oper[oper * ZR_MODE_COUNT + ZR_MODE_SET](a.in1.data(), a.in2.data(), a.out.data(), n);
  });
}

void koef(benchmark::State& state) {
  const int32_t oper = static_cast<int32_t>(state.range(1));
  timeKernel(state, [&](Arrays& a, int32_t n) {
    ZR_kern_koef[oper * ZR_MODE_COUNT + ZR_MODE_SET](a.in1.data(), a.out.data(), n, 16909320);
  });
}

void bapass(benchmark::State& state) {
  int32_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  timeKernel(state, [&](Arrays& a, int32_t n) {
    ZR_kern_bapass[ZR_MODE_SUB](a.in1.data(), a.out.data(), n, 163171937, 285650572, 142825286, &x1, &x2, &y1,
                                &y2);
  });
}

void ampdet(benchmark::State& state) {
  int32_t env = 0;
  timeKernel(state, [&](Arrays& a, int32_t n) {
    ZR_kern_ampdet[ZR_MODE_SET](a.in1.data(), a.out.data(), a.in2.data(), n, 1 << 28, 1 << 20, &env);
  });
}

void fade(benchmark::State& state) {
  timeKernel(state, [](Arrays& a, int32_t n) { ZR_kern_fade_a(a.out.data(), a.in1.data(), n); });
}

// The product graph's pass as the plug-in runs it per engine block: set the block length, process.
void productGraph(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  ProductGraph graph(44100, 1500, n);
  const std::vector<int32_t> x = testNoise(static_cast<size_t>(n), 3, 1 << 30);
  std::vector<int32_t> y(static_cast<size_t>(n));
  graph.block(x.data(), y.data(), n);
  ZR_Soundpipe* pipe = graph.graph.pipe();
  for (auto _ : state) {
    ZR_Soundpipe::m_bl(pipe, ZR_value::integer(n));
    pipe->process();
  }
  perSample(state, n);
}

const std::vector<int64_t> kBlocks = {64, 512, 4096};

BENCHMARK(lopass)->ArgsProduct({kBlocks});
BENCHMARK(hipass)->ArgsProduct({kBlocks});
BENCHMARK(copy)->ArgsProduct({kBlocks});
BENCHMARK(oper)->ArgsProduct({kBlocks, {ZR_OPER_ADD, ZR_OPER_SUB, ZR_OPER_MUL, ZR_OPER_DIV}});
BENCHMARK(koef)->ArgsProduct({kBlocks, {ZR_OPER_ADD, ZR_OPER_SUB, ZR_OPER_MUL, ZR_OPER_DIV}});
BENCHMARK(bapass)->ArgsProduct({kBlocks});
BENCHMARK(ampdet)->ArgsProduct({kBlocks});
BENCHMARK(fade)->ArgsProduct({kBlocks});
BENCHMARK(productGraph)->ArgsProduct({kBlocks});

}  // namespace

BENCHMARK_MAIN();
