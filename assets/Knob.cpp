#include "Knob.h"

#include <cmath>

#include "Style.h"

namespace Knob {

namespace {
constexpr double kDesign = 64;  // the drawing below is laid out for 64 x 64 and scaled
constexpr double kCentre = 32;
constexpr double kRingRadius = 27.5;
constexpr double kSkirtRadius = 21.5;
constexpr double kFaceRadius = 16.5;

// Clockwise from twelve o'clock as cairo measures it (from three o'clock, y down).
double cairoAngle(double fromTop) { return fromTop - M_PI / 2; }
constexpr double kStart = -0.75 * M_PI;  // lower left
constexpr double kTravel = 1.5 * M_PI;   // to lower right

void ring(cairo_t* cr, double turn) {
  const double start = cairoAngle(kStart), end = cairoAngle(kStart + kTravel * turn);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_new_path(cr);
  cairo_arc(cr, kCentre, kCentre, kRingRadius, start, cairoAngle(kStart + kTravel));
  cairo_set_line_width(cr, 3.4);
  Style::source(cr, {0, 0, 0}, 0.55);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_arc(cr, kCentre, kCentre, kRingRadius, start, cairoAngle(kStart + kTravel) + 0.001);
  cairo_set_line_width(cr, 1.0);
  Style::source(cr, {1, 1, 1}, 0.05);
  cairo_stroke(cr);
  if (turn <= 0) return;
  // The lit arc is always the whole arc cut by a wedge up to the pointer, so it is the same in
  // every frame except at its end, and the strip shares all the other blocks.
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, kCentre, kCentre);
  cairo_arc(cr, kCentre, kCentre, 2 * kCentre, start, end);
  cairo_close_path(cr);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_arc(cr, kCentre, kCentre, kRingRadius, start, cairoAngle(kStart + kTravel));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, 6.0);
  Style::source(cr, Style::kAccent, 0.16);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2.4);
  Style::source(cr, Style::kAccent, 1.0);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 0.8);
  Style::source(cr, {1, 0.93, 1}, 0.55);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void skirt(cairo_t* cr) {
  // Drop shadow on the face plate.
  cairo_pattern_t* shadow = cairo_pattern_create_radial(kCentre, kCentre + 2, kSkirtRadius - 3, kCentre,
                                                        kCentre + 2, kSkirtRadius + 3.5);
  cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.7);
  cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shadow);
  cairo_arc(cr, kCentre, kCentre + 2, kSkirtRadius + 3.5, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);
  // The skirt: dark anodised, lit from above.
  cairo_pattern_t* body = cairo_pattern_create_linear(0, kCentre - kSkirtRadius, 0, kCentre + kSkirtRadius);
  Style::stopColour(body, 0, Style::kCapLight);
  Style::stopColour(body, 1, Style::kCapDark);
  cairo_set_source(cr, body);
  cairo_arc(cr, kCentre, kCentre, kSkirtRadius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  // Fine grip ridges round the skirt, brighter where they face the light.
  for (int i = 0; i < 48; ++i) {
    const double a = 2 * M_PI * i / 48;
    const double light = 0.5 - 0.5 * std::sin(a + 0.45);
    cairo_new_path(cr);
    cairo_move_to(cr, kCentre + std::cos(a) * (kFaceRadius + 1.2),
                  kCentre + std::sin(a) * (kFaceRadius + 1.2));
    cairo_line_to(cr, kCentre + std::cos(a) * (kSkirtRadius - 0.6),
                  kCentre + std::sin(a) * (kSkirtRadius - 0.6));
    cairo_set_line_width(cr, 0.7);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.03 + 0.10 * light);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_arc(cr, kCentre, kCentre, kSkirtRadius - 0.5, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.0);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, kCentre - kSkirtRadius, 0, kCentre + kSkirtRadius);
  cairo_pattern_add_color_stop_rgba(rim, 0, 1, 1, 1, 0.28);
  cairo_pattern_add_color_stop_rgba(rim, 0.5, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(rim, 1, 0, 0, 0, 0.35);
  cairo_set_source(cr, rim);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
}

void face(cairo_t* cr) {
  // Machined aluminium: the turning marks catch the light in two opposite lobes. Drawn as thin
  // wedges, which is how a conical gradient is made with cairo.
  constexpr int kWedges = 360;
  for (int i = 0; i < kWedges; ++i) {
    const double a0 = 2 * M_PI * i / kWedges, a1 = 2 * M_PI * (i + 1.5) / kWedges;
    const double t = 0.5 + 0.5 * std::cos(2 * (a0 + 0.5 * (a1 - a0)) + 2.2);
    const Style::Colour c = Style::mix(Style::kMetalDark, Style::kMetalLight, 0.35 + 0.65 * t * t);
    cairo_new_path(cr);
    cairo_move_to(cr, kCentre, kCentre);
    cairo_arc(cr, kCentre, kCentre, kFaceRadius, a0, a1);
    cairo_close_path(cr);
    Style::source(cr, c);
    cairo_fill(cr);
  }
  // A shallow dish: brighter in the middle, darker to the edge; a bevel ring round it.
  cairo_pattern_t* dish =
      cairo_pattern_create_radial(kCentre - 3, kCentre - 4, 1, kCentre, kCentre, kFaceRadius);
  cairo_pattern_add_color_stop_rgba(dish, 0, 1, 1, 1, 0.22);
  cairo_pattern_add_color_stop_rgba(dish, 0.7, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(dish, 1, 0, 0, 0, 0.22);
  cairo_set_source(cr, dish);
  cairo_arc(cr, kCentre, kCentre, kFaceRadius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(dish);
  cairo_pattern_t* bevel = cairo_pattern_create_linear(0, kCentre - kFaceRadius, 0, kCentre + kFaceRadius);
  cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 1, 1, 0.75);
  cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.45);
  cairo_set_source(cr, bevel);
  cairo_set_line_width(cr, 1.0);
  cairo_arc(cr, kCentre, kCentre, kFaceRadius - 0.5, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_pattern_destroy(bevel);
}

void pointer(cairo_t* cr, double turn) {
  const double a = cairoAngle(kStart + kTravel * turn);
  const double dx = std::cos(a), dy = std::sin(a);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Engraved: a dark groove with a light lower lip.
  cairo_new_path(cr);
  cairo_move_to(cr, kCentre + dx * 5.5, kCentre + dy * 5.5 + 0.7);
  cairo_line_to(cr, kCentre + dx * (kFaceRadius - 3), kCentre + dy * (kFaceRadius - 3) + 0.7);
  cairo_set_line_width(cr, 2.6);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_stroke(cr);
  cairo_move_to(cr, kCentre + dx * 5.5, kCentre + dy * 5.5);
  cairo_line_to(cr, kCentre + dx * (kFaceRadius - 3), kCentre + dy * (kFaceRadius - 3));
  cairo_set_line_width(cr, 2.6);
  Style::source(cr, Style::kEngraving, 0.92);
  cairo_stroke(cr);
  // An accent dot on the skirt repeats the pointer where the ring is read.
  const double r = 0.5 * (kFaceRadius + kSkirtRadius) + 0.3;
  cairo_arc(cr, kCentre + dx * r, kCentre + dy * r, 1.6, 0, 2 * M_PI);
  Style::source(cr, Style::kAccent);
  cairo_fill(cr);
}
}  // namespace

void draw(cairo_t* cr, double size, double turn) {
  cairo_save(cr);
  cairo_scale(cr, size / kDesign, size / kDesign);
  ring(cr, turn);
  skirt(cr);
  face(cr);
  pointer(cr, turn);
  cairo_restore(cr);
}

}  // namespace Knob
