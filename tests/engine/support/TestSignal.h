#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Test signals and measurements. Everything that feeds a golden hash is integer-only, so both
// targets see the same input bits whatever their math library does.

/// A small linear congruential generator: the same numbers on every target.
class TestRandom {
 public:
  explicit TestRandom(uint32_t seed) : state_(seed) {}
  uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
  }
  /// Uniform in [low, high].
  int32_t between(int32_t low, int32_t high) {
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low) + 1;
    return static_cast<int32_t>(low + static_cast<int64_t>((uint64_t{next()} * span) >> 32));
  }

 private:
  uint32_t state_;
};

/// Cuts total samples into blocks of random lengths from 1 to 512 (seed 0: one block of all of
/// them) and calls run(done, n) for each, in order: the block-split loop of every test that checks
/// that block lengths do not change a result.
template <typename Run>
void forRandomBlocks(size_t total, uint32_t seed, Run&& run) {
  TestRandom lengths(seed);
  for (size_t done = 0; done < total;) {
    const size_t left = total - done;
    const size_t n = seed ? static_cast<size_t>(lengths.between(1, 512)) : left;
    const int32_t length = static_cast<int32_t>(n < left ? n : left);
    run(done, length);
    done += static_cast<size_t>(length);
  }
}

/// Uniform noise in [-amplitude, amplitude].
std::vector<int32_t> testNoise(size_t n, uint32_t seed, int32_t amplitude);
/// amplitude * sin(2 pi frequency k / rate), rounded.
std::vector<int32_t> testSine(size_t n, double frequency, double rate, double amplitude);
/// The amplitude of the sine of that frequency in y[from..], by a least-squares fit of
/// a sin + b cos + c (the constant absorbs the tiny DC offset the kernels' floors leave).
double fittedAmplitude(const std::vector<int32_t>& y, size_t from, double frequency, double rate);
/// 64-bit FNV-1a over the samples' little-endian bytes.
uint64_t fnv1a(const std::vector<int32_t>& samples);
