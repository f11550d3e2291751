// The contract every kernel family keeps: the mode step is the only difference between the
// members of a family, in-place processing gives the same result as separate arrays, and the
// result does not depend on how the stream is cut into blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "TestSignal.h"
#include "engine/kernels/ZR_kern_ampdet.h"
#include "engine/kernels/ZR_kern_bapass.h"
#include "engine/kernels/ZR_kern_copy.h"
#include "engine/kernels/ZR_kern_dist.h"
#include "engine/kernels/ZR_kern_onepole.h"
#include "engine/kernels/ZR_kern_oper.h"

namespace {

using Samples = std::vector<int32_t>;
using State = std::vector<int32_t>;

// The output mode as a reference: exact arithmetic, then the low 32 bits.
int32_t referenceMode(int mode, int32_t o, int32_t y) {
  const int64_t results[6] = {y,           int64_t{o} + y,    int64_t{o} - y,
                              -int64_t{y}, -(int64_t{o} + y), int64_t{y} - o};
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(results[mode])));
}

// One operation of a family (a kernel with its fixed parameters) behind a common face: two inputs
// (one-input kernels ignore the second), one output, its state words, and the mode to use.
using Run = std::function<void(int mode, const int32_t* in1, const int32_t* in2, int32_t* out, int32_t n,
                               int32_t* state)>;
struct Operation {
  std::string name;
  bool hasModes;
  bool twoInputs;
  int stateWords;
  Run run;
};

struct Member {
  Operation operation;
  int mode;
};

constexpr uint32_t kA = 535616699;  // 1000 Hz at 44.1 kHz
constexpr int32_t kC1 = 163171937, kC2 = 285650572, kC3 = 142825286;

std::vector<Operation> allOperations() {
  std::vector<Operation> operations = {
      {"lopass", true, false, 1,
       [](int m, const int32_t* in, const int32_t*, int32_t* out, int32_t n, int32_t* s) {
         ZR_kern_lopass[m](in, out, n, &kA, s);
       }},
      {"hipass", false, false, 1,
       [](int, const int32_t* in, const int32_t*, int32_t* out, int32_t n, int32_t* s) {
         ZR_kern_hipass(in, out, n, kA, s);
       }},
      {"copy", true, false, 0,
       [](int m, const int32_t* in, const int32_t*, int32_t* out, int32_t n, int32_t*) {
         ZR_kern_copy[m](in, out, n, 1, 1);
       }},
      {"bapass", true, false, 4,
       [](int m, const int32_t* in, const int32_t*, int32_t* out, int32_t n, int32_t* s) {
         EXPECT_EQ(ZR_kern_bapass[m](in, out, n, kC1, kC2, kC3, s, s + 1, s + 2, s + 3), 0);
       }},
      {"ampdet", true, false, 1,
       [](int m, const int32_t* in, const int32_t*, int32_t* out, int32_t n, int32_t* s) {
         ZR_kern_ampdet[m](in, out, nullptr, n, 1 << 29, 1 << 20, s);
       }},
      {"dist", false, false, 1,
       [](int, const int32_t* in, const int32_t*, int32_t* out, int32_t n, int32_t* s) {
         ZR_kern_dist(in, out, n, s, 1 << 23, 1 << 22, 1 << 26, 1, 0);
       }},
      {"dist_odd", false, false, 1,
       [](int, const int32_t* in, const int32_t*, int32_t* out, int32_t n, int32_t* s) {
         ZR_kern_dist(in, out, n, s, 1 << 23, 1 << 22, INT32_MAX, 1, 1);
       }},
  };
  const char* operators[4] = {"add", "sub", "mul", "div"};
  const struct {
    int32_t k;
    const char* name;
  } constants[] = {{16909320, "k1"}, {-5, "kminus5"}, {0, "k0"}};
  for (int r = 0; r < 4; ++r) {
    char name[32];
    std::snprintf(name, sizeof name, "oper_%s", operators[r]);
    operations.push_back({name, true, true, 0,
                          [r](int m, const int32_t* a, const int32_t* b, int32_t* out, int32_t n, int32_t*) {
                            ZR_kern_oper[r * 6 + m](a, b, out, n);
                          }});
    for (const auto& constant : constants) {
      const int32_t k = constant.k;
      std::snprintf(name, sizeof name, "koef_%s_%s", operators[r], constant.name);
      operations.push_back({name, true, false, 0,
                            [r, k](int m, const int32_t* in, const int32_t*, int32_t* out, int32_t n,
                                   int32_t*) { ZR_kern_koef[r * 6 + m](in, out, n, k); }});
    }
  }
  return operations;
}

