#pragma once
#include <cairo.h>

/// The wordmark (160 x 30): a low-pass response curve in the accent colour beside "QORM" in
/// engraved aluminium letters, on a transparent ground.
namespace Logo {

void draw(cairo_t* cr);

}  // namespace Logo
