#include "TestSignal.h"

#include <cmath>

std::vector<int32_t> testNoise(size_t n, uint32_t seed, int32_t amplitude) {
  TestRandom random(seed);
  std::vector<int32_t> x(n);
  for (int32_t& v : x) v = random.between(-amplitude, amplitude);
  return x;
}

std::vector<int32_t> testSine(size_t n, double frequency, double rate, double amplitude) {
  const double pi = 3.141592653589793;
  std::vector<int32_t> x(n);
  for (size_t k = 0; k < n; ++k)
    x[k] = static_cast<int32_t>(std::lround(amplitude * std::sin(2 * pi * frequency * k / rate)));
  return x;
}

double fittedAmplitude(const std::vector<int32_t>& y, size_t from, double frequency, double rate) {
  // Normal equations of the three basis functions s, c, 1, solved by Cramer's rule.
  const double pi = 3.141592653589793;
  double ss = 0, sc = 0, s1 = 0, cc = 0, c1 = 0, n = 0, ys = 0, yc = 0, y1 = 0;
  for (size_t k = from; k < y.size(); ++k) {
    const double phase = 2 * pi * frequency * k / rate;
    const double s = std::sin(phase), c = std::cos(phase), v = y[k];
    ss += s * s, sc += s * c, s1 += s, cc += c * c, c1 += c, n += 1;
    ys += v * s, yc += v * c, y1 += v;
  }
  auto det = [](double a, double b, double c, double d, double e, double f, double g, double h, double i) {
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
  };
  const double d = det(ss, sc, s1, sc, cc, c1, s1, c1, n);
  const double a = det(ys, sc, s1, yc, cc, c1, y1, c1, n) / d;
  const double b = det(ss, ys, s1, sc, yc, c1, s1, y1, n) / d;
  return std::sqrt(a * a + b * b);
}

uint64_t fnv1a(const std::vector<int32_t>& samples) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (int32_t v : samples) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) {
      hash ^= (u >> shift) & 0xffu;
      hash *= 0x100000001b3u;
    }
  }
  return hash;
}
