#include "cmd/ZR_scan.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

// Character classes of the word lexer; every byte not listed (tab, comma, bytes above 127) is 0.
enum CharClass : uint8_t { kOther, kSign, kZero, kDigit, kPoint, kExp, kX, kHexLetter, kEnd, kClasses };

// States of the word-shape automaton; a word's final state decides its kind.
enum State : uint8_t {
  kStart,
  kSignRead,
  kLeadingZero,
  kHexPrefix,
  kHexDigits,
  kUnsigned,
  kSigned,
  kReal,
  kExpLetter,
  kExpSign,
  kExpDigits,
  kText,
  kStates
};

constexpr std::array<uint8_t, 256> makeClasses() {
  std::array<uint8_t, 256> classes{};
  classes['+'] = classes['-'] = kSign;
  classes['0'] = kZero;
  for (int c = '1'; c <= '9'; ++c) classes[c] = kDigit;
  classes['.'] = kPoint;
  classes['E'] = classes['e'] = kExp;
  classes['X'] = classes['x'] = kX;
  for (char c : {'A', 'B', 'C', 'D', 'F', 'a', 'b', 'c', 'd', 'f'})
    classes[static_cast<uint8_t>(c)] = kHexLetter;
  classes[' '] = classes[0] = kEnd;
  return classes;
}

// Built at compile time: the tables never change, so no thread can see them half-filled.
constexpr std::array<uint8_t, 256> kClassOf = makeClasses();

// Next state by (state, class); the kEnd column decides the word's kind.
constexpr uint8_t kNext[kStates][kClasses] = {
    //        other sign zero digit point exp  x    hex  end
    /* 0  */ {11, 1, 2, 5, 7, 11, 11, 11, 11},
    /* 1  */ {11, 11, 6, 6, 7, 11, 11, 11, 11},
    /* 2  */ {11, 11, 5, 5, 7, 8, 3, 11, 5},
    /* 3  */ {11, 11, 4, 4, 11, 4, 11, 4, 11},
    /* 4  */ {11, 11, 4, 4, 11, 4, 11, 4, 4},
    /* 5  */ {11, 11, 5, 5, 7, 8, 11, 11, 5},
    /* 6  */ {11, 11, 6, 6, 7, 8, 11, 11, 6},
    /* 7  */ {11, 11, 7, 7, 11, 8, 11, 11, 7},
    /* 8  */ {11, 9, 10, 10, 11, 11, 11, 11, 11},
    /* 9  */ {11, 11, 10, 10, 11, 11, 11, 11, 11},
    /* 10 */ {11, 11, 10, 10, 11, 11, 11, 11, 7},
    /* 11 */ {11, 11, 11, 11, 11, 11, 11, 11, 11},
};

}  // namespace

ZR_value ZR_scan(const char* text, int* position) {
  int i = position ? *position : 0;
  const int start = i;
  uint8_t state = kStart;
  for (;;) {
    uint8_t cls = kClassOf[static_cast<unsigned char>(text[i])];
    state = kNext[state][cls];
    if (cls == kEnd) break;
    ++i;
  }
  if (position) *position = i;

  const char* word = text + start;
  // Numbers wrap to the payload's width as scanf's unsigned conversions do; a hexadecimal word
  // carries a whole pointer so that a printed object can be read back on any target.
  switch (state) {
    case kHexDigits:
      return ZR_value::object(
          reinterpret_cast<void*>(static_cast<uintptr_t>(std::strtoull(word + 2, nullptr, 16))));
    case kUnsigned:
      return ZR_value::integer(static_cast<int32_t>(static_cast<uint32_t>(std::strtoull(word, nullptr, 10))));
    case kSigned:
      return ZR_value::integer(static_cast<int32_t>(static_cast<uint32_t>(std::strtoll(word, nullptr, 10))));
    case kReal:
      return ZR_value::real(std::strtof(word, nullptr));
    default:
      return ZR_value::text(word);
  }
}

bool ZR_word_equal(const char* a, const char* b) {
  auto ends = [](char c) { return c == ' ' || c == 0; };
  for (;; ++a, ++b) {
    if (ends(*a) || ends(*b)) return ends(*a) && ends(*b);
    if (*a != *b) return false;
  }
}
