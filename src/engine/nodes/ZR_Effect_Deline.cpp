#include "engine/nodes/ZR_Effect_Deline.h"

#include <cmath>
#include <cstring>
#include <thread>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"
#include "engine/kernels/ZR_kern_deline.h"
#include "engine/nodes/ZR_Effect_Deline_Group.h"
#include "engine/nodes/ZR_Effect_Deline_Group_Delay.h"

namespace {

ZR_Effect_Deline* of(ZR_Object* object) { return static_cast<ZR_Effect_Deline*>(object); }

// Groups and taps are named only as values: they have no options of their own, so a command cannot
// delete one behind its node's back.
const ZR_Option kPartTable[] = {
    ZR_OPTION_CONSTRUCTOR(nullptr),
    ZR_OPTION_NEXT(nullptr),
};

// v as a fraction of scale (scale = 1.0), truncated toward zero and saturated: "da" 2.0 does not fit.
bool gain(const ZR_value& value, double scale, int32_t* result) {
  float v;
  if (!value.isSet() || !ZR_number_real(value, &v)) return false;
  *result = ZR_word_truncated(static_cast<double>(v) * scale);
  return true;
}

}  // namespace

ZR_Effect_Deline::ZR_Effect_Deline()
    : memory(new int32_t[ZR_KERN_DELINE_MEMORY]()),
      program(new int32_t[kCapacity]()),
      compiledOutputs(new ZR_Buffer*[kMaxGroups]()),
      outputArrays(new int32_t*[kMaxGroups]()) {}

ZR_Effect_Deline::~ZR_Effect_Deline() {
  while (groups.first() != groups.end()) {
    ZR_Chain_Item* item = groups.first();
    groups.remove(item);
    delete static_cast<ZR_Effect_Deline_Group*>(item->data);
  }
}

ZR_Effect_Deline::Edit::Edit(ZR_Effect_Deline& node) : node_(node) {
  while (node_.editing_.exchange(true, std::memory_order_acquire)) std::this_thread::yield();
}

ZR_Effect_Deline::Edit::~Edit() { node_.editing_.store(false, std::memory_order_release); }

ZR_Effect_Deline_Group* ZR_Effect_Deline::addGroup() {
  if (programLength > kCapacity - kGroupWords) return nullptr;
  ZR_Effect_Deline_Group* group = new ZR_Effect_Deline_Group(this);
  group->options = kPartTable;
  groups.insert(&group->link);
  currentGroup = group;
  programLength += kGroupWords;
  return group;
}

ZR_Effect_Deline_Group_Delay* ZR_Effect_Deline::addTap() {
  if (!currentGroup || programLength > kCapacity - kTapWords) return nullptr;
  ZR_Effect_Deline_Group_Delay* tap = new ZR_Effect_Deline_Group_Delay(currentGroup);
  tap->options = kPartTable;
  currentGroup->taps.insert(&tap->link);
  currentGroup->currentTap = tap;
  programLength += kTapWords;
  return tap;
}

// Per tap (time, weight); per group (-1, amplitude, output slot, feedback). The output is a slot
// of compiledOutputs rather than an address, so the program is the same on 32- and 64-bit targets.
void ZR_Effect_Deline::compile() {
  const int32_t fs = clock.load(std::memory_order_relaxed);
  int32_t k = 0;
  int32_t slot = 0;
  for (ZR_Chain_Item* g = groups.first(); g != groups.end(); g = g->next) {
    const ZR_Effect_Deline_Group* group = static_cast<ZR_Effect_Deline_Group*>(g->data);
    for (ZR_Chain_Item* t = group->taps.first(); t != group->taps.end(); t = t->next) {
      const ZR_Effect_Deline_Group_Delay* tap = static_cast<ZR_Effect_Deline_Group_Delay*>(t->data);
      if (k > kCapacity - kTapWords - kGroupWords) break;
      program[k] = tap->compiledTime(fs);
      program[k + 1] = tap->weight;
      k += kTapWords;
    }
    if (k > kCapacity - kGroupWords) break;
    compiledOutputs[slot] = group->output;
    program[k] = ZR_KERN_DELINE_GROUP;
    program[k + 1] = group->amplitude;
    program[k + 2] = group->output ? slot : -1;
    program[k + 3] = group->feedback;
    k += kGroupWords;
    ++slot;
  }
  compiledLength = k;
  compiledGroups = slot;
}

void ZR_Effect_Deline::prepare() {
  if (!editing_.exchange(true, std::memory_order_acquire)) {
    compile();
    editing_.store(false, std::memory_order_release);
  }
  prepared = true;
}

