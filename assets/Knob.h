#pragma once
#include <cairo.h>

/// A round knob: a lit value ring round a dark skirt and a machined aluminium face with an
/// engraved pointer. The pointer travels 270 degrees clockwise, from lower left (turn 0) to lower
/// right (turn 1). The corners stay transparent.
namespace Knob {

/// Draws the knob filling a size x size square at the origin.
void draw(cairo_t* cr, double size, double turn);

}  // namespace Knob
