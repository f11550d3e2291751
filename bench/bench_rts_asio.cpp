// copyBuffer between an ASIO driver's 32-bit integer channels (ASIOSTInt32LSB) and the client's
// float buffers, both ways, against a plain scalar loop doing the same arithmetic, in ns per sample
// at the block sizes drivers prefer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "rts/ZR_Rts.h"
#include "rts/ZR_Rts_format.h"

namespace {

constexpr uint32_t kAsioInt32 = 0x00002004;

struct Block {
  explicit Block(int32_t frames) : ints(static_cast<size_t>(frames)), floats(static_cast<size_t>(frames)) {
    for (int32_t i = 0; i < frames; ++i) ints[static_cast<size_t>(i)] = static_cast<int32_t>(i * 2654435761u);
    for (int32_t i = 0; i < frames; ++i)
      floats[static_cast<size_t>(i)] = static_cast<float>(i % 200 - 100) / 99.0f;
    asio.buffer = reinterpret_cast<uint8_t*>(ints.data());
    asio.format = kAsioInt32;
    client.buffer = reinterpret_cast<uint8_t*>(floats.data());
    client.format = ZR_RTS_FORMAT_FLOAT32;
    asio.count = client.count = frames;
  }
  std::vector<int32_t> ints;
  std::vector<float> floats;
  ZR_Rts::Chan asio, client;
};

void perSample(benchmark::State& state) {
  state.counters["ns/sample"] = benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_copyBuffer_AsioInt32ToFloat(benchmark::State& state) {
  Block b(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ZR_Rts::copyBuffer(&b.client, &b.asio));
    benchmark::ClobberMemory();
  }
  perSample(state);
}

// The same conversion written out: v / (2^31 - 1) in extended precision, limited below at -1.
void BM_scalar_AsioInt32ToFloat(benchmark::State& state) {
  Block b(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    for (size_t i = 0; i < b.ints.size(); ++i) {
      double x = static_cast<double>(static_cast<long double>(b.ints[i]) * (1.0L / 2147483647.0L));
      b.floats[i] = static_cast<float>(x < -1.0 ? -1.0 : x);
    }
    benchmark::ClobberMemory();
  }
  perSample(state);
}

void BM_copyBuffer_FloatToAsioInt32(benchmark::State& state) {
  Block b(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ZR_Rts::copyBuffer(&b.asio, &b.client));
    benchmark::ClobberMemory();
  }
  perSample(state);
}

// The same conversion written out: limited to [-1, 1] (not a number to 0), times 2^31 - 1, truncated.
void BM_scalar_FloatToAsioInt32(benchmark::State& state) {
  Block b(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    for (size_t i = 0; i < b.ints.size(); ++i) {
      double x = b.floats[i];
      x = x > 1.0 ? 1.0 : x >= -1.0 ? x : x < -1.0 ? -1.0 : 0.0;
      b.ints[i] = static_cast<int32_t>(x * 2147483647.0);
    }
    benchmark::ClobberMemory();
  }
  perSample(state);
}

BENCHMARK(BM_copyBuffer_AsioInt32ToFloat)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(BM_scalar_AsioInt32ToFloat)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(BM_copyBuffer_FloatToAsioInt32)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(BM_scalar_FloatToAsioInt32)->Arg(64)->Arg(256)->Arg(1024);

}  // namespace

BENCHMARK_MAIN();
