#pragma once
#include "Canvas.h"

/// The face plate and its frames: the background tile, the outer bezel and the recessed group panel.
namespace Panel {

/// Where a 10 x 10 frame piece sits: -1 left or top, 0 middle, +1 right or bottom.
struct Piece {
  int column;
  int row;
};

/// The opaque brushed-graphite tile (seamless when repeated).
void background(Canvas& canvas);
/// A piece of the raised outer bezel round the whole editor (translucent).
void bezel(Canvas& canvas, Piece piece);
/// A piece of the recessed group panel's rim (translucent); its inner 4 pixels stay clear for the fill.
void recessRim(Canvas& canvas, Piece piece);
/// The recess floor, repeated over the panel's middle (translucent, seamless).
void recessFloor(Canvas& canvas);

}  // namespace Panel
