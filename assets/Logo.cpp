#include "Logo.h"

#include <cmath>

#include "Lettering.h"
#include "Style.h"

namespace Logo {

namespace {
constexpr double kHeight = 30;
constexpr double kCap = 17, kTracking = 0.34, kStroke = 3.2;
constexpr double kCurveW = 30, kGap = 11;

// The product's own response: a third-order Butterworth low-pass, 0 to -60 dB over two decades
// either side of the cut-off, with a faint mark at the cut-off.
void responseCurve(cairo_t* cr, double x, double top) {
  constexpr int kSteps = 60;
  cairo_new_path(cr);
  for (int i = 0; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps;
    const double ratio = std::pow(10.0, 2 * t - 1);  // frequency over cut-off
    const double decibels = -10 * std::log10(1 + std::pow(ratio, 6));
    cairo_line_to(cr, x + kCurveW * t, top + 2 + (kCap - 2) * (-decibels / 60));
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 6);
  Style::source(cr, Style::kAccent, 0.18);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2.4);
  Style::source(cr, Style::kAccent);
  cairo_stroke(cr);
  cairo_move_to(cr, x + kCurveW / 2 + 0.5, top);
  cairo_line_to(cr, x + kCurveW / 2 + 0.5, top + kCap + 1);
  cairo_set_line_width(cr, 1);
  Style::source(cr, Style::kLabel, 0.22);
  cairo_stroke(cr);
}
}  // namespace

void draw(cairo_t* cr) {
  const char* name = "QORM";
  const double textW = Lettering::width(name, kTracking) * kCap;
  const double left = (160 - (kCurveW + kGap + textW)) / 2;
  const double top = (kHeight - kCap) / 2 - 1;
  responseCurve(cr, left, top);
  const double x = left + kCurveW + kGap;
  // Engraved: a dark cut, a light lower lip, and the letters in brushed metal.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  Lettering::stroke(cr, name, x, top - 0.6, kCap, kTracking, kStroke + 1.0);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
  Lettering::stroke(cr, name, x, top + 1.2, kCap, kTracking, kStroke);
  cairo_pattern_t* metal = cairo_pattern_create_linear(0, top, 0, top + kCap);
  Style::stopColour(metal, 0, {0.97, 0.97, 0.99});
  Style::stopColour(metal, 0.55, Style::kMetalLight);
  Style::stopColour(metal, 1, Style::kMetalDark);
  cairo_set_source(cr, metal);
  Lettering::stroke(cr, name, x, top, kCap, kTracking, kStroke);
  cairo_pattern_destroy(metal);
}

}  // namespace Logo
