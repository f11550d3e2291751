#pragma once
#include <cairo.h>

/// Our own stroke letters (capitals of a geometric sans), so the art needs no installed font.
/// Glyphs are paths of centre lines: callers stroke them with round caps and joins.
namespace Lettering {

/// Width of text at cap height 1 with extra tracking between letters (in cap heights).
double width(const char* text, double tracking);

/// Adds the centre lines of text to the path: left edge at x, cap top at top, cap height h.
void path(cairo_t* cr, const char* text, double x, double top, double h, double tracking);

/// Strokes text with round ends in the current source, stroke width in pixels.
void stroke(cairo_t* cr, const char* text, double x, double top, double h, double tracking, double lineWidth);

}  // namespace Lettering
