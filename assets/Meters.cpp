#include "Meters.h"

namespace Meters {

namespace {
constexpr ZR_Pix_A32 kNone{255, 255, 255, 0};
ZR_Pix_A32 segment(int meter, int number) {
  return {static_cast<uint8_t>(meter), 0, static_cast<uint8_t>(number), 255};
}

// Index pictures hold numbers, not colours, so they are written pixel by pixel.
template <typename F>
ZR_Pixels picture(int width, int height, F&& at) {
  ZR_Pixels pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(at(x, y));
  }
  return pixels;
}
}  // namespace

ZR_Pixels vertical() {
  constexpr int kPitchX = 5, kBarW = 4, kSegments = 44, kBottomRow = 87;
  return picture(41, 89, [](int x, int y) {
    const int column = x - 1, fromBottom = kBottomRow - y;  // segment s on row 87 - 2s, a gap above it
    if (column < 0 || column % kPitchX >= kBarW || fromBottom < 0 || fromBottom % 2 != 0 ||
        fromBottom / 2 >= kSegments) {
      return kNone;
    }
    return segment(column / kPitchX, fromBottom / 2);
  });
}

ZR_Pixels horizontal() {
  constexpr int kPitchX = 3, kBarW = 2, kSegments = 30, kPitchY = 8, kBarH = 7;
  return picture(91, 17, [](int x, int y) {
    const int column = x - 1, row = y - 1;
    if (column < 0 || column % kPitchX >= kBarW || column / kPitchX >= kSegments || row < 0 ||
        row % kPitchY >= kBarH || row / kPitchY >= 2) {
      return kNone;
    }
    return segment(row / kPitchY, column / kPitchX);
  });
}

}  // namespace Meters
