#pragma once
#include <cstdint>
#include <string>

/// Writes a picture of 8-bit red, green, blue and alpha bytes (rows from the top, width x 4 bytes
/// each) as a PNG file. The image data goes into zlib stored blocks: the files are test artefacts
/// to look at, not to keep small. False when the file cannot be written.
bool writePng(const std::string& path, int32_t width, int32_t height, const uint8_t* rgba);
