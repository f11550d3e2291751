#include "wid/ZR_Wid_Pal.h"

#include <algorithm>
#include <cmath>

#include "cmd/ZR_value_read.h"

namespace {
// The segment byte of an index pixel: channel 0 blue, 1 green, 2 red.
int shiftOf(int32_t channel) { return 8 * std::clamp(channel, 0, 2); }
int32_t segmentOf(const ZR_Pix_A32& pixel, int32_t channel) {
  return static_cast<int32_t>((pixel.argb() >> shiftOf(channel)) & 0xFF);
}
// An index pixel with its segment byte and alpha byte at 0, as the meter's key is compared.
uint32_t keyOf(uint32_t argb, int32_t channel) { return argb & ~(0xFFu << shiftOf(channel)) & 0x00FFFFFFu; }

// (1 - frac) of bg and frac of c in each of the four bytes: the segment the level falls in.
ZR_Pix_A32 partial(uint32_t bg, uint32_t c, float frac) {
  uint32_t mixed = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const float part = (1.0f - frac) * static_cast<float>((bg >> shift) & 0xFF) +
                       frac * static_cast<float>((c >> shift) & 0xFF);
    mixed |= static_cast<uint32_t>(std::clamp(static_cast<int>(part), 0, 255)) << shift;
  }
  return ZR_Pix_A32::fromArgb(mixed);
}
}  // namespace

// Rows from the bottom up and columns from the left; each segment's box grows to hold its pixels.
void ZR_Wid_Pal::prepare() {
  ZR_Wid_Pal_Line& l = *line;
  for (int32_t y = indexPicture.height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < indexPicture.width; ++x) {
      const ZR_Pix_A32 pixel = indexPicture.at(x, y);
      const int32_t s = segmentOf(pixel, l.channel);
      if (s < l.mn || s > l.mx || keyOf(pixel.argb(), l.channel) != l.key) continue;
      ZR_Wid_Pal_Line::Box& box = l.boxes[s];
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    }
  }
  l.prepared = true;
  l.level = 1.0f;
  level(0.0f, false);
}

void ZR_Wid_Pal::level(float x, bool quiet) {
  if (!line || !std::isfinite(x)) return;
  if (!line->prepared) prepare();
  ZR_Wid_Pal_Line& l = *line;
  const int32_t n = l.mx - l.mn + 1;
  const int32_t cur = ZR_word_truncated(static_cast<long double>(n) * l.level + l.mn);
  const float tf = static_cast<float>(static_cast<long double>(n) * x + l.mn);
  const int32_t target = ZR_word_truncated(tf);
  const float frac = tf - static_cast<float>(target);
  const bool rising = target > cur;
  l.level = x;

  // Only segments that can have pixels are visited (mn to mx, and a byte's range); the order does
  // not matter, since every pixel belongs to one segment.
  const int32_t first = std::max({std::min(cur, target), l.mn, 0});
  const int32_t last = std::min({std::max(cur, target), l.mx, ZR_Wid_Pal_Line::kSegments - 1});
  const int32_t width = std::min(indexPicture.width, picture.width);
  const int32_t height = std::min(indexPicture.height, picture.height);
  for (int32_t k = first; k <= last; ++k) {
    const float h = static_cast<float>(k - l.mn) / static_cast<float>(l.mx - l.mn);
    const uint32_t c = h < l.rl ? l.fg : l.rg;
    const ZR_Pix_A32 color = k == target ? partial(l.bg, c, frac) : ZR_Pix_A32::fromArgb(rising ? c : l.bg);
    const ZR_Wid_Pal_Line::Box& box = l.boxes[k];
    for (int32_t py = std::max(box.top, 0); py <= std::min(box.bottom, height - 1); ++py) {
      for (int32_t px = std::max(box.left, 0); px <= std::min(box.right, width - 1); ++px) {
        const ZR_Pix_A32 index = indexPicture.at(px, py);
        if (segmentOf(index, l.channel) != k || keyOf(index.argb(), l.channel) != l.key) continue;
        ZR_Pix_A32 out = color;
        out.a = static_cast<uint8_t>(out.a * index.a / 255);
        picture.at(px, py) = out;
      }
    }
  }
  if (!quiet && window) update();
}

ZR_value ZR_Wid_Pal::m_res(ZR_Object* object, ZR_value value) {
  ZR_Wid_Pal* meter = static_cast<ZR_Wid_Pal*>(object);
  if (value.kind == ZR_KIND_TEXT && value.value.s) {
    meter->rememberResource(value.value.s);
    ZR_Pic<ZR_Pix_A32>& index = meter->indexPicture;
    index.mapResource(meter->resourceName_.c_str());
    if (meter->picture.width != index.width || meter->picture.height != index.height ||
        !meter->picture.pixels) {
      meter->picture.create(index.width, index.height);
    }
    if (index.hasPixels())
      std::copy_n(index.pixels, static_cast<size_t>(index.width) * index.height, meter->picture.pixels);
  }
  return meter->reportResource();
}

