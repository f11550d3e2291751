#include "app/ZR_Application_Param.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdio>

namespace {

bool hasText(const char* text) { return text && *text; }

// A host's x, kept to 0..1: hosts send values slightly outside, and not-a-number reads as 0.
float clampedUnit(float x) {
  if (!(x >= 0.0f)) return 0.0f;
  return x > 1.0f ? 1.0f : x;
}

}  // namespace

ZR_Application_Param::ZR_Application_Param() = default;

int32_t ZR_Application_Param::word() const {
  return std::atomic_ref<int32_t>(const_cast<int32_t&>(value.i)).load(std::memory_order_relaxed);
}

void ZR_Application_Param::setWord(int32_t newWord) {
  std::atomic_ref<int32_t>(value.i).store(newWord, std::memory_order_relaxed);
}

void ZR_Application_Param::receive(const ZR_value& proposal) {
  setKind(proposal.kind);
  setWord(proposal.value.i);
}

int32_t ZR_Application_Param::currentKind() const {
  return std::atomic_ref<int32_t>(const_cast<int32_t&>(kind)).load(std::memory_order_relaxed);
}

void ZR_Application_Param::setKind(int32_t newKind) {
  std::atomic_ref<int32_t>(kind).store(newKind, std::memory_order_relaxed);
}

float ZR_Application_Param::real() const { return std::bit_cast<float>(word()); }

void ZR_Application_Param::setReal(float newReal) { setWord(std::bit_cast<int32_t>(newReal)); }

void ZR_Application_Param::nameText(char* text, size_t size) const { std::snprintf(text, size, "%s", name); }

void ZR_Application_Param::valueText(char* text, size_t size) const {
  switch (currentKind()) {
    case ZR_KIND_INTEGER:
      std::snprintf(text, size, "%i", word());
      break;
    case ZR_KIND_REAL:
      std::snprintf(text, size, "%f", static_cast<double>(real()));
      break;
    case ZR_KIND_ONOFF:
      std::snprintf(text, size, "%s", word() ? "On" : "Off");
      break;
    default:
      break;
  }
}

void ZR_Application_Param::labelText(char* text, size_t size) const {
  std::snprintf(text, size, "%s", label);
}

void ZR_Application_Param::setNormalised(float x) {
  x = clampedUnit(x);
  switch (currentKind()) {
    case ZR_KIND_INTEGER:
      setWord(static_cast<int32_t>(x * (maximum - minimum + 0.999999999) + minimum));
      break;
    case ZR_KIND_REAL:
      setReal(static_cast<float>(minimum) + x * static_cast<float>(maximum - minimum));
      break;
    case ZR_KIND_ONOFF:
      setWord(x > 0.5f ? 1 : 0);
      break;
    default:
      break;
  }
}

float ZR_Application_Param::normalised() const {
  switch (currentKind()) {
    case ZR_KIND_INTEGER:
      return static_cast<float>((word() - minimum + 0.5) / (maximum - minimum + 1.0));
    case ZR_KIND_REAL:
      return (real() - static_cast<float>(minimum)) / static_cast<float>(maximum - minimum);
    case ZR_KIND_ONOFF:
      return word() ? 1.0f : 0.0f;
    default:
      return 0.0f;
  }
}

void ZR_Application_Param::displayText(char* text, size_t size) const {
  const char* space = hasText(label) ? " " : "";
  const char* unit = hasText(label) ? label : "";
  switch (currentKind()) {
    case ZR_KIND_INTEGER:
      std::snprintf(text, size, "%d%s%s", word(), space, unit);
      break;
    case ZR_KIND_REAL:
      std::snprintf(text, size, "%f%s%s", static_cast<double>(real()), space, unit);
      break;
    case ZR_KIND_ONOFF:
      std::snprintf(text, size, "%s", word() ? label : offLabel());
      break;
    default:
      std::snprintf(text, size, "%s", "");
      break;
  }
}

void ZR_Application_Param::unitText(char* text, size_t size) const {
  switch (currentKind()) {
    case ZR_KIND_INTEGER:
    case ZR_KIND_REAL:
      std::snprintf(text, size, "%s", label);
      break;
    case ZR_KIND_ONOFF:
      std::snprintf(text, size, "%s/%s", label, offLabel());
      break;
    default:
      std::snprintf(text, size, "%s", "");
      break;
  }
}
