#include "cmd/ZR_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct WordCase {
  const char* word;
  int32_t kind;
  int64_t integer;  // integer kinds: the payload; object kind: the address
  float real;
};

class ScanWord : public testing::TestWithParam<WordCase> {};

TEST_P(ScanWord, YieldsKindAndValue) {
  const WordCase& c = GetParam();
  std::string text = std::string(c.word) + " next";
  int position = 0;
  ZR_value v = ZR_scan(text.c_str(), &position);
  EXPECT_EQ(v.kind, c.kind) << c.word;
  EXPECT_EQ(v.length, -1);
  EXPECT_EQ(position, static_cast<int>(std::string(c.word).size())) << "stops on the terminator";
  switch (c.kind) {
    case ZR_KIND_INTEGER:
      EXPECT_EQ(v.value.i, static_cast<int32_t>(c.integer)) << c.word;
      break;
    case ZR_KIND_REAL:
      EXPECT_EQ(v.value.f, c.real) << c.word;
      break;
    case ZR_KIND_OBJECT:
      EXPECT_EQ(reinterpret_cast<uintptr_t>(v.value.p), static_cast<uintptr_t>(c.integer)) << c.word;
      break;
    case ZR_KIND_TEXT:
      EXPECT_EQ(v.value.s, text.c_str()) << "a text is a reference into the command";
      break;
  }
}

constexpr int32_t I = ZR_KIND_INTEGER, R = ZR_KIND_REAL, O = ZR_KIND_OBJECT, T = ZR_KIND_TEXT;

INSTANTIATE_TEST_SUITE_P(
    Words, ScanWord,
    testing::Values(WordCase{"512", I, 512, 0}, WordCase{"-1", I, -1, 0}, WordCase{"+5", I, 5, 0},
                    WordCase{"05", I, 5, 0}, WordCase{"0", I, 0, 0}, WordCase{"10000", I, 10000, 0},
                    WordCase{"4294967295", I, -1, 0}, WordCase{".618", R, 0, .618f},
                    WordCase{"1E+5", R, 0, 100000.0f}, WordCase{"-.5", R, 0, -.5f},
                    WordCase{"5.", R, 0, 5.0f}, WordCase{"0e5", R, 0, 0.0f}, WordCase{".", R, 0, 0.0f},
                    WordCase{"-.", R, 0, 0.0f}, WordCase{"0x00A57BBD", O, 0x00A57BBD, 0},
                    WordCase{"0xAe", O, 0xAE, 0}, WordCase{"0x", T, 0, 0}, WordCase{"sub", T, 0, 0},
                    WordCase{"-mode", T, 0, 0}, WordCase{"-", T, 0, 0}, WordCase{"1x", T, 0, 0},
                    WordCase{"-0x5", T, 0, 0}, WordCase{"1,5", T, 0, 0}, WordCase{"1\t5", T, 0, 0},
                    WordCase{"e5", T, 0, 0}, WordCase{"x1", T, 0, 0}, WordCase{"1e", T, 0, 0},
                    WordCase{"1e+", T, 0, 0}, WordCase{"5.5.5", T, 0, 0}, WordCase{"12\xE9", T, 0, 0},
                    WordCase{"\xC3\xA9t\xC3\xA9", T, 0, 0}));

TEST(Scan, StartsAtThePositionAndStopsOnTheTerminator) {
  const char* text = "-l 512";
  int position = 3;
  ZR_value v = ZR_scan(text, &position);
  EXPECT_EQ(v.kind, ZR_KIND_INTEGER);
  EXPECT_EQ(v.value.i, 512);
  EXPECT_EQ(position, 6);
}

TEST(Scan, NullPositionReadsTheFirstWord) {
  ZR_value v = ZR_scan("42 7", nullptr);
  EXPECT_EQ(v.kind, ZR_KIND_INTEGER);
  EXPECT_EQ(v.value.i, 42);
}

TEST(Scan, EmptyWordIsAnEmptyTextAtTheTerminator) {
  const char* text = "a  b";
  int position = 2;
  ZR_value v = ZR_scan(text, &position);
  EXPECT_EQ(v.kind, ZR_KIND_TEXT);
  EXPECT_EQ(v.value.s, text + 2);
  EXPECT_EQ(position, 2);
}

TEST(Scan, HexadecimalCarriesAWholePointer) {
  int anchor = 0;
  char word[2 + 2 * sizeof(void*) + 1];
  std::snprintf(word, sizeof word, "0x%llX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&anchor)));
  EXPECT_EQ(ZR_scan(word, nullptr).value.p, &anchor);
}

struct EqualCase {
  const char* a;
  const char* b;
  bool equal;
};

TEST(WordEqual, ComparesWholeWordsCaseSensitively) {
  const EqualCase cases[] = {
      {"delete", "delete -x", true}, {"del", "delete", false}, {"ab", "abc", false}, {"ab", "ab cd", true},
      {"Delete", "delete", false},   {"", "", true},           {"", " x", true},     {"a", "", false},
  };
  for (const EqualCase& c : cases) {
    EXPECT_EQ(ZR_word_equal(c.a, c.b), c.equal) << '"' << c.a << "\" vs \"" << c.b << '"';
    EXPECT_EQ(ZR_word_equal(c.b, c.a), c.equal) << "symmetric";
  }
}

}  // namespace
