#pragma once
#include "gfx/ZR_Pic.h"
#include "wid/ZR_Wid_Pal_Line.h"
#include "wid/ZR_Wid_Pic.h"

/// A segmented level meter. Its resource is an index picture whose pixels carry segment numbers in
/// one colour byte; setting a level recolours, in the display picture that the widget shows, the
/// segments between the old and the new level: lit below, the one the level falls in blended by
/// its fraction, bg above. The line record holds the meter's settings and state.
class ZR_Wid_Pal final : public ZR_Wid_Pic {
 public:
  /// Sets the level (a fraction of the segment range); repaints unless quiet. Without a line record
  /// it does nothing. [window thread] Blocks up to 1000 ms on the paint lock unless quiet.
  void level(float x, bool quiet);

  static ZR_Object* create() { return new ZR_Wid_Pal; }
  static ZR_value m_res(ZR_Object* object, ZR_value value);
  static ZR_value m_mn(ZR_Object* object, ZR_value value);
  static ZR_value m_rl(ZR_Object* object, ZR_value value);
  static ZR_value m_mx(ZR_Object* object, ZR_value value);
  static ZR_value m_bg(ZR_Object* object, ZR_value value);
  static ZR_value m_fg(ZR_Object* object, ZR_value value);
  static ZR_value m_rg(ZR_Object* object, ZR_value value);
  static ZR_value m_cg(ZR_Object* object, ZR_value value);
  static ZR_value m_ch(ZR_Object* object, ZR_value value);
  static ZR_value m_ln(ZR_Object* object, ZR_value value);
  static ZR_value m_level(ZR_Object* object, ZR_value value);

  /// "ZR_Wid_Pal": constructor, "res" "mn" "rl" "mx" "bg" "fg" "rg" "cg" "ch" "ln" "level";
  /// continues in the ZR_Wid table.
  static const ZR_Option table[];

  ZR_Pic<ZR_Pix_A32> indexPicture;  // mapped from the resource, never written
  ZR_Wid_Pal_Line* line = nullptr;

 private:
  void prepare();
  void paintSegment(int32_t k, const ZR_Pix_A32& color);
};
