#include "Slider.h"

#include "Style.h"

namespace Slider {

namespace {
constexpr double kTrackLeft = 10, kTrackRight = 110, kTrackY = 12;
constexpr double kThumbW = 12, kThumbH = 20;
}  // namespace

void draw(cairo_t* cr, double position) {
  // Scale ticks above and below the track, every tenth of the travel.
  for (int i = 0; i <= 10; ++i) {
    const double x = kTrackLeft + (kTrackRight - kTrackLeft) * i / 10 + 0.5;
    const double len = i % 5 == 0 ? 3 : 2;
    cairo_move_to(cr, x, 1);
    cairo_line_to(cr, x, 1 + len);
    cairo_move_to(cr, x, 23 - len);
    cairo_line_to(cr, x, 23);
  }
  cairo_set_line_width(cr, 1);
  Style::source(cr, Style::kLabel, 0.35);
  cairo_stroke(cr);
  // The track: a dark slot with a light lower lip, lit from the left end to the thumb.
  Style::roundedRect(cr, kTrackLeft - 3, kTrackY - 2.5, kTrackRight - kTrackLeft + 6, 5, 2.5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.65);
  cairo_fill(cr);
  cairo_move_to(cr, kTrackLeft - 1, kTrackY + 3);
  cairo_line_to(cr, kTrackRight + 1, kTrackY + 3);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const double x = kTrackLeft + (kTrackRight - kTrackLeft) * position;
  if (x > kTrackLeft) {
    cairo_move_to(cr, kTrackLeft, kTrackY);
    cairo_line_to(cr, x, kTrackY);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 4);
    Style::source(cr, Style::kAccent, 0.2);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2);
    Style::source(cr, Style::kAccent);
    cairo_stroke(cr);
  }
  // The thumb with its shadow, a lit top edge and a grip line.
  Style::roundedRect(cr, x - kThumbW / 2 - 0.5, kTrackY - kThumbH / 2 + 1.5, kThumbW + 1, kThumbH, 3);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_fill(cr);
  Style::roundedRect(cr, x - kThumbW / 2, kTrackY - kThumbH / 2, kThumbW, kThumbH, 2.5);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, kTrackY - kThumbH / 2, 0, kTrackY + kThumbH / 2);
  Style::stopColour(body, 0, Style::kMetalLight);
  Style::stopColour(body, 0.5, Style::kMetalDark);
  Style::stopColour(body, 1, Style::mix(Style::kMetalDark, Style::kCapDark, 0.6));
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, x - kThumbW / 2 + 2, kTrackY - kThumbH / 2 + 1.5);
  cairo_line_to(cr, x + kThumbW / 2 - 2, kTrackY - kThumbH / 2 + 1.5);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
  cairo_stroke(cr);
  cairo_move_to(cr, x, kTrackY - 6);
  cairo_line_to(cr, x, kTrackY + 6);
  cairo_set_line_width(cr, 1.6);
  Style::source(cr, Style::kEngraving, 0.85);
  cairo_stroke(cr);
}

}  // namespace Slider
