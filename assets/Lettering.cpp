#include "Lettering.h"

#include <cmath>

namespace Lettering {

namespace {
// One glyph in a unit box: y from 0 (cap top) to 1 (baseline), x from 0 to its advance.
struct Glyph {
  char letter;
  double advance;
  void (*draw)(cairo_t* cr);
};

void line(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
}

// A stadium: the round letters (O, Q) are rectangles with half-circle ends.
void stadium(cairo_t* cr, double w) {
  const double r = w / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, r, r, r, M_PI, 2 * M_PI);
  cairo_arc(cr, r, 1 - r, r, 0, M_PI);
  cairo_close_path(cr);
}

// A bowl on the stem, as in D, P and R: straight top and bottom, round right side.
void bowl(cairo_t* cr, double top, double bottom, double right) {
  const double r = (bottom - top) / 2;
  cairo_move_to(cr, 0, top);
  cairo_line_to(cr, right - r, top);
  cairo_arc(cr, right - r, top + r, r, -M_PI / 2, M_PI / 2);
  cairo_line_to(cr, 0, bottom);
}

constexpr double kW = 0.62;  // width of most letters

const Glyph kGlyphs[] = {
    {'A', kW + 0.04,
     [](cairo_t* cr) {
       cairo_move_to(cr, 0, 1);
       cairo_line_to(cr, (kW + 0.04) / 2, 0);
       cairo_line_to(cr, kW + 0.04, 1);
       line(cr, 0.13, 0.68, kW - 0.09, 0.68);
     }},
    {'D', kW,
     [](cairo_t* cr) {
       bowl(cr, 0, 1, kW);
       cairo_close_path(cr);
     }},
    {'E', kW - 0.08,
     [](cairo_t* cr) {
       cairo_move_to(cr, kW - 0.08, 0);
       cairo_line_to(cr, 0, 0);
       cairo_line_to(cr, 0, 1);
       cairo_line_to(cr, kW - 0.08, 1);
       line(cr, 0, 0.5, kW - 0.16, 0.5);
     }},
    {'K', kW - 0.04,
     [](cairo_t* cr) {
       line(cr, 0, 0, 0, 1);
       line(cr, kW - 0.04, 0, 0, 0.62);
       line(cr, 0.2, 0.44, kW - 0.04, 1);
     }},
    {'L', kW - 0.12,
     [](cairo_t* cr) {
       cairo_move_to(cr, 0, 0);
       cairo_line_to(cr, 0, 1);
       cairo_line_to(cr, kW - 0.12, 1);
     }},
    {'M', kW + 0.14,
     [](cairo_t* cr) {
       cairo_move_to(cr, 0, 1);
       cairo_line_to(cr, 0, 0);
       cairo_line_to(cr, (kW + 0.14) / 2, 0.62);
       cairo_line_to(cr, kW + 0.14, 0);
       cairo_line_to(cr, kW + 0.14, 1);
     }},
    {'O', kW, [](cairo_t* cr) { stadium(cr, kW); }},
    {'P', kW - 0.04,
     [](cairo_t* cr) {
       bowl(cr, 0, 0.54, kW - 0.04);
       cairo_move_to(cr, 0, 0);
       cairo_line_to(cr, 0, 1);
     }},
    {'Q', kW,
     [](cairo_t* cr) {
       stadium(cr, kW);
       line(cr, kW * 0.62, 0.74, kW + 0.06, 1.06);
     }},
    {'R', kW - 0.02,
     [](cairo_t* cr) {
       bowl(cr, 0, 0.54, kW - 0.04);
       cairo_move_to(cr, 0, 0);
       cairo_line_to(cr, 0, 1);
       line(cr, (kW - 0.04) * 0.55, 0.54, kW - 0.02, 1);
     }},
    {'S', kW - 0.02,
     [](cairo_t* cr) {
       const double w = kW - 0.02;
       cairo_move_to(cr, w * 0.96, 0.16);
       cairo_curve_to(cr, w * 0.8, -0.03, w * 0.08, -0.05, w * 0.03, 0.24);
       cairo_curve_to(cr, -0.02, 0.52, w, 0.44, w * 0.99, 0.74);
       cairo_curve_to(cr, w * 0.97, 1.05, w * 0.14, 1.05, 0, 0.83);
     }},
    {'V', kW + 0.04,
     [](cairo_t* cr) {
       cairo_move_to(cr, 0, 0);
       cairo_line_to(cr, (kW + 0.04) / 2, 1);
       cairo_line_to(cr, kW + 0.04, 0);
     }},
};

const Glyph* find(char c) {
  for (const Glyph& g : kGlyphs) {
    if (g.letter == c) return &g;
  }
  return nullptr;
}

constexpr double kSpace = 0.4;
}  // namespace

double width(const char* text, double tracking) {
  double w = 0;
  for (const char* c = text; *c; ++c) {
    const Glyph* g = find(*c);
    w += (g ? g->advance : kSpace) + (c[1] ? tracking : 0);
  }
  return w;
}

void path(cairo_t* cr, const char* text, double x, double top, double h, double tracking) {
  for (const char* c = text; *c; ++c) {
    const Glyph* g = find(*c);
    if (g) {
      cairo_save(cr);
      cairo_translate(cr, x, top);
      cairo_scale(cr, h, h);
      g->draw(cr);
      cairo_restore(cr);
    }
    x += ((g ? g->advance : kSpace) + tracking) * h;
  }
}

void stroke(cairo_t* cr, const char* text, double x, double top, double h, double tracking,
            double lineWidth) {
  cairo_new_path(cr);
  path(cr, text, x, top, h, tracking);
  cairo_set_line_width(cr, lineWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

}  // namespace Lettering
