#include "engine/ZR_Effect.h"

#include <cstring>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"
#include "engine/kernels/ZR_kern_fade.h"

const char* const ZR_mode_names[ZR_MODE_COUNT] = {"set", "add", "sub", "stn", "adn", "sbn"};

namespace {
ZR_Effect* of(ZR_Object* object) { return static_cast<ZR_Effect*>(object); }
}  // namespace

ZR_Effect::ZR_Effect() {
  ZR_Soundpipe* pipe = ZR_Soundpipe::current;
  if (!pipe) return;
  soundpipe = pipe;
  pipe->effects.insert(&link, pipe->insertionPoint ? &pipe->insertionPoint->link : nullptr);
}

ZR_Effect::~ZR_Effect() {
  if (!soundpipe) return;
  soundpipe->effects.remove(&link);
  if (soundpipe->insertionPoint == this) soundpipe->insertionPoint = nullptr;
}

bool ZR_Effect::latchOn() {
  onInBlock = on.load(std::memory_order_relaxed);
  return onInBlock;
}

// A node that changes state works on a copy of main in the shadow array, so main keeps the signal
// without the node. The next node with another transition state resolves the pair with a crossfade
// over the whole block: from the switched node's output to the signal without it (switching off),
// or the other way round (switching on).
int32_t* ZR_Effect::samples(ZR_Buffer* buffer) {
  const int32_t t = onInBlock == wasOn ? 0 : (onInBlock ? 1 : -1);
  if (t != buffer->transition) {
    const int32_t n = buffer->blockLength();
    if (n > 0) {
      if (buffer->transition == -1) ZR_kern_fade_a(buffer->main, buffer->shadow, n);
      if (buffer->transition == 1) ZR_kern_fade_b(buffer->shadow, buffer->main, n);
      if (t != 0) std::memcpy(buffer->shadow, buffer->main, static_cast<size_t>(n) * sizeof(int32_t));
    }
    buffer->transition = t;
  }
  return t ? buffer->shadow : buffer->main;
}

bool ZR_Effect::moveBefore(ZR_Effect* other) {
  ZR_Soundpipe* pipe = ZR_Soundpipe::current;
  if (!pipe || !other || other == this) return false;
  if (link.chain != &pipe->effects || other->link.chain != &pipe->effects) return false;
  pipe->effects.remove(&link);
  pipe->effects.insert(&link, &other->link);
  return true;
}

ZR_value ZR_Effect::bufferOption(ZR_Buffer** slot, ZR_value value) {
  if (value.isSet()) ZR_object_of(value, slot);
  return ZR_value::object(*slot);
}

ZR_value ZR_Effect::m_before(ZR_Object* object, ZR_value value) {
  ZR_Effect* self = of(object);
  ZR_Effect* other;
  if (value.isSet() && ZR_object_of(value, &other)) self->moveBefore(other);
  const ZR_Chain* chain = self->link.chain;
  const bool last = !chain || self->link.next == chain->end();
  return ZR_value::object(last ? nullptr : self->link.next->data);
}

ZR_value ZR_Effect::m_mode(ZR_Object* object, ZR_value value) {
  ZR_Effect* self = of(object);
  const int32_t m = ZR_name_index(ZR_mode_names, ZR_MODE_COUNT, value);
  if (m >= 0) self->mode.store(m, std::memory_order_relaxed);
  return ZR_value::text(ZR_mode_names[self->modeIndex()]);
}

ZR_value ZR_Effect::m_clock(ZR_Object* object, ZR_value value) {
  ZR_Effect* self = of(object);
  int32_t rate;
  if (value.isSet() && ZR_number_truncated(value, &rate)) {
    self->clock.store(rate, std::memory_order_relaxed);
    self->recompute();
  }
  return ZR_value::integer(self->clock.load(std::memory_order_relaxed));
}

ZR_value ZR_Effect::m_on(ZR_Object* object, ZR_value value) {
  ZR_Effect* self = of(object);
  int32_t on;
  if (value.isSet() && ZR_number_truncated(value, &on)) self->setOn(on != 0);
  return ZR_value::integer(self->on.load(std::memory_order_relaxed) ? 1 : 0);
}

ZR_value ZR_Effect::m_debug(ZR_Object* object, ZR_value value) {
  ZR_Effect* self = of(object);
  int32_t debug;
  if (value.isSet() && ZR_number_truncated(value, &debug))
    self->debug.store(debug != 0, std::memory_order_relaxed);
  return ZR_value::integer(self->debug.load(std::memory_order_relaxed) ? 1 : 0);
}

const ZR_Option ZR_Effect::table[] = {
    ZR_OPTION_CONSTRUCTOR(nullptr),
    ZR_OPTION("before", m_before),
    ZR_OPTION("mode", m_mode),
    ZR_OPTION("clock", m_clock),
    ZR_OPTION("on", m_on),
    ZR_OPTION("debug", m_debug),
    ZR_OPTION("delete", ZR_Object::m_delete),
    ZR_OPTION_NEXT(ZR_Object::table),
};
