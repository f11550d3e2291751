// The whole block path as a host drives it: processReplacing through the effect record at host
// block sizes 32, 512 and 4096, against the bare graph (the soundpipe's pass over samples already in
// the engine's buffers). Both in ns per sample; the difference is the float conversion, clipping,
// the block cutting and the record's entry. And setParameter in ns per call on each parameter.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"
#include "plugin/VSTPluginMain.h"
#include "plugin/ZR_Main_Vst.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

AEffect* startedEffect() {
  AEffect* effect = VSTPluginMain(host);
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  return effect;
}

std::vector<float> noise(size_t count) {
  std::vector<float> samples(count);
  uint32_t state = 12345;
  for (float& s : samples) {
    state = state * 1664525u + 1013904223u;
    s = static_cast<float>(static_cast<int32_t>(state)) * 4.6566e-10f;
  }
  return samples;
}

void perSample(benchmark::State& state, int64_t samplesPerIteration) {
  state.counters["per_sample"] =
      benchmark::Counter(static_cast<double>(samplesPerIteration),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void ProcessReplacingThroughTheRecord(benchmark::State& state) {
  const auto frames = static_cast<VstInt32>(state.range(0));
  AEffect* effect = startedEffect();
  std::vector<float> input = noise(static_cast<size_t>(frames)), left(input.size()), right(input.size());
  float* in[] = {input.data()};
  float* out[] = {left.data(), right.data()};
  for (auto _ : state) {
    effect->processReplacing(effect, in, out, frames);
    benchmark::DoNotOptimize(left.data());
    benchmark::ClobberMemory();
  }
  perSample(state, frames);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

void BareGraph(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  AEffect* effect = startedEffect();
  ZR_Application& app = static_cast<ZR_Main_Vst*>(effect->object)->application;
  ZR_Soundpipe* pipe = app.soundpipe();
  auto* input = static_cast<ZR_Buffer*>(app.graph[ZR_Application::kInputBuffer]);
  const std::vector<float> source = noise(ZR_Application::kBlockSize);
  for (size_t i = 0; i < source.size(); ++i) input->main[i] = static_cast<int32_t>(source[i] * 1073741824.0f);
  const int32_t engineBlock = frames < ZR_Application::kBlockSize ? frames : ZR_Application::kBlockSize;
  ZR_Soundpipe::m_bl(pipe, ZR_value::integer(engineBlock));
  for (auto _ : state) {
    for (int32_t done = 0; done < frames; done += engineBlock) pipe->process();
    benchmark::ClobberMemory();
  }
  perSample(state, frames);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

// A host's setParameter on each parameter (the index is the argument), as automation sends it: a
// new value every call, alternating between two so State really switches. In ns per call.
void SetParameter(benchmark::State& state) {
  const auto index = static_cast<VstInt32>(state.range(0));
  AEffect* effect = startedEffect();
  float value = 0.25f;
  for (auto _ : state) {
    effect->setParameter(effect, index, value);
    value = 1.0f - value;
  }
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace

BENCHMARK(SetParameter)->ArgName("index")->Arg(0)->Arg(1);
BENCHMARK(ProcessReplacingThroughTheRecord)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BareGraph)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK_MAIN();