namespace {
// The line settings share one protocol: nothing without a line record, and no value reported.
template <typename T, typename Read, typename Report>
ZR_value lineField(ZR_Object* object, const ZR_value& value, T ZR_Wid_Pal_Line::*field, Read read,
                   Report report) {
  ZR_Wid_Pal_Line* line = static_cast<ZR_Wid_Pal*>(object)->line;
  if (!line) return ZR_value();
  T given{};
  if (read(value, &given)) line->*field = given;
  return report(line->*field);
}

ZR_value reportInteger(int32_t v) { return ZR_value::integer(v); }
ZR_value reportColor(uint32_t v) { return ZR_value::integer(static_cast<int32_t>(v)); }
ZR_value reportReal(float v) { return ZR_value::real(v); }
}  // namespace

ZR_value ZR_Wid_Pal::m_mn(ZR_Object* object, ZR_value value) {
  return lineField(object, value, &ZR_Wid_Pal_Line::mn, ZR_number_truncated, reportInteger);
}
ZR_value ZR_Wid_Pal::m_rl(ZR_Object* object, ZR_value value) {
  return lineField(object, value, &ZR_Wid_Pal_Line::rl, ZR_number_real, reportReal);
}
ZR_value ZR_Wid_Pal::m_mx(ZR_Object* object, ZR_value value) {
  return lineField(object, value, &ZR_Wid_Pal_Line::mx, ZR_number_truncated, reportInteger);
}
ZR_value ZR_Wid_Pal::m_bg(ZR_Object* object, ZR_value value) {
  return lineField(object, value, &ZR_Wid_Pal_Line::bg, ZR_color_of, reportColor);
}
ZR_value ZR_Wid_Pal::m_fg(ZR_Object* object, ZR_value value) {
  return lineField(object, value, &ZR_Wid_Pal_Line::fg, ZR_color_of, reportColor);
}
ZR_value ZR_Wid_Pal::m_rg(ZR_Object* object, ZR_value value) {
  return lineField(object, value, &ZR_Wid_Pal_Line::rg, ZR_color_of, reportColor);
}
ZR_value ZR_Wid_Pal::m_cg(ZR_Object* object, ZR_value value) {
  return lineField(object, value, &ZR_Wid_Pal_Line::key, ZR_color_of, reportColor);
}

// The first letter picks the byte (any other letter keeps it); the key then loses that byte and
// its alpha byte, which index pixels are compared without.
ZR_value ZR_Wid_Pal::m_ch(ZR_Object* object, ZR_value value) {
  ZR_Wid_Pal_Line* line = static_cast<ZR_Wid_Pal*>(object)->line;
  if (!line) return ZR_value();
  static constexpr const char* kLetters[] = {"b", "g", "r"};
  if (value.kind == ZR_KIND_TEXT && value.value.s) {
    for (int32_t channel = 0; channel < 3; ++channel) {
      if (value.value.s[0] == kLetters[channel][0]) line->channel = channel;
    }
    line->key = keyOf(line->key, line->channel);
  }
  return ZR_value::text(kLetters[std::clamp(line->channel, 0, 2)]);
}

ZR_value ZR_Wid_Pal::m_ln(ZR_Object* object, ZR_value value) {
  ZR_Wid_Pal* meter = static_cast<ZR_Wid_Pal*>(object);
  void* given = nullptr;
  if (ZR_pointer_of(value, &given)) meter->line = static_cast<ZR_Wid_Pal_Line*>(given);
  return ZR_value::object(meter->line);
}

ZR_value ZR_Wid_Pal::m_level(ZR_Object* object, ZR_value value) {
  float given = 0.0f;
  if (ZR_number_real(value, &given)) static_cast<ZR_Wid_Pal*>(object)->level(given, false);
  return ZR_value();
}

const ZR_Option ZR_Wid_Pal::table[] = {
    ZR_OPTION_CONSTRUCTOR(create), ZR_OPTION("res", m_res), ZR_OPTION("mn", m_mn),
    ZR_OPTION("rl", m_rl),         ZR_OPTION("mx", m_mx),   ZR_OPTION("bg", m_bg),
    ZR_OPTION("fg", m_fg),         ZR_OPTION("rg", m_rg),   ZR_OPTION("cg", m_cg),
    ZR_OPTION("ch", m_ch),         ZR_OPTION("ln", m_ln),   ZR_OPTION("level", m_level),
    ZR_OPTION_NEXT(ZR_Wid::table),
};
