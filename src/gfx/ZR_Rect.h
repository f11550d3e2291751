#pragma once
#include <algorithm>
#include <cstdint>

/// A rectangle of pixels; right and bottom are exclusive.
struct ZR_Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  constexpr int32_t width() const { return right - left; }
  constexpr int32_t height() const { return bottom - top; }
  constexpr bool empty() const { return left >= right || top >= bottom; }
  constexpr bool contains(int32_t x, int32_t y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  constexpr ZR_Rect intersect(const ZR_Rect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  constexpr ZR_Rect offset(int32_t dx, int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  friend constexpr bool operator==(const ZR_Rect&, const ZR_Rect&) = default;
};
