#include "Capture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "PngWriter.h"

uint32_t Capture::rgb(int32_t x, int32_t y) const {
  const uint8_t* p = rgba.data() + (static_cast<size_t>(y) * width + x) * 4;
  return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

std::vector<uint32_t> pixels(const Capture& capture, const Area& a) {
  std::vector<uint32_t> out;
  for (int32_t y = a.top; y < a.top + a.height; ++y)
    for (int32_t x = a.left; x < a.left + a.width; ++x) out.push_back(capture.rgb(x, y));
  return out;
}

double luminance(uint32_t rgb) {
  return 0.299 * (rgb >> 16 & 0xFF) + 0.587 * (rgb >> 8 & 0xFF) + 0.114 * (rgb & 0xFF);
}

double spread(const Capture& capture, const Area& a) {
  const std::vector<uint32_t> p = pixels(capture, a);
  double mean = 0.0;
  for (uint32_t rgb : p) mean += luminance(rgb);
  mean /= static_cast<double>(p.size());
  double deviation = 0.0;
  for (uint32_t rgb : p) deviation += std::fabs(luminance(rgb) - mean);
  return deviation / static_cast<double>(p.size());
}

int largestDifference(const Capture& a, const Capture& b) {
  if (a.width != b.width || a.height != b.height) return 256;
  int largest = 0;
  for (size_t i = 0; i < a.rgba.size(); ++i) largest = std::max(largest, std::abs(a.rgba[i] - b.rgba[i]));
  return largest;
}

bool writePng(const std::string& path, const Capture& capture) {
  return writePng(path, capture.width, capture.height, capture.rgba.data());
}
