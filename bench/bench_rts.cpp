// copyBuffer in the host's common cases, in ns per sample, each beside a plain scalar loop that
// computes the same values (checked before timing): 16-bit stereo interleaved into float and
// back, and a 32-bit integer ASIO channel into float.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "rts/ZR_Rts.h"
#include "rts/ZR_Rts_format.h"

namespace {

struct Channel : ZR_Rts::Chan {
  Channel(uint32_t word, int32_t n, void* data) {
    format = word;
    count = n;
    buffer = static_cast<uint8_t*>(data);
  }
};

// Deterministic full-range test signal, with a few samples at and beyond the limits.
std::vector<int32_t> words(int32_t n) {
  std::vector<int32_t> w(n);
  uint32_t state = 12345;
  for (int32_t& x : w) x = static_cast<int32_t>(state = state * 1664525u + 1013904223u);
  w[0] = INT32_MIN;
  w[1] = INT32_MAX;
  return w;
}

void scalarInt16ToFloat(float* out, const int16_t* in, int32_t n) {
  for (int32_t i = 0; i < n; ++i) out[i] = in[2 * i] * (1.0f / 32768.0f);
}

void scalarFloatToInt16(int16_t* out, const float* in, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    double x = in[i];
    x = x > 1.0 ? 1.0 : x >= -1.0 ? x : x < -1.0 ? -1.0 : 0.0;
    out[2 * i] = static_cast<int16_t>(static_cast<int32_t>(x * 2147483647.0) >> 16);
  }
}

void scalarInt32ToFloat(float* out, const int32_t* in, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    const double x = in[i] * (1.0 / 2147483647.0);
    out[i] = static_cast<float>(x < -1.0 ? -1.0 : x);
  }
}

// The case's buffers; its constructor checks that both ways agree bit for bit.
struct Case {
  enum Kind { kInt16ToFloat, kFloatToInt16, kInt32ToFloat };

  Case(Kind kind, int32_t n) : kind(kind), n(n), stereo(2 * n), mono32(words(n)), floats(n), floatsOut(n) {
    const std::vector<int32_t> w = words(2 * n);
    for (int32_t i = 0; i < 2 * n; ++i) stereo[i] = static_cast<int16_t>(w[i] >> 16);
    for (int32_t i = 0; i < n; ++i) floats[i] = static_cast<float>(w[i] * (1.2 / 2147483648.0));
    run(false);
    const std::vector<int16_t> stereoCopy = stereo;
    const std::vector<float> floatsCopy = floatsOut;
    run(true);
    if (stereo != stereoCopy || std::memcmp(floatsCopy.data(), floatsOut.data(), n * sizeof(float)) != 0) {
      std::fprintf(stderr, "copyBuffer and the scalar loop disagree\n");
      std::abort();
    }
  }

  void run(bool scalar) {
    switch (kind) {
      case kInt16ToFloat: {
        if (scalar) return scalarInt16ToFloat(floatsOut.data(), stereo.data(), n);
        Channel from(ZR_Rts_format_interleaved(16, 2), n, stereo.data()),
            to(ZR_RTS_FORMAT_FLOAT32, n, floatsOut.data());
        ZR_Rts::copyBuffer(&to, &from);
        return;
      }
      case kFloatToInt16: {
        if (scalar) return scalarFloatToInt16(stereo.data(), floats.data(), n);
        Channel from(ZR_RTS_FORMAT_FLOAT32, n, floats.data()),
            to(ZR_Rts_format_interleaved(16, 2), n, stereo.data());
        ZR_Rts::copyBuffer(&to, &from);
        return;
      }
      case kInt32ToFloat: {
        if (scalar) return scalarInt32ToFloat(floatsOut.data(), mono32.data(), n);
        Channel from(ZR_Rts_format_asio(18), n, mono32.data()),
            to(ZR_RTS_FORMAT_FLOAT32, n, floatsOut.data());
        ZR_Rts::copyBuffer(&to, &from);
        return;
      }
    }
  }

  Kind kind;
  int32_t n;
  std::vector<int16_t> stereo;
  std::vector<int32_t> mono32;
  std::vector<float> floats, floatsOut;
};

template <Case::Kind K, bool kScalar>
void BM_copy(benchmark::State& state) {
  Case c(K, static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    c.run(kScalar);
    benchmark::ClobberMemory();
  }
  state.counters["ns_per_sample"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * c.n,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_copy<Case::kInt16ToFloat, false>)->Name("int16_stereo_to_float/copyBuffer")->Arg(441)->Arg(512);
BENCHMARK(BM_copy<Case::kInt16ToFloat, true>)->Name("int16_stereo_to_float/scalar")->Arg(441)->Arg(512);
BENCHMARK(BM_copy<Case::kFloatToInt16, false>)->Name("float_to_int16_stereo/copyBuffer")->Arg(441)->Arg(512);
BENCHMARK(BM_copy<Case::kFloatToInt16, true>)->Name("float_to_int16_stereo/scalar")->Arg(441)->Arg(512);
BENCHMARK(BM_copy<Case::kInt32ToFloat, false>)->Name("asio_int32_to_float/copyBuffer")->Arg(441)->Arg(512);
BENCHMARK(BM_copy<Case::kInt32ToFloat, true>)->Name("asio_int32_to_float/scalar")->Arg(441)->Arg(512);

BENCHMARK_MAIN();
