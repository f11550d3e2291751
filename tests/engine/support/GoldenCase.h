#pragma once
#include <cstdint>

/// One recorded run of the product graph: a rate, a cutoff and how often both filters are switched
/// (every that many blocks; 0 = never), over a fixed integer signal in random block lengths.
struct GoldenCase {
  int32_t rate;
  float cutoff;
  int32_t toggleEvery;
  uint64_t hash;  // FNV-1a of the output samples; unused in the list of cases to record
};

/// The cases the golden file records.
extern const GoldenCase kGoldenCases[];
extern const int kGoldenCaseCount;

/// Runs one case through a fresh product graph and hashes its output.
uint64_t goldenHash(const GoldenCase& c);
