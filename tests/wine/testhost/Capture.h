#pragma once
#include <cstdint>
#include <string>
#include <vector>

/// A picture read back from the screen: 8-bit red, green, blue, alpha (always 255), rows from the top.
struct Capture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;

  /// Red, green and blue of pixel (x, y) as 0xRRGGBB.
  uint32_t rgb(int32_t x, int32_t y) const;
};

/// A part of a capture, in its pixels.
struct Area {
  int32_t left, top, width, height;
  int32_t centreX() const { return left + width / 2; }
  int32_t centreY() const { return top + height / 2; }
};

/// The pixels of an area as 0xRRGGBB, row by row.
std::vector<uint32_t> pixels(const Capture& capture, const Area& area);
/// The brightness of a 0xRRGGBB colour, 0 to 255.
double luminance(uint32_t rgb);
/// How far the pixels of an area spread around their mean brightness: a greyed control keeps only
/// part of its contrast against the panel.
double spread(const Capture& capture, const Area& area);
/// The largest difference of one colour byte between two captures (256 when their sizes differ).
/// A window that composes each repaint over what its last one left (the Windows one: an opaque
/// pixel blends to one step short of itself) may show the same state 1 apart.
int largestDifference(const Capture& a, const Capture& b);

/// Writes a capture as a PNG file.
bool writePng(const std::string& path, const Capture& capture);
