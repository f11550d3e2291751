#include "rts/ZR_Rts.h"

#include <cstdio>

namespace {

template <typename T>
void deleteEach(ZR_Chain& list) {
  while (list.first() != list.end()) {
    ZR_Chain_Item* item = list.first();
    list.remove(item);
    delete static_cast<T*>(item->data);
  }
}

}  // namespace

ZR_Rts::ZR_Rts(const char* name) {
  if (name) std::snprintf(name_, sizeof name_, "%s", name);
}

ZR_Rts::~ZR_Rts() {
  deleteEach<Mode>(modes);
  deleteEach<Chan>(inputs);
  deleteEach<Chan>(outputs);
}

ZR_error ZR_Rts::init() { return ZR_OK; }

ZR_error ZR_Rts::done() {
  deleteEach<Mode>(modes);
  deleteEach<Chan>(inputs);
  deleteEach<Chan>(outputs);
  return ZR_OK;
}

ZR_error ZR_Rts::mode(Mode* m) {
  setCurrentMode(m);
  return ZR_OK;
}

ZR_error ZR_Rts::free() {
  setCurrentMode(nullptr);
  deleteOutputs();
  return ZR_OK;
}

ZR_error ZR_Rts::start() {
  running_ = true;
  return ZR_OK;
}

ZR_error ZR_Rts::stop() {
  running_ = false;
  return ZR_OK;
}

ZR_error ZR_Rts::reserved() { return ZR_OK; }

void ZR_Rts::deleteOutputs() { deleteEach<Chan>(outputs); }
