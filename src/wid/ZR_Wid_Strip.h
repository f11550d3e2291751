#pragma once
#include <cstdint>
#include <string>

#include "cmd/ZR_value.h"
#include "gfx/ZR_Vid.h"

/// The animation strip of a button or knob with the resource name it came from. A widget takes the
/// mouse only on the opaque pixels of the frame it shows.
class ZR_Wid_Strip {
 public:
  /// Remembers the name (a copy) and maps the resource; a bad one is reported and the strip keeps
  /// its previous frames.
  void setResource(const char* name);
  /// The name last given, as a text value (none before the first).
  ZR_value resource() const { return ZR_value::text(named_ ? name_.c_str() : nullptr); }
  bool named() const { return named_; }

  /// Whether pixel (x, y) of frame f has alpha 128 or more; false outside the strip.
  bool opaque(int32_t f, int32_t x, int32_t y) const;

  ZR_Vid vid;

 private:
  std::string name_;
  bool named_ = false;
};
