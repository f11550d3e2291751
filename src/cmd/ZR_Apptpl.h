#pragma once
#include <cstdint>

#include "cmd/ZR_error.h"
#include "cmd/ZR_value.h"

class ZR_Win;

/// Application template: a product builds its graph and editor here and owns what it built.
class ZR_Apptpl {
 public:
  virtual ~ZR_Apptpl() = default;

  /// Creates the product's objects and sets width and height. [constructing thread]
  virtual ZR_error build() = 0;
  /// Connects the editor's widgets to a window. [window thread]
  virtual ZR_error attach(ZR_Win* window) = 0;
  /// Disconnects the editor's widgets. [window thread]
  virtual ZR_error detach() = 0;
  /// Deletes every object build made.
  virtual ZR_error destroy() = 0;
  /// Whether the product hands its whole state to a host as one block.
  virtual bool hasChunk() { return false; }
  /// The state block: an object value whose length is its size in bytes.
  virtual ZR_value getChunk() { return ZR_value(); }
  virtual void setChunk(ZR_value chunk) { (void)chunk; }

  int32_t width = 0;
  int32_t height = 0;
};
