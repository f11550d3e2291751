#pragma once
#include <cstdint>

/// The state of one level meter, made by the code that owns the meter (commands cannot create it)
/// and handed to the widget with "ln". Colours are pixel values read as 0xAARRGGBB.
struct ZR_Wid_Pal_Line {
  struct Box {
    int32_t left, top, right, bottom;
  };
  static constexpr int kSegments = 256;  // a segment number is one byte of an index pixel

  ZR_Wid_Pal_Line() {
    for (Box& box : boxes) box = {INT32_MAX, INT32_MAX, 0, 0};
  }

  uint32_t bg = 0;        // segments above the level
  uint32_t key = 0;       // index pixels of this meter equal it with channel and alpha bytes at 0
  uint32_t fg = 0;        // lit segments below the red level
  uint32_t rg = 0;        // lit segments at or above the red level
  int32_t channel = 0;    // byte of the index pixel that holds the segment: 0 blue, 1 green, 2 red
  float level = 0.0f;     // the level last set
  float rl = 0.0f;        // red level, a fraction of the segment range
  int32_t mn = 0;         // lowest segment number
  int32_t mx = 0;         // highest segment number
  bool prepared = false;  // the boxes have been computed
  Box boxes[kSegments];   // per segment number, the bounding box of its pixels (empty: left > right)
};
