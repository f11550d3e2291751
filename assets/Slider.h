#pragma once
#include <cairo.h>

/// A horizontal fader: a recessed track lit up to the thumb, the thumb moving from the left
/// (position 0) to the right (position 1). Drawn for 120 x 24.
namespace Slider {

void draw(cairo_t* cr, double position);

}  // namespace Slider
