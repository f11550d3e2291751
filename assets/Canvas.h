#pragma once
#include <cairo.h>

#include <functional>
#include <string>

#include "ZR_encode.h"

/// A transparent cairo image to draw one picture or frame into, read back with straight alpha.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  /// Colour (straight, 0..1) of a point, for pictures computed pixel by pixel.
  struct Shade {
    double r, g, b, a;
  };
  /// Sets every pixel to the average of n x n samples of shade(x, y) inside it: our own
  /// supersampling for shapes given as functions (bevels, textures).
  void fill(int n, const std::function<Shade(double x, double y)>& shade);

  /// The pixels with straight alpha, as the resource formats store them.
  ZR_Pixels pixels() const;
  /// Replaces the image by these pixels (straight alpha), to preview pictures made pixel by pixel.
  void show(const ZR_Pixels& pixels);
  /// Writes the image as a PNG; false when it cannot be written.
  bool writePng(const std::string& path) const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};
