#pragma once
#include <string>

/// The standalone host's window icon: a small knob on a graphite tile, written as a Windows .ico
/// with 16, 32 and 48 pixel images (32-bit, straight alpha).
namespace Icon {

/// Writes the .ico and a PNG preview of its largest image; false when a file cannot be written.
bool write(const std::string& icoPath, const std::string& previewPath);

}  // namespace Icon
