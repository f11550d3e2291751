#include "engine/ZR_Buffer.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "cmd/ZR_error.h"
#include "cmd/ZR_value_read.h"
#include "engine/ZR_Soundpipe.h"

namespace {
ZR_Buffer* of(ZR_Object* object) { return static_cast<ZR_Buffer*>(object); }
}  // namespace

ZR_Buffer::ZR_Buffer() {
  if (ZR_Soundpipe* pipe = ZR_Soundpipe::current) pipe->buffers.insert(&link);
  setLength(-1);
}

ZR_Buffer::~ZR_Buffer() {
  // Leaving the list lets the soundpipe run on safely after one of its buffers is gone.
  if (link.chain) link.chain->remove(&link);
  release();
}

void ZR_Buffer::release() {
  delete[] main;
  main = nullptr;
  shadow = nullptr;
  count = 0;
}

bool ZR_Buffer::setLength(int32_t setting) {
  if (setting < -1) return false;
  release();
  lengthSetting = setting;
  followed = nullptr;
  int32_t n = setting;
  if (setting == -1) {
    followed = ZR_Soundpipe::current;
    if (!followed) lengthSetting = 0;
    n = followed ? followed->blockLength : 0;
  }
  if (n <= 0) return true;
  // Both halves must be addressable; beyond that the allocator decides.
  const bool addressable =
      static_cast<uint64_t>(n) * 2 * sizeof(int32_t) <= static_cast<uint64_t>(PTRDIFF_MAX);
  int32_t* samples = addressable ? new (std::nothrow) int32_t[2 * static_cast<size_t>(n)] : nullptr;
  if (!samples) {
    lengthSetting = 0;
    followed = nullptr;
    ZR_ERROR_HERE("ZR_Buffer::setLength", ZR_ERROR_MEMORY_CANNOT_ALLOCATE);
    return false;
  }
  main = samples;
  shadow = samples + n;
  count = n;
  position %= n;
  std::memset(main, 0, static_cast<size_t>(n) * sizeof(int32_t));
  return true;
}

bool ZR_Buffer::setLengthLike(const ZR_Buffer& model) {
  if (!model.followed) return setLength(model.lengthSetting);
  if (!setLength(model.count)) return false;
  lengthSetting = -1;
  followed = model.followed;
  return true;
}

int32_t ZR_Buffer::length() const { return followed ? followed->blockLength : lengthSetting; }

int32_t ZR_Buffer::blockLength() const {
  const int32_t n = length();
  if (n < 0) return 0;
  return n < count ? n : count;
}

ZR_Object* ZR_Buffer::create() { return new ZR_Buffer; }

ZR_value ZR_Buffer::m_l(ZR_Object* object, ZR_value value) {
  if (value.kind == ZR_KIND_INTEGER) of(object)->setLength(value.value.i);
  return ZR_value::integer(of(object)->length());
}

ZR_value ZR_Buffer::m_t(ZR_Object* object, ZR_value value) {
  if (value.kind == ZR_KIND_TEXT) of(object)->tag = value.value.s;
  if (value.kind == ZR_KIND_OBJECT) of(object)->tag = static_cast<const char*>(value.value.p);
  return ZR_value::text(of(object)->tag);
}

ZR_value ZR_Buffer::m_limit(ZR_Object* object, ZR_value value) {
  int32_t limit;
  if (value.isSet() && ZR_number_truncated(value, &limit)) of(object)->limit = limit;
  return ZR_value::integer(of(object)->limit);
}

const ZR_Option ZR_Buffer::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Buffer::create),
    ZR_OPTION("l", m_l),
    ZR_OPTION("t", m_t),
    ZR_OPTION("limit", m_limit),
    ZR_OPTION("delete", ZR_Object::m_delete),
    ZR_OPTION_NEXT(ZR_Object::table),
};
