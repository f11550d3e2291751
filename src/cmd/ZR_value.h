#pragma once
#include <cstdint>

/// What a ZR_value's payload is.
enum ZR_kind : int32_t {
  ZR_KIND_ABSENT = 0,  // a "%" escape: no value at all
  ZR_KIND_NONE = 1,    // no payload; also marks an option word
  ZR_KIND_INTEGER = 2,
  ZR_KIND_REAL = 3,
  ZR_KIND_TEXT = 4,
  ZR_KIND_OBJECT = 5,
  ZR_KIND_ONOFF = 6,  // parameters only; never produced by the lexer
};

/// One word of payload tagged with its kind: what crosses the command language.
class ZR_value {
 public:
  union Payload {
    int32_t i;
    float f;
    void* p;
    const char* s;
  };

  Payload value;
  int32_t kind;
  int32_t length;  // -1: none; >= 0: an object payload addressing that many bytes

  constexpr ZR_value() : value{.p = nullptr}, kind(ZR_KIND_NONE), length(-1) {}
  ZR_value(const ZR_value&) = default;
  ZR_value& operator=(const ZR_value&) = default;

  static ZR_value integer(int32_t i) {
    ZR_value v(ZR_KIND_INTEGER);
    v.value.i = i;
    return v;
  }
  static ZR_value real(float f) {
    ZR_value v(ZR_KIND_REAL);
    v.value.f = f;
    return v;
  }
  static ZR_value text(const char* s) {
    ZR_value v(ZR_KIND_TEXT);
    v.value.s = s;
    return v;
  }
  static ZR_value object(void* p, int32_t length = -1) {
    ZR_value v(ZR_KIND_OBJECT);
    v.value.p = p;
    v.length = length;
    return v;
  }

  /// True when a value was given (an option handler then sets).
  bool isSet() const { return kind >= ZR_KIND_INTEGER; }

  /// Called by a widget to write this variable: payload, kind and length.
  virtual void receive(const ZR_value& proposal) {
    value = proposal.value;
    kind = proposal.kind;
    length = proposal.length;
  }
  /// Called by a widget after it wrote this variable; data is the widget's "-dat" word.
  virtual void changed(void* data) { (void)data; }

 private:
  constexpr explicit ZR_value(int32_t k) : value{.p = nullptr}, kind(k), length(-1) {}
};

/// The empty value (0, none, no length): ask an option without changing it.
extern const ZR_value ZR_EMPTY;