std::vector<Member> allMembers() {
  std::vector<Member> members;
  for (const Operation& operation : allOperations())
    for (int m = 0; m < (operation.hasModes ? 6 : 1); ++m) members.push_back({operation, m});
  return members;
}

// Signals with the extremes in them, so every wrap and saturation is exercised.
Samples signal(uint32_t seed, size_t n) {
  TestRandom random(seed);
  Samples x(n);
  const int32_t extremes[] = {INT32_MIN, INT32_MAX, 0, -1, 1, 1 << 30, -(1 << 30)};
  for (int32_t& v : x) {
    const uint32_t pick = random.next() % 10;
    v = pick < 7 ? extremes[pick] : random.between(-(1 << 30), 1 << 30);
  }
  return x;
}

class KernelContract : public testing::TestWithParam<Member> {};

TEST_P(KernelContract, MembersDifferOnlyInTheModeStep) {
  const Operation& operation = GetParam().operation;
  const int mode = GetParam().mode;
  if (!operation.hasModes) GTEST_SKIP() << "a single kernel that always writes as \"set\"";
  const Samples in1 = signal(1, 300), in2 = signal(2, 300), old = signal(3, 300);
  Samples y(300, 0), out = old;
  State s1(operation.stateWords + 1, 7), s2 = s1;
  operation.run(0, in1.data(), in2.data(), y.data(), 300, s1.data());
  operation.run(mode, in1.data(), in2.data(), out.data(), 300, s2.data());
  for (size_t i = 0; i < out.size(); ++i)
    ASSERT_EQ(out[i], referenceMode(mode, old[i], y[i])) << "sample " << i;
  EXPECT_EQ(s2, s1) << "the state follows y, never the merged output";
}

TEST_P(KernelContract, InPlaceEqualsSeparateArrays) {
  const Operation& operation = GetParam().operation;
  const int mode = GetParam().mode;
  const Samples in1 = signal(4, 257), in2 = signal(5, 257);
  State s1(operation.stateWords + 1, 3), s2 = s1;

  Samples separate = in1, inPlace = in1;
  operation.run(mode, in1.data(), in2.data(), separate.data(), 257, s1.data());
  operation.run(mode, inPlace.data(), in2.data(), inPlace.data(), 257, s2.data());
  EXPECT_EQ(inPlace, separate) << "output on the (first) input";
  EXPECT_EQ(s2, s1);

  if (operation.twoInputs) {
    Samples separate2 = in2, inPlace2 = in2;
    operation.run(mode, in1.data(), in2.data(), separate2.data(), 257, s1.data());
    operation.run(mode, in1.data(), inPlace2.data(), inPlace2.data(), 257, s2.data());
    EXPECT_EQ(inPlace2, separate2) << "output on the second input";
  }
}

TEST_P(KernelContract, BlockSplitsDoNotChangeTheResult) {
  const Operation& operation = GetParam().operation;
  const int mode = GetParam().mode;
  const size_t n = 4096;
  const Samples in1 = testNoise(n, 6, 1 << 30), in2 = testNoise(n, 7, 1 << 30),
                old = testNoise(n, 8, 1 << 30);
  Samples whole = old, split = old;
  State s1(operation.stateWords + 1, 0), s2 = s1;
  operation.run(mode, in1.data(), in2.data(), whole.data(), static_cast<int32_t>(n), s1.data());
  forRandomBlocks(n, 9, [&](size_t done, int32_t len) {
    operation.run(mode, in1.data() + done, in2.data() + done, split.data() + done, len, s2.data());
  });
  EXPECT_EQ(split, whole);
  EXPECT_EQ(s2, s1);
}

INSTANTIATE_TEST_SUITE_P(EveryMember, KernelContract, testing::ValuesIn(allMembers()),
                         [](const testing::TestParamInfo<Member>& info) {
                           return info.param.operation.name + "_mode" + std::to_string(info.param.mode);
                         });

}  // namespace
