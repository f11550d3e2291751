#pragma once
#include <cstdint>
#include <memory>
#include <string>

/// One installed typeface at one pixel size, found through fontconfig and drawn with FreeType: the
/// headless counterpart of a GDI font. Each font has its own FreeType library, so two fonts may draw
/// on two threads at once; one font is used by one thread at a time.
class ZR_Font_Native {
 public:
  /// The face fontconfig chooses for family (null: the default sans face), pixelSize pixels to
  /// the em, bold weight if asked; null when nothing usable is installed. [window thread] Allocates.
  static std::unique_ptr<ZR_Font_Native> open(const char* family, int pixelSize, bool bold);
  ~ZR_Font_Native();
  ZR_Font_Native(const ZR_Font_Native&) = delete;
  ZR_Font_Native& operator=(const ZR_Font_Native&) = delete;

  /// Family name of the face in use (after fontconfig's substitution).
  const std::string& family() const { return family_; }
  /// Whether the face in use is a bold one.
  bool bold() const;

  /// Draws text (bytes read as Latin-1) as one line into a width x height coverage map (0..255 per
  /// pixel, row by row), clipped to it and vertically centred; horz below 0 aligns left, 0 centres,
  /// above 0 aligns right, as DrawTextA's single-line formats do.
  void drawLine(const char* text, uint8_t* coverage, int width, int height, int horz) const;

 private:
  ZR_Font_Native() = default;
  int lineWidth(const char* text) const;

  struct FreeType;
  std::unique_ptr<FreeType> freetype_;
  std::string family_;
};
