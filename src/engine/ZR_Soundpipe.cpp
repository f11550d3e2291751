#include "engine/ZR_Soundpipe.h"

#include <cstring>

#include "cmd/ZR_interpreter.h"
#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Effect.h"

ZR_Soundpipe* ZR_Soundpipe::current = nullptr;

namespace {
ZR_Soundpipe* of(ZR_Object* object) { return static_cast<ZR_Soundpipe*>(object); }
}  // namespace

ZR_Soundpipe::ZR_Soundpipe() { current = this; }

ZR_Soundpipe::~ZR_Soundpipe() {
  if (current == this) current = nullptr;
  // The members outlive a soundpipe deleted out of order; they must not unlink from a freed list.
  effects.forEach<ZR_Effect>([](ZR_Effect* effect) {
    effect->soundpipe = nullptr;
    effect->link.chain = nullptr;
  });
  buffers.forEach<ZR_Buffer>([](ZR_Buffer* buffer) { buffer->link.chain = nullptr; });
}

ZR_Soundpipe::Edit::Edit(ZR_Soundpipe* pipe) : pipe_(pipe) {
  if (!pipe_) return;
  // Nodes store pending coefficients with release and blocks load them with acquire: a block that
  // sees one of them sees this edit open when it checks again.
  pipe_->edits_.fetch_add(1, std::memory_order_relaxed);
}

ZR_Soundpipe::Edit::~Edit() {
  if (pipe_) pipe_->edits_.fetch_add(kOpenMask, std::memory_order_release);
}

// A sequence lock with the nodes' pending sets as its data: stage them all, then keep them only if
// no edit opened or closed meanwhile. A block that finds an edit open keeps the sets in force and
// tries again at the next one.
void ZR_Soundpipe::commitPending() {
  const uint32_t seen = edits_.load(std::memory_order_acquire);
  if (seen == committed_ || (seen & kOpenMask) != 0) return;
  effects.forEach<ZR_Effect>([](ZR_Effect* effect) { effect->stageCoefficients(); });
  if (edits_.load(std::memory_order_relaxed) != seen) return;
  effects.forEach<ZR_Effect>([](ZR_Effect* effect) { effect->commitCoefficients(); });
  committed_ = seen;
}

int32_t ZR_Soundpipe::process() {
  commitPending();
  buffers.forEach<ZR_Buffer>([](ZR_Buffer* buffer) { buffer->transition = 0; });
  effects.forEach<ZR_Effect>([](ZR_Effect* effect) {
    const bool on = effect->latchOn();
    if (on || effect->wasOn) {
      if (!effect->prepared) effect->prepare();
      if (effect->prepared) effect->process();
    }
    if (on != effect->wasOn) {
      if (!on) effect->reset();
      effect->wasOn = on;
    }
  });
  return 0;
}

void ZR_Soundpipe::clear() {
  buffers.forEach<ZR_Buffer>([](ZR_Buffer* buffer) {
    if (buffer->count > 0) std::memset(buffer->main, 0, static_cast<size_t>(buffer->count) * sizeof(int32_t));
  });
  effects.forEach<ZR_Effect>([](ZR_Effect* effect) { effect->reset(); });
}

ZR_Object* ZR_Soundpipe::create() {
  // Null when there is no current soundpipe to return: the interpreter reports it.
  if (ZR_specialobject && std::strcmp(ZR_specialobject, "current") == 0) return current;
  return new ZR_Soundpipe;
}

ZR_value ZR_Soundpipe::m_bl(ZR_Object* object, ZR_value value) {
  if (value.kind == ZR_KIND_INTEGER) of(object)->blockLength = value.value.i;
  return ZR_value::integer(of(object)->blockLength);
}

ZR_value ZR_Soundpipe::m_be(ZR_Object* object, ZR_value value) {
  // Only a member can be the insertion point: a member that is deleted clears it.
  ZR_Effect* effect;
  if (value.isSet() && ZR_object_of(value, &effect) && (!effect || effect->soundpipe == of(object)))
    of(object)->insertionPoint = effect;
  return ZR_value::object(of(object)->insertionPoint);
}

ZR_value ZR_Soundpipe::m_b(ZR_Object* object, ZR_value) {
  if (current) return ZR_value::integer(0);
  current = of(object);
  return ZR_value::integer(1);
}

ZR_value ZR_Soundpipe::m_e(ZR_Object* object, ZR_value) {
  if (current != of(object)) return ZR_value::integer(0);
  current = nullptr;
  return ZR_value::integer(1);
}

const ZR_Option ZR_Soundpipe::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Soundpipe::create),
    ZR_OPTION("bl", m_bl),
    ZR_OPTION("be", m_be),
    ZR_OPTION("b", m_b),
    ZR_OPTION("e", m_e),
    ZR_OPTION_NEXT(ZR_Object::table),
};
