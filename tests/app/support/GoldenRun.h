#pragma once
#include <cstdint>
#include <vector>

/// One recorded run of the shipped product: the application's graph driven through processBlock
/// at a rate, with the Frequency parameter at x (0..1, as a host sets it) and the State parameter
/// switched every toggleEvery blocks (0: never); a sweep moves Frequency by 1/64 every block. The
/// input is a fixed float signal (with clipped and not-a-number samples) in random block lengths.
struct GoldenCase {
  int32_t rate;
  float x;
  int32_t toggleEvery;
  bool sweep;
};

/// The cases the golden file records.
extern const GoldenCase kGoldenCases[];
extern const int kGoldenCaseCount;

/// Runs one case through a freshly built application: FNV-1a 64 of each block's output (the left
/// channel's float bits; the right channel must equal it, else the hash of that block is 0).
std::vector<uint64_t> goldenBlockHashes(const GoldenCase& c);
