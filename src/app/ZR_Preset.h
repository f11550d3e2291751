#pragma once
#include "app/ZR_Product.h"

class ZR_Application;

/// Preset files: the product string with its zero byte, then State as a 32-bit integer and the
/// Frequency knob value as a 32-bit float, little-endian, exactly presetHeaderSize + 8 bytes.
/// Every failure is shown once in a message box captioned "Error". [window thread]
class ZR_Preset {
 public:
  static constexpr long kFileSize = ZR_Product::presetHeaderSize + 8;

  /// Reads path into State and Frequency and applies them; a file of the wrong size or header
  /// changes nothing. Returns the message shown, or null on success.
  static const char* load(ZR_Application& app, const char* path);
  /// Writes State and Frequency to path. A failed save leaves at most a file shorter than a preset,
  /// which load refuses. Returns the message shown, or null on success.
  static const char* save(ZR_Application& app, const char* path);
};
