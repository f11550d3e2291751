#include "cmd/ZR_Object.h"

#include <mutex>
#include <unordered_set>

namespace {
// Every object alive, so that a command naming an address acts only on a real object. It lives as
// a static of this module (a host may unload the plug-in); objects that outlive it are not counted.
bool censusGone = false;
struct Census {
  std::mutex lock;
  std::unordered_set<const void*> alive;
  ~Census() { censusGone = true; }
};
Census& census() {
  static Census instance;
  return instance;
}
}  // namespace

ZR_Object::ZR_Object() {
  if (censusGone) return;
  Census& c = census();
  std::lock_guard<std::mutex> guard(c.lock);
  c.alive.insert(this);
}

ZR_Object::~ZR_Object() {
  if (censusGone) return;
  Census& c = census();
  std::lock_guard<std::mutex> guard(c.lock);
  c.alive.erase(this);
}

bool ZR_Object::exists(const void* address) {
  if (censusGone) return false;
  Census& c = census();
  std::lock_guard<std::mutex> guard(c.lock);
  return c.alive.count(address) != 0;
}

ZR_value ZR_Object::m_delete(ZR_Object* object, ZR_value) {
  delete object;
  return ZR_value();
}

const ZR_Option ZR_Object::table[] = {
    ZR_OPTION_CONSTRUCTOR(nullptr),
    ZR_OPTION("delete", m_delete),
    ZR_OPTION_NEXT(nullptr),
};
