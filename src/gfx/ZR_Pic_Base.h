#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "gfx/ZR_Pix_A32.h"
#include "gfx/ZR_Rect.h"

/// A rectangle of pixels, rows from the top down with no padding. Either created (it owns its
/// pixels) or mapped onto a ZRIF resource (the pixels are the resource bytes and are never written).
/// Pictures belong to the window thread; painting reads them under the window's paint lock.
template <typename TPix>
class ZR_Pic_Base {
 public:
  ZR_Pic_Base() = default;
  virtual ~ZR_Pic_Base() = default;
  ZR_Pic_Base(const ZR_Pic_Base&) = delete;
  ZR_Pic_Base& operator=(const ZR_Pic_Base&) = delete;

  /// Fresh pixels of that size, contents undefined; negative sizes count as 0. Allocates.
  virtual void create(int32_t w, int32_t h);

  /// Points the picture at a ZRIF resource of size bytes, copying nothing. A wrong magic or a header
  /// whose sizes do not fit the data is reported ("Invalid ZRIF header") and leaves the picture as it was.
  bool map(const void* data, size_t size);
  /// Looks the resource of type "DATA" up by name and maps it; a missing one is reported by the lookup.
  bool mapResource(const char* name);

  TPix* row(int32_t y) const { return pixels + static_cast<ptrdiff_t>(y) * width; }
  TPix& at(int32_t x, int32_t y) const { return row(y)[x]; }
  bool hasPixels() const { return pixels != nullptr && width > 0 && height > 0; }

  /// Blends the part rect (own coordinates, may exceed the picture: it repeats as a tiling) onto dest
  /// with its top-left corner at (x, y). What falls outside dest is not drawn.
  void draw(ZR_Pic_Base& dest, int32_t x, int32_t y, const ZR_Rect& rect) const;

  int32_t width = 0;
  int32_t height = 0;
  TPix* pixels = nullptr;

 protected:
  /// Drops what the picture held and shows pixels owned elsewhere (a mapped resource, a bitmap).
  void point(TPix* first, int32_t w, int32_t h);

 private:
  std::unique_ptr<TPix[]> heap_;
};

extern template class ZR_Pic_Base<ZR_Pix_A32>;
