#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/ZR_Pic_Base.h"
#include "gfx/ZR_Pix_A32.h"
#include "gfx/ZR_Rect.h"

/// A read-only view of a ZRVF animation strip: frames of equal size cut into shared 4x4 blocks.
/// It owns nothing; both pointers point into the resource.
class ZR_Vid {
 public:
  static constexpr int32_t kBlock = 4;
  static constexpr size_t kHeaderBytes = 20;

  /// Points the view at a ZRVF resource of size bytes. A wrong magic, or a header, size or block
  /// number that does not fit the data, is reported ("Invalid ZRVF header") and keeps the old view.
  bool map(const void* data, size_t size);
  /// Looks the resource of type "DATA" up by name and maps it; a missing one is reported by the lookup.
  bool mapResource(const char* name);

  bool hasFrames() const { return frameCount > 0 && width > 0 && height > 0; }
  int32_t columns() const { return (width - 1) / kBlock + 1; }
  int32_t rows() const { return (height - 1) / kBlock + 1; }

  /// Pixel (x, y) of frame f; the caller keeps all three inside the strip.
  const ZR_Pix_A32& pixel(int32_t f, int32_t x, int32_t y) const;

  /// Blends the part rect of frame f onto dest with its top-left corner at (x, y); no wrapping. A
  /// frame outside the strip draws nothing, and rect is cut to the frame and to dest.
  void draw(int32_t f, ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& rect) const;

  int32_t blockCount = 0;
  int32_t frameCount = 0;
  int32_t width = 0;
  int32_t height = 0;
  const ZR_Pix_A32* blocks = nullptr;  // 16 pixels per block, 4 rows of 4
  const uint16_t* index = nullptr;     // frame by frame, block row by block row, column by column
};
