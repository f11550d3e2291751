#include "Panel.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "Style.h"

namespace Panel {

namespace {
using Shade = Canvas::Shade;

constexpr int kPiece = 10;
constexpr Shade kClear{0, 0, 0, 0};

Shade black(double a) { return {0, 0, 0, a}; }
Shade white(double a) { return {1, 1, 1, a}; }

// Straight-alpha "over": what a translucent layer on a translucent layer looks like.
Shade over(Shade top, Shade below) {
  const double a = top.a + below.a * (1 - top.a);
  if (a <= 0) return kClear;
  const auto c = [&](double t, double b) { return (t * top.a + b * below.a * (1 - top.a)) / a; };
  return {c(top.r, below.r), c(top.g, below.g), c(top.b, below.b), a};
}

// Light on a surface leaning towards n: 1 facing the light, -1 facing away.
double lighting(double nx, double ny) { return nx * Style::kLightX + ny * Style::kLightY; }

// Depth of a point inside the frame outline (negative outside it) and the outline's outward normal
// there. The outline runs along the piece's outer sides and rounds its corner with radius.
struct Edge {
  double depth, nx, ny;
};
Edge edgeOf(Piece piece, double x, double y, double radius) {
  const double cx = piece.column < 0 ? radius : kPiece - radius;
  const double cy = piece.row < 0 ? radius : kPiece - radius;
  const double vx = x - cx, vy = y - cy;
  if (piece.column != 0 && piece.row != 0 && vx * piece.column > 0 && vy * piece.row > 0) {
    const double length = std::hypot(vx, vy);
    return {radius - length, vx / length, vy / length};
  }
  Edge best{1e9, 0, 0};
  const auto consider = [&best](double depth, double nx, double ny) {
    if (depth < best.depth) best = {depth, nx, ny};
  };
  if (piece.column < 0) consider(x, -1, 0);
  if (piece.column > 0) consider(kPiece - x, 1, 0);
  if (piece.row < 0) consider(y, 0, -1);
  if (piece.row > 0) consider(kPiece - y, 0, 1);
  return best;
}

// A raised bezel: dark outline, a bright chamfer, a soft rounded slope, then the seam where the
// face plate begins.
Shade bezelAt(double depth, double light) {
  if (depth < 0) return black(0.94);
  if (depth < 1) return black(0.78);
  if (depth < 2) return over(white(0.06 + 0.30 * std::max(light, 0.0)), black(0.22 * std::max(-light, 0.0)));
  if (depth < 7.5) {
    const double fade = std::pow(1 - (depth - 2) / 5.5, 1.4);
    return light > 0 ? white(0.16 * light * fade) : black(0.34 * -light * fade);
  }
  if (depth < 8.5) return black(0.30);
  if (depth < 9.5) return white(0.05);
  return kClear;
}

// A recess: a lit lip, then the inner wall (shadowed where it faces away from the light) over the
// same darkened floor that the middle fill carries.
constexpr double kFloorAlpha = 0.30;
constexpr double kRimDepth = 6;
Shade recessAt(double depth, double light) {
  if (depth < 0 || depth >= kRimDepth) return kClear;
  if (depth < 1) return over(white(0.04 + 0.16 * std::max(light, 0.0)), black(0.14 * std::max(-light, 0.0)));
  const double wall = -light;  // the wall faces into the recess
  const double fade = 1 - (depth - 1) / (kRimDepth - 1);
  const Shade shading = wall > 0 ? white(0.09 * wall * fade) : black(0.55 * -wall * (0.35 + 0.65 * fade));
  return over(shading, black(kFloorAlpha));
}

// Seamless 1-D noise over period samples: random values smoothed round the circle.
std::vector<double> periodicNoise(std::mt19937& random, int period, int smoothing) {
  std::uniform_real_distribution<double> uniform(-1, 1);
  std::vector<double> raw(period), out(period);
  for (double& v : raw) v = uniform(random);
  for (int i = 0; i < period; ++i) {
    double sum = 0;
    for (int k = -smoothing; k <= smoothing; ++k) sum += raw[(i + k + period) % period];
    out[i] = sum / (2 * smoothing + 1);
  }
  return out;
}
}  // namespace

void background(Canvas& canvas) {
  const int w = canvas.width(), h = canvas.height();
  std::mt19937 random(1049);
  // Brushed along x: each row has its own streaks, and rows differ slightly in tone.
  std::vector<std::vector<double>> streaks;
  for (int y = 0; y < h; ++y) streaks.push_back(periodicNoise(random, w, 5));
  const std::vector<double> rowTone = periodicNoise(random, h, 1);
  std::uniform_real_distribution<double> grain(-1, 1);
  std::vector<double> speckle(static_cast<size_t>(w) * h);
  for (double& v : speckle) v = grain(random);
  canvas.fill(1, [&](double x, double y) {
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    const double v = 1 + 0.10 * streaks[iy][ix] + 0.05 * rowTone[iy] + 0.025 * speckle[iy * w + ix];
    return Shade{Style::kFace.r * v, Style::kFace.g * v, Style::kFace.b * v, 1};
  });
}

void bezel(Canvas& canvas, Piece piece) {
  canvas.fill(4, [&](double x, double y) {
    const Edge e = edgeOf(piece, x, y, 8);
    return bezelAt(e.depth, lighting(e.nx, e.ny));
  });
}

void recessRim(Canvas& canvas, Piece piece) {
  canvas.fill(4, [&](double x, double y) {
    const Edge e = edgeOf(piece, x, y, kRimDepth);
    return recessAt(e.depth, lighting(e.nx, e.ny));
  });
}

void recessFloor(Canvas& canvas) {
  // A fine perforation on a 4-pixel pitch, which divides the tile, so the repeat never shows.
  canvas.fill(1, [](double x, double y) {
    const int u = static_cast<int>(x) % 4, v = static_cast<int>(y) % 4;
    if (u == 1 && v == 1) return black(kFloorAlpha + 0.16);
    if (u == 2 && v == 2) return over(white(0.035), black(kFloorAlpha));
    return black(kFloorAlpha);
  });
}

}  // namespace Panel
