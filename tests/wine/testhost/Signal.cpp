#include "Signal.h"

#include <cmath>

double rms(const std::vector<float>& samples) {
  double sum = 0.0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

std::vector<float> sine(double frequency, double amplitude, double rate, size_t count, size_t start) {
  const double step = 2.0 * 3.14159265358979323846 * frequency / rate;
  std::vector<float> out(count);
  for (size_t i = 0; i < count; ++i)
    out[i] = static_cast<float>(amplitude * std::sin(step * static_cast<double>(start + i)));
  return out;
}
