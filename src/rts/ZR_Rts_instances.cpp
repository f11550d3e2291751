#include "rts/ZR_Rts_instances.h"

constinit ZR_Chain ZR_Rts_instances;

void ZR_Rts_Class::add(ZR_Rts* device) {
  list.insert(&device->classLink);
  ZR_Rts_instances.insert(&device->instanceLink);
}

void ZR_Rts_Class::clear() {
  while (list.first() != list.end()) {
    ZR_Rts* device = static_cast<ZR_Rts*>(list.first()->data);
    list.remove(&device->classLink);
    ZR_Rts_instances.remove(&device->instanceLink);
    delete device;
  }
}
