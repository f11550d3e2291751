#pragma once
#include <cairo.h>

/// The 40 x 24 keys: rounded caps with transparent corners.
namespace Buttons {

/// The on/off key: a power sign, dark when off, glowing in the accent colour when on.
void power(cairo_t* cr, bool on);

/// A labelled push key: raised when up, sunk by a pixel and darker when down.
void push(cairo_t* cr, const char* label, bool down);

}  // namespace Buttons
