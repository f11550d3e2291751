#pragma once
// A small class vocabulary for exercising the interpreter on its own: one option of each kind.
#include <set>
#include <string>

#include "cmd/ZR_Object.h"
#include "cmd/ZR_interpreter.h"

// A small scriptable class: one option of each kind, and a record of what its handlers saw.
class Probe : public ZR_Object {
 public:
  Probe() {
    ++alive;
    everyProbe.insert(this);
  }
  ~Probe() override {
    --alive;
    everyProbe.erase(this);
  }

  int32_t n = 0;
  float r = 0;
  const char* t = "";
  std::string textSeen;  // the text handler's argument as a terminated string
  void* o = nullptr;
  char blob[4] = {'a', 'b', 'c', 'd'};

  static inline int alive = 0;
  static inline std::set<Probe*> everyProbe;
  static inline std::string special;
  static inline bool specialNull = false;

  static ZR_Object* create() {
    specialNull = ZR_specialobject == nullptr;
    special = ZR_specialobject ? ZR_specialobject : "";
    return new Probe;
  }
  static Probe* of(ZR_Object* object) { return static_cast<Probe*>(object); }
  static ZR_value m_n(ZR_Object* object, ZR_value v) {
    if (v.kind == ZR_KIND_INTEGER) of(object)->n = v.value.i;
    return ZR_value::integer(of(object)->n);
  }
  static ZR_value m_r(ZR_Object* object, ZR_value v) {
    if (v.kind == ZR_KIND_REAL) of(object)->r = v.value.f;
    return ZR_value::real(of(object)->r);
  }
  static ZR_value m_t(ZR_Object* object, ZR_value v) {
    if (v.kind == ZR_KIND_TEXT) {
      of(object)->t = v.value.s;
      of(object)->textSeen = v.value.s;
    }
    return ZR_value::text(of(object)->t);
  }
  static ZR_value m_o(ZR_Object* object, ZR_value v) {
    if (v.kind == ZR_KIND_OBJECT) of(object)->o = v.value.p;
    return ZR_value::object(of(object)->o);
  }
  static ZR_value m_blob(ZR_Object* object, ZR_value) { return ZR_value::object(of(object)->blob, 4); }
  static const ZR_Option table[];
};

// A derived table that hides the base's "n" and continues in it.
class LoudProbe : public Probe {
 public:
  static ZR_Object* create() { return new LoudProbe; }
  static ZR_value m_n(ZR_Object* object, ZR_value v) {
    if (v.isSet()) of(object)->n = 1000 + v.value.i;
    return ZR_value::integer(of(object)->n);
  }
  static const ZR_Option table[];
};

inline const ZR_Option Probe::table[] = {
    ZR_OPTION_CONSTRUCTOR(Probe::create),
    ZR_OPTION("n", m_n),
    ZR_OPTION("r", m_r),
    ZR_OPTION("t", m_t),
    ZR_OPTION("o", m_o),
    ZR_OPTION("blob", m_blob),
    ZR_OPTION_NEXT(ZR_Object::table),
};
inline const ZR_Option LoudProbe::table[] = {
    ZR_OPTION_CONSTRUCTOR(LoudProbe::create),
    ZR_OPTION("n", LoudProbe::m_n),
    ZR_OPTION_NEXT(Probe::table),
};
inline const ZR_Class kProbeRegistry[] = {
    {"ZR_Object", ZR_Object::table},
    {"Probe", Probe::table},
    {"LoudProbe", LoudProbe::table},
    {nullptr, nullptr},
};
