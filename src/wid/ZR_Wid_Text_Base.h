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

  /// The characters to draw. [window thread, or a host thread setting a parameter]
  const char* text() const { return text_; }
  /// The text argument last given, compared by identity to know whether draw must render again.
  const void* textSource() const { return textSource_; }

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

 private:
  void setText(const char* given);

  // Copies, not the caller's pointers: a word written in a command is gone once the command has
  // run, and a fixed buffer never moves while another thread renders from it.
  char text_[kTextCapacity] = {};
  const void* textSource_ = nullptr;
  std::string face_;
  bool hasFace_ = false;
};