void ZR_Effect_Deline::process() {
  prepared = false;  // compile again before the next block
  if (!input || compiledLength == 0) return;
  // Every output must hold the block: the shortest buffer decides how many samples run.
  int32_t n = input->blockLength();
  for (int32_t g = 0; g < compiledGroups; ++g)
    if (ZR_Buffer* out = compiledOutputs[g]) n = out->blockLength() < n ? out->blockLength() : n;
  if (n <= 0) return;
  const int32_t* in = samples(input);
  // Sample i of the block goes n - i places before the end of each output.
  for (int32_t g = 0; g < compiledGroups; ++g) {
    ZR_Buffer* out = compiledOutputs[g];
    outputArrays[g] = out ? samples(out) + (out->blockLength() - n) : nullptr;
  }
  ZR_kern_deline[modeIndex()](in, n, memory.get(), &position, program.get(), compiledLength,
                              outputArrays.get());
}

void ZR_Effect_Deline::reset() { std::memset(memory.get(), 0, ZR_KERN_DELINE_MEMORY * sizeof(int32_t)); }

ZR_Object* ZR_Effect_Deline::create() { return new ZR_Effect_Deline; }

ZR_value ZR_Effect_Deline::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Deline::m_g(ZR_Object* object, ZR_value value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  ZR_Effect_Deline_Group* group = nullptr;
  if (!value.isSet() || (ZR_object_of(value, &group) && !group))
    self->addGroup();
  else if (group && group->node == self)
    self->currentGroup = group;
  return ZR_value::object(self->currentGroup);
}

ZR_value ZR_Effect_Deline::m_go(ZR_Object* object, ZR_value value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  if (!self->currentGroup) return ZR_value::object(nullptr);
  return bufferOption(&self->currentGroup->output, value);
}

ZR_value ZR_Effect_Deline::m_ga(ZR_Object* object, ZR_value value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  if (!self->currentGroup) return ZR_value::integer(0);
  gain(value, 8388607.0, &self->currentGroup->amplitude);
  return ZR_value::integer(self->currentGroup->amplitude);
}

ZR_value ZR_Effect_Deline::m_gf(ZR_Object* object, ZR_value value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  if (!self->currentGroup) return ZR_value::integer(0);
  gain(value, 8388607.0, &self->currentGroup->feedback);
  return ZR_value::integer(self->currentGroup->feedback);
}

ZR_value ZR_Effect_Deline::m_gc(ZR_Object* object, ZR_value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  if (self->currentGroup) self->programLength -= kTapWords * self->currentGroup->clearTaps();
  return ZR_value();
}

ZR_value ZR_Effect_Deline::m_d(ZR_Object* object, ZR_value value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  ZR_Effect_Deline_Group_Delay* tap = nullptr;
  if (!value.isSet() || (ZR_object_of(value, &tap) && !tap)) {
    self->addTap();
  } else if (tap && tap->group->node == self) {
    self->currentGroup = tap->group;
    tap->group->currentTap = tap;
  }
  return ZR_value::object(self->currentGroup ? self->currentGroup->currentTap : nullptr);
}

// The program is compiled before every block, so a new time or weight takes effect at the next
// block; the words the audio thread is reading are never written from here.
ZR_value ZR_Effect_Deline::m_dt(ZR_Object* object, ZR_value value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  ZR_Effect_Deline_Group_Delay* tap = self->currentGroup ? self->currentGroup->currentTap : nullptr;
  if (!tap) return ZR_value::real(0);
  float time;
  if (value.isSet() && ZR_number_real(value, &time) && std::isfinite(time)) {
    tap->time = time;
    tap->timeInSamples = value.kind == ZR_KIND_INTEGER;
  }
  return ZR_value::real(tap->time);
}

ZR_value ZR_Effect_Deline::m_da(ZR_Object* object, ZR_value value) {
  ZR_Effect_Deline* self = of(object);
  Edit edit(*self);
  ZR_Effect_Deline_Group_Delay* tap = self->currentGroup ? self->currentGroup->currentTap : nullptr;
  if (!tap) return ZR_value::integer(0);
  if (!gain(value, 2147483647.0, &tap->weight) && !value.isSet()) tap->weight = 0;
  return ZR_value::integer(tap->weight);
}

const ZR_Option ZR_Effect_Deline::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Deline::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("g", m_g),
    ZR_OPTION("go", m_go),
    ZR_OPTION("ga", m_ga),
    ZR_OPTION("gf", m_gf),
    ZR_OPTION("gc", m_gc),
    ZR_OPTION("d", m_d),
    ZR_OPTION("dt", m_dt),
    ZR_OPTION("da", m_da),
    ZR_OPTION("delete", ZR_Object::m_delete),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
