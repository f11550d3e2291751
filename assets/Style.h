#pragma once
#include <cairo.h>

#include <cmath>

// The look of the panel in one place: graphite face, aluminium caps, one orchid accent that goes
// with the editor's lavender and orchid captions.
namespace Style {

struct Colour {
  double r, g, b;
};

constexpr Colour kFace{0.170, 0.178, 0.200};      // the graphite face plate
constexpr Colour kCapDark{0.135, 0.142, 0.160};   // knob and key bodies, shadow side
constexpr Colour kCapLight{0.330, 0.345, 0.380};  // knob and key bodies, lit side
constexpr Colour kMetalLight{0.86, 0.87, 0.89};   // machined aluminium
constexpr Colour kMetalDark{0.50, 0.52, 0.56};
constexpr Colour kAccent{0.80, 0.47, 0.96};  // lit arcs, LEDs
constexpr Colour kAccentDeep{0.55, 0.30, 0.86};
constexpr Colour kLabel{0.80, 0.80, 0.86};  // printed labels
constexpr Colour kEngraving{0.09, 0.09, 0.11};

// Light falls from above and a little from the left (a unit vector towards the light).
constexpr double kLightX = -0.45;
constexpr double kLightY = -0.893;

inline void source(cairo_t* cr, Colour c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

inline Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

inline void stopColour(cairo_pattern_t* p, double offset, Colour c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

}  // namespace Style
