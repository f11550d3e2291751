#pragma once
#include <cstdint>

#include "Capture.h"

// The product editor's layout, in its own pixels, as the editor tests look at it.
constexpr int32_t kEditorWidth = 200;
constexpr int32_t kEditorHeight = 236;
constexpr Area kButton = {21, 67, 40, 24};
constexpr Area kCaption = {50, 104, 96, 18};
constexpr Area kKnob = {66, 126, 64, 64};
constexpr Area kReadout = {66, 194, 64, 18};
constexpr Area kLogo = {20, 8, 160, 30};
constexpr Area kTitle = {10, 35, 180, 20};
constexpr int32_t kKnobFrames = 264;  // frames of travel, one per pixel
