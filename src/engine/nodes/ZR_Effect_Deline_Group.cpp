#include "engine/nodes/ZR_Effect_Deline_Group.h"

#include "engine/nodes/ZR_Effect_Deline_Group_Delay.h"

ZR_Effect_Deline_Group::~ZR_Effect_Deline_Group() { clearTaps(); }

int32_t ZR_Effect_Deline_Group::clearTaps() {
  int32_t freed = 0;
  while (taps.first() != taps.end()) {
    ZR_Chain_Item* item = taps.first();
    taps.remove(item);
    delete static_cast<ZR_Effect_Deline_Group_Delay*>(item->data);
    ++freed;
  }
  currentTap = nullptr;
  return freed;
}
