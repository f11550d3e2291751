#include "ZR_Font_Native.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

struct ZR_Font_Native::FreeType {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeType() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

namespace {
// The process's own fontconfig configuration, loaded on first use and released at exit (the
// library's implicit default configuration is never released).
FcConfig* fontConfig() {
  static const struct Holder {
    FcConfig* config = FcInitLoadConfigAndFonts();
    ~Holder() {
      if (config) FcConfigDestroy(config);
    }
  } holder;
  return holder.config;
}

// Whether any family name of a matched face is the one asked for.
bool hasFamily(FcPattern* match, const char* family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
  }
  return false;
}

// The best installed face for family (null: the default sans face) in the given width.
FcPattern* matchFace(const char* family, bool bold, int width) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family ? family : "sans-serif"));
  if (family) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_WIDTH, width);
  FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
  FcConfig* config = fontConfig();
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = config ? FcFontMatch(config, pattern, &result) : nullptr;
  FcPatternDestroy(pattern);
  return match;
}

// The file and face index fontconfig picks for a family, with its usual substitutes when the family
// itself is not installed (Tahoma becomes the system's sans face on a machine without it). A
// substitute is taken semi-condensed where one is installed: the faces asked for by name here are
// narrow ones, and text laid out for them should still fit its widget.
bool findFace(const char* family, bool bold, std::string* file, int* index) {
  FcPattern* match = matchFace(family, bold, FC_WIDTH_NORMAL);
  if (match && family && !hasFamily(match, family)) {
    FcPatternDestroy(match);
    match = matchFace(family, bold, FC_WIDTH_SEMICONDENSED);
  }
  if (!match) return false;
  FcChar8* path = nullptr;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
  if (found) {
    *file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch) *index = 0;
  }
  FcPatternDestroy(match);
  return found;
}

// 26.6 fixed point to whole pixels, rounded up for extents as GDI's text metrics are.
int ceilPixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }
}  // namespace

std::unique_ptr<ZR_Font_Native> ZR_Font_Native::open(const char* family, int pixelSize, bool bold) {
  std::string file;
  int index = 0;
  if (pixelSize <= 0 || !findFace(family, bold, &file, &index)) return nullptr;
  std::unique_ptr<ZR_Font_Native> font(new ZR_Font_Native);
  font->freetype_ = std::make_unique<FreeType>();
  FreeType& ft = *font->freetype_;
  if (FT_Init_FreeType(&ft.library) != 0) return nullptr;
  if (FT_New_Face(ft.library, file.c_str(), index, &ft.face) != 0) return nullptr;
  if (FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return nullptr;
  font->family_ = ft.face->family_name ? ft.face->family_name : "";
  return font;
}

ZR_Font_Native::~ZR_Font_Native() = default;

bool ZR_Font_Native::bold() const { return (freetype_->face->style_flags & FT_STYLE_FLAG_BOLD) != 0; }

int ZR_Font_Native::lineWidth(const char* text) const {
  FT_Face face = freetype_->face;
  FT_Pos width = 0;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    if (FT_Load_Char(face, *c, FT_LOAD_DEFAULT) == 0) width += face->glyph->advance.x;
  }
  return ceilPixels(width);
}

void ZR_Font_Native::drawLine(const char* text, uint8_t* coverage, int width, int height, int horz) const {
  FT_Face face = freetype_->face;
  const int ascent = ceilPixels(face->size->metrics.ascender);
  const int lineHeight = ascent + ceilPixels(-face->size->metrics.descender);
  const int textWidth = lineWidth(text);
  int penX = horz < 0 ? 0 : horz == 0 ? (width - textWidth) / 2 : width - textWidth;
  const int baseline = (height - lineHeight) / 2 + ascent;
  FT_Pos pen = static_cast<FT_Pos>(penX) * 64;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    if (FT_Load_Char(face, *c, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot glyph = face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int left = static_cast<int>(pen >> 6) + glyph->bitmap_left;
    const int top = baseline - glyph->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
      const int y = top + row;
      if (y < 0 || y >= height) continue;
      const unsigned char* source = bitmap.buffer + row * bitmap.pitch;
      for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
        const int x = left + column;
        if (x < 0 || x >= width) continue;
        uint8_t& cell = coverage[y * width + x];
        cell = std::max(cell, source[column]);
      }
    }
    pen += glyph->advance.x;
  }
}
