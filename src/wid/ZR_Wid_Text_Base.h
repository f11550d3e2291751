#pragma once
#include <cstdint>
#include <string>

#include "wid/ZR_Wid_Pic.h"

/// One line of text drawn by the system's text drawing into the widget's picture, shown with a
/// transparent background: every pixel the text leaves at 0 stays transparent, every other one is
/// opaque (so text drawn in black never shows). The platform layer renders; this holds the settings.
class ZR_Wid_Text_Base : public ZR_Wid_Pic {
 public:
  /// Longest text kept, its terminating zero byte included; longer texts are cut.
  static constexpr int kTextCapacity = 256;

  /// Makes the font of face, size and weight (only with a face and a size); the base has no fonts.
  virtual void makeFont() {}

  /// The characters to draw. [window thread]
  const char* text() const { return text_; }
  /// Whether the picture no longer shows the text as set: its characters, font, colour or
  /// alignment changed since the last render. draw renders first when it is. [window thread]
  bool stale() const { return stale_; }

  static ZR_value m_text(ZR_Object* object, ZR_value value);
  static ZR_value m_color(ZR_Object* object, ZR_value value);
  static ZR_value m_font(ZR_Object* object, ZR_value value);
  static ZR_value m_size(ZR_Object* object, ZR_value value);
  static ZR_value m_horz(ZR_Object* object, ZR_value value);
  static ZR_value m_bold(ZR_Object* object, ZR_value value);

  uint32_t color = 0x00FFFFFF;   // 0x00BBGGRR, red in the low byte
  uint32_t backgroundColor = 0;  // fill behind the characters; black disappears
  int32_t size = 0;              // character height in pixels
  int32_t horz = 0;              // below 0 left, 0 centred, above 0 right
  bool bold = false;             // weight 700 instead of 400

  /// The typeface name, or null for the default font.
  const char* face() const { return hasFace_ ? face_.c_str() : nullptr; }

 protected:
  ZR_Wid_Text_Base();
  /// The platform's render calls this once the picture shows the text as set.
  void markRendered() { stale_ = false; }
  void markStale() { stale_ = true; }

 private:
  void setText(const char* given);

  // Copies, not the caller's pointers: a word written in a command is gone once the command has
  // run, and a caller may reuse one buffer for every text it sets.
  char text_[kTextCapacity] = {};
  bool stale_ = true;
  std::string face_;
  bool hasFace_ = false;
};
