#include "Buttons.h"

#include <cmath>

#include "Lettering.h"
#include "Style.h"

namespace Buttons {

namespace {
constexpr double kW = 40, kH = 24;

// The key cap: drop shadow, body lit from above, a fine light top edge and a dark outline.
void cap(cairo_t* cr, double sink, double brightness) {
  const double x = 2, y = 1.5 + sink, w = kW - 4, h = kH - 4.5;
  if (sink == 0) {
    Style::roundedRect(cr, x - 0.5, y + 1.5, w + 1, h + 1, 4.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
  }
  Style::roundedRect(cr, x, y, w, h, 4);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
  Style::stopColour(body, 0, Style::mix(Style::kCapDark, Style::kCapLight, brightness));
  Style::stopColour(body, 1, Style::kCapDark);
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.75);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Style::roundedRect(cr, x + 1, y + 1, w - 2, h - 2, 3);
  cairo_pattern_t* edge = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(edge, 0, 1, 1, 1, 0.22 * brightness);
  cairo_pattern_add_color_stop_rgba(edge, 0.4, 1, 1, 1, 0.0);
  cairo_set_source(cr, edge);
  cairo_stroke(cr);
}

void powerSign(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, -M_PI / 2 + 0.75, 1.5 * M_PI - 0.75);
  cairo_move_to(cr, cx, cy - r - 1.2);
  cairo_line_to(cr, cx, cy - 0.6);
}
}  // namespace

void power(cairo_t* cr, bool on) {
  cap(cr, 0, on ? 1.0 : 0.75);
  const double cx = kW / 2, cy = 11.2, r = 5.2;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (on) {
    // The lit sign glows onto the cap around it.
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 2, cx, cy, 13);
    Style::stopColour(glow, 0, Style::kAccent, 0.40);
    Style::stopColour(glow, 1, Style::kAccent, 0.0);
    Style::roundedRect(cr, 3, 2.5, kW - 6, kH - 6.5, 3);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    powerSign(cr, cx, cy, r);
    cairo_set_line_width(cr, 3.6);
    Style::source(cr, Style::kAccent, 0.35);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.9);
    Style::source(cr, Style::mix(Style::kAccent, {1, 1, 1}, 0.45));
    cairo_stroke(cr);
  } else {
    powerSign(cr, cx, cy + 0.6, r);
    cairo_set_line_width(cr, 1.9);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
    cairo_stroke(cr);
    powerSign(cr, cx, cy, r);
    cairo_set_line_width(cr, 1.9);
    Style::source(cr, Style::kEngraving, 0.9);
    cairo_stroke(cr);
  }
}

void push(cairo_t* cr, const char* label, bool down) {
  const double sink = down ? 1 : 0;
  cap(cr, sink, down ? 0.35 : 0.85);
  const double h = 7, tracking = 0.22;
  const double x = (kW - Lettering::width(label, tracking) * h) / 2;
  const double top = (kH - 1.5 - h) / 2 + sink;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  Lettering::stroke(cr, label, x, top + 0.8, h, tracking, 1.3);
  Style::source(cr, down ? Style::kAccent : Style::kLabel);
  Lettering::stroke(cr, label, x, top, h, tracking, 1.3);
}

}  // namespace Buttons
