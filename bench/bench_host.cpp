// The standalone host's audio callback on a wave-like device (44.1 kHz, 16-bit stereo interleaved,
// blocks of 441 frames) with 1, 8 and 32 instances of the product on one input, in ns per sample
// per instance, against the bare effect's processReplacing on the same block. The difference is
// the host's own share: the conversions in and out and the mixing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "FakeHostWindow.h"
#include "host/ZR_Host.h"
#include "plugin/VSTPluginMain.h"
#include "rts/ZR_Rts_format.h"

namespace {

constexpr int32_t kFrames = 441;

// Two interleaved 16-bit input channels and two output channels, as the wave device has them.
class WaveLikeRts : public ZR_Rts {
 public:
  WaveLikeRts() : ZR_Rts("Windows"), in_(kFrames * 2), out_(kFrames * 2) {
    uint32_t state = 12345;
    for (int16_t& s : in_) {
      state = state * 1664525u + 1013904223u;
      s = static_cast<int16_t>(state >> 16);
    }
  }
  ~WaveLikeRts() override {
    if (currentMode()) ZR_Rts::free();
  }
  ZR_error init() override {
    modes.insert(new Mode(44100, 16, kFrames, 2));
    inputs.insert(channel("Left", in_.data()));
    inputs.insert(channel("Right", in_.data() + 1));
    return ZR_OK;
  }
  ZR_error mode(Mode* m) override {
    ZR_Rts::mode(m);
    outputs.insert(channel("Left front", out_.data()));
    outputs.insert(channel("Right front", out_.data() + 1));
    return ZR_OK;
  }

 private:
  Chan* channel(const char* name, int16_t* first) {
    auto* c = new Chan;
    std::snprintf(c->name, sizeof c->name, "%s", name);
    c->count = kFrames;
    c->format = ZR_Rts_format_interleaved(16, 2);
    c->buffer = reinterpret_cast<uint8_t*>(first);  // the same block every time
    return c;
  }
  std::vector<int16_t> in_, out_;
};

void perSamplePerInstance(benchmark::State& state, int64_t instances) {
  state.counters["per_sample_instance"] =
      benchmark::Counter(static_cast<double>(kFrames * instances),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void HostCallback(benchmark::State& state) {
  const auto instances = static_cast<int32_t>(state.range(0));
  WaveLikeRts device;
  ZR_Chain devices;
  devices.insert(&device.instanceLink);
  FakeHostWindow window;
  {
    ZR_Host host(window, VSTPluginMain);
    host.listDevices(devices);
    for (int32_t i = 0; i < instances; ++i) {
      host.command(ZR_Host::kAddInstance);
      host.command(ZR_Host::kConnectInput);  // every instance on the left input
    }
    for (auto _ : state) {
      host.audioBlock();
      benchmark::ClobberMemory();
    }
  }
  devices.remove(&device.instanceLink);
  perSamplePerInstance(state, instances);
}

VstIntPtr plainHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

void BareEffect(benchmark::State& state) {
  AEffect* effect = VSTPluginMain(plainHost);
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  std::vector<float> input(kFrames), left(kFrames), right(kFrames);
  uint32_t seed = 12345;
  for (float& s : input) {
    seed = seed * 1664525u + 1013904223u;
    s = static_cast<float>(static_cast<int16_t>(seed >> 16)) / 32768.0f;
  }
  float* in[] = {input.data()};
  float* out[] = {left.data(), right.data()};
  for (auto _ : state) {
    effect->processReplacing(effect, in, out, kFrames);
    benchmark::ClobberMemory();
  }
  perSamplePerInstance(state, 1);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace

BENCHMARK(HostCallback)->Arg(1)->Arg(8)->Arg(32);
BENCHMARK(BareEffect);
BENCHMARK_MAIN();
