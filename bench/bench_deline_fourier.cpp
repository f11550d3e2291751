// The delay network, the Fourier transform and the noise gate through their soundpipe, in ns per
// sample at block 512; the noise gate on an input spectrum of 2048 words also as a multiple of real
// time at 44.1 kHz (the "x_realtime" counter: seconds of audio per second of one core).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "TestSignal.h"
#include "classes/ZR_exec.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"

namespace {

constexpr int32_t kBlock = 512;

// A soundpipe of block 512 with an input buffer of noise and a node made by command from it; the
// command gets the input, the output twice and a spectrum buffer for its %o.
class NodeGraph {
 public:
  NodeGraph(const char* command, int32_t spectrumLength) {
    ZR_exec("ZR_Soundpipe -bl %i", &pipe_, kBlock);
    ZR_exec("ZR_Buffer", &input_);
    ZR_exec("ZR_Buffer", &output_);
    ZR_exec("ZR_Buffer -l %i", &spectrum_, spectrumLength);
    ZR_exec(command, &node_, input_, output_, output_, spectrum_);
    int32_t ended = 0;
    ZR_exec("ZR_Soundpipe %o -e", pipe_, &ended);
    const std::vector<int32_t> x = testNoise(kBlock, 3, 1 << 28);
    std::copy(x.begin(), x.end(), input_->main);
    std::copy(x.begin(), x.begin() + std::min(kBlock, spectrum_->count), spectrum_->main);
  }
  ~NodeGraph() {
    for (ZR_Object* object : {node_, static_cast<ZR_Object*>(spectrum_), static_cast<ZR_Object*>(output_),
                              static_cast<ZR_Object*>(input_), static_cast<ZR_Object*>(pipe_)})
      ZR_exec("%o -delete", object);
  }
  NodeGraph(const NodeGraph&) = delete;
  NodeGraph& operator=(const NodeGraph&) = delete;

  void block() { pipe_->process(); }

 private:
  ZR_Soundpipe* pipe_ = nullptr;
  ZR_Buffer* input_ = nullptr;
  ZR_Buffer* output_ = nullptr;
  ZR_Buffer* spectrum_ = nullptr;
  ZR_Object* node_ = nullptr;
};

void timeNode(benchmark::State& state, const char* command, int32_t spectrumLength = 16) {
  NodeGraph graph(command, spectrumLength);
  for (auto _ : state) graph.block();
  state.counters["per_sample"] =
      benchmark::Counter(kBlock, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] =
      benchmark::Counter(kBlock / 44100.0, benchmark::Counter::kIsIterationInvariantRate);
}

// An echo with four taps and feedback, the network's usual size.
void deline(benchmark::State& state) {
  timeNode(state,
           "ZR_Effect_Deline -i %o -clock 44100 -g 0 -go %o -gf 0.4 -d 0 -dt 4410 -da 0.5 -d 0 -dt 0.15 "
           "-da 0.3 "
           "-d 0 -dt 9000 -da 0.2 -d 0 -dt 0.3 -da 0.1");
}

void transformForward(benchmark::State& state) {
  timeNode(state, "ZR_Fourier_Transform -i %o -s 9 -win sin");
}

void transformBackward(benchmark::State& state) {
  timeNode(state, "ZR_Fourier_Transform -i %o -d backward -s 9");
}

// The input spectrum of 2048 words gives N = 1024; the signal comes in hops of half a window.
void noisegate(benchmark::State& state) {
  timeNode(state, "ZR_Fourier_Noisegate -s %o -o1 %o -o2 %o -i %o -a 1", 2048);
}

BENCHMARK(deline);
BENCHMARK(transformForward);
BENCHMARK(transformBackward);
BENCHMARK(noisegate);

}  // namespace

BENCHMARK_MAIN();
