#pragma once
#include <cstddef>
#include <vector>

// Test signals and their measure.

/// Root mean square of samples.
double rms(const std::vector<float>& samples);
/// count samples of a sine of the given frequency and amplitude at rate, from phase sample start.
std::vector<float> sine(double frequency, double amplitude, double rate, size_t count, size_t start = 0);
