#include "wid/ZR_Wid_Butt.h"

#include "cmd/ZR_value_read.h"

void ZR_Wid_Butt::draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) {
  strip.vid.draw(state ? 1 : 0, dest, x, y, part);
}

void ZR_Wid_Butt::update() {
  shownFrame = state ? 1 : 0;
  ZR_Wid::update();
}

bool ZR_Wid_Butt::setState(bool on, bool act) {
  if (!act || on == state) return state;
  state = on;
  update();
  callBack();
  return state;
}

void ZR_Wid_Butt::press(int32_t, int32_t) {
  if (!var) {
    setState(!state, true);
    return;
  }
  // Only value and kind: the variable's length stays as it was. Its payload is not read here:
  // another thread may be writing it.
  ZR_value proposal = ZR_value::integer(state ? 0 : 1);
  proposal.length = var->length;
  propose(proposal);
}

ZR_value ZR_Wid_Butt::m_val(ZR_Object* object, ZR_value value) {
  ZR_Wid_Butt* button = static_cast<ZR_Wid_Butt*>(object);
  float given = 0.0f;
  if (ZR_number_real(value, &given)) button->setState(given != 0.0f, true);
  return ZR_value::real(button->state ? 1.0f : 0.0f);
}

const ZR_Option ZR_Wid_Butt::table[] = {
    ZR_OPTION_CONSTRUCTOR(create), ZR_OPTION("res", m_res), ZR_OPTION("com", m_com),
    ZR_OPTION("var", m_var),       ZR_OPTION("val", m_val), ZR_OPTION("dat", m_dat),
    ZR_OPTION_NEXT(ZR_Wid::table),
};
