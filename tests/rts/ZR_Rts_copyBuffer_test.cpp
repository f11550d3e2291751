#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "rts/ZR_Rts.h"
#include "rts/ZR_Rts_format.h"

namespace {

// The sample forms a device or the client uses: packed 16/24/32-bit integers, 16 and 24 bits in a
// 32-bit container (ASIO's Int32LSB16 and Int32LSB24), 32 and 64-bit floats.
enum Form { I16, I24, I32, L16, L24, F32, F64, kForms };

constexpr uint32_t kWord[kForms] = {0x00001002, 0x00001803, 0x00002004, 0x00101004,
                                    0x00081804, 0x01002004, 0x01004008};
constexpr int kBytes[kForms] = {2, 3, 4, 4, 4, 4, 8};

void put(uint8_t* p, Form f, double value) {
  if (f == F32) {
    const float x = static_cast<float>(value);
    std::memcpy(p, &x, 4);
  } else if (f == F64) {
    std::memcpy(p, &value, 8);
  } else {
    const uint32_t v = static_cast<uint32_t>(static_cast<int64_t>(value));
    for (int b = 0; b < kBytes[f]; ++b) p[b] = static_cast<uint8_t>(v >> 8 * b);
  }
}

double get(const uint8_t* p, Form f) {
  if (f == F32) {
    float x;
    std::memcpy(&x, p, 4);
    return x;
  }
  if (f == F64) {
    double x;
    std::memcpy(&x, p, 8);
    return x;
  }
  uint32_t v = 0;
  for (int b = 0; b < kBytes[f]; ++b) v |= static_cast<uint32_t>(p[b]) << 8 * b;
  const int unused = 32 - 8 * kBytes[f];
  return static_cast<int32_t>(v << unused) >> unused;
}

struct Channel : ZR_Rts::Chan {
  Channel(uint32_t word, int32_t n, uint8_t* data) {
    format = word;
    count = n;
    buffer = data;
  }
};

// One source sample and what every destination form receives from it. The real results of
// integer sources are v / (2^31 - 1) of the left-justified value, multiplied in extended
// precision; real sources are limited to [-1, 1] and truncated toward zero.
struct Row {
  Form source;
  double sample;  // the container's bits as a signed number, or the real
  double into[kForms];
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();

const Row kRows[] = {
    {I16, 16384, {16384, 4194304, 1073741824, 16384, 4194304, 0.5, 0.50000000023283064}},
    {I16, -32768, {-32768, -8388608, -2147483648.0, -32768, -8388608, -1, -1}},
    {I16, 32767, {32767, 8388352, 2147418112, 32767, 8388352, 0.999969482421875, 0.99996948288752208}},
    {I24, -8388608, {-32768, -8388608, -2147483648.0, -32768, -8388608, -1, -1}},    // bytes 00 00 80
    {I24, 128, {0, 128, 32768, 0, 128, 1.52587890625e-05, 1.5258789069605427e-05}},  // bytes 80 00 00
    {I32, 2147483647, {32767, 8388607, 2147483647, 32767, 8388607, 1, 1}},
    // A 32-bit sample keeps its high bits, rounding toward minus infinity.
    {I32, -1, {-1, -1, -1, -1, -1, -4.65661287e-10f, -4.6566128752457969e-10}},
    // Here the double product would end in ...782: the extended one is the defined result.
    {I32, 4194305, {64, 16384, 4194305, 64, 16384, 0.00195312547f, 0.0019531254665707824}},
    {L16, 0x7FFF, {32767, 8388352, 2147418112, 32767, 8388352, 0.999969482421875, 0.99996948288752208}},
    // The pad bits above the significant ones are dropped.
    {L16, 0x12348000, {-32768, -8388608, -2147483648.0, -32768, -8388608, -1, -1}},
    {L24, 0x00800000, {-32768, -8388608, -2147483648.0, -32768, -8388608, -1, -1}},
    {F32, 0.5, {16383, 4194303, 1073741823, 16383, 4194303, 0.5, 0.5}},
    {F32, 1.5, {32767, 8388607, 2147483647, 32767, 8388607, 1, 1}},
    {F32, -1.5, {-32768, -8388608, -2147483647, -32768, -8388608, -1, -1}},
    {F32, -1.0, {-32768, -8388608, -2147483647, -32768, -8388608, -1, -1}},
    // Not a number is silence in every form, not full scale.
    {F32, kNaN, {0, 0, 0, 0, 0, 0, 0}},
    {F64, kNaN, {0, 0, 0, 0, 0, 0, 0}},
    {F64, 0.25, {8191, 2097151, 536870911, 8191, 2097151, 0.25, 0.25}},
    {F64, -0.75, {-24576, -6291456, -1610612735, -24576, -6291456, -0.75, -0.75}},
    {F64, 1e300, {32767, 8388607, 2147483647, 32767, 8388607, 1, 1}},
};

TEST(ZR_Rts_copyBuffer, EveryPairOfFormsConvertsOneSample) {
  for (const Row& row : kRows) {
    for (int d = 0; d < kForms; ++d) {
      const Form to = static_cast<Form>(d);
      uint8_t src[8] = {}, dst[16];
      std::memset(dst, 0xAA, sizeof dst);
      put(src, row.source, row.sample);
      Channel from(kWord[row.source], 1, src), into(kWord[to], 1, dst);
      SCOPED_TRACE(testing::Message()
                   << "source form " << row.source << " sample " << row.sample << " into form " << to);
      ASSERT_EQ(ZR_Rts::copyBuffer(&into, &from), ZR_OK);
      if (to == F32)
        EXPECT_EQ(static_cast<float>(get(dst, to)), static_cast<float>(row.into[d]));
      else
        EXPECT_EQ(get(dst, to), row.into[d]);
      for (size_t b = kBytes[to]; b < sizeof dst; ++b) ASSERT_EQ(dst[b], 0xAA) << "byte " << b << " written";
    }
  }
}

TEST(ZR_Rts_copyBuffer, StridesAndOffsetsPickOneChannelOfAnInterleavedBlock) {
  // Stereo 32-bit frames (stride 8); the right channel starts at byte 4.
  const int32_t frames[6] = {100 << 16, -1 << 16, 200 << 16, -2 << 16, 300 << 16, -3 << 16};
  uint8_t block[sizeof frames];
  std::memcpy(block, frames, sizeof frames);
  int16_t right[3] = {};
  Channel from(ZR_Rts_format_word(8, 32, 0, false), 3, block + 4);
  Channel into(ZR_Rts_format_word(2, 16, 0, false), 3, reinterpret_cast<uint8_t*>(right));
  ASSERT_EQ(ZR_Rts::copyBuffer(&into, &from), ZR_OK);
  EXPECT_EQ(right[0], -1);
  EXPECT_EQ(right[1], -2);
  EXPECT_EQ(right[2], -3);

  // And back into the left channel of 4-channel 16-bit frames (stride 8), leaving the others.
  int16_t quad[12];
  for (int16_t& s : quad) s = 7;
  Channel left(ZR_Rts_format_interleaved(16, 4), 3, reinterpret_cast<uint8_t*>(quad));
  ASSERT_EQ(ZR_Rts::copyBuffer(&left, &into), ZR_OK);
  EXPECT_EQ(std::vector<int16_t>(quad, quad + 12),
            (std::vector<int16_t>{-1, 7, 7, 7, -2, 7, 7, 7, -3, 7, 7, 7}));
}

TEST(ZR_Rts_copyBuffer, FloatBlockRoundTripsThroughSixteenBits) {
  const float in[4] = {0.0f, 0.25f, -0.5f, 0.75f};
  int16_t device[8] = {};  // stereo interleaved, the left channel written
  float out[4] = {};
  Channel host(ZR_RTS_FORMAT_FLOAT32, 4, reinterpret_cast<uint8_t*>(const_cast<float*>(in)));
  Channel left(ZR_Rts_format_interleaved(16, 2), 4, reinterpret_cast<uint8_t*>(device));
  Channel back(ZR_RTS_FORMAT_FLOAT32, 4, reinterpret_cast<uint8_t*>(out));
  ASSERT_EQ(ZR_Rts::copyBuffer(&left, &host), ZR_OK);
  ASSERT_EQ(ZR_Rts::copyBuffer(&back, &left), ZR_OK);
  EXPECT_EQ(std::vector<int16_t>(device, device + 8),
            (std::vector<int16_t>{0, 0, 8191, 0, -16384, 0, 24575, 0}));
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(out[i], in[i], 1.0 / 32768) << i;
}

// Blocks that step by one or two samples take loops with constant strides; any other stride takes
// the general one. Every stride must give the same samples.
TEST(ZR_Rts_copyBuffer, EveryStrideGivesTheSameSamples) {
  const Form pairs[][2] = {{I16, F32}, {I24, F32}, {I32, F32}, {L24, F32}, {F32, I16}, {F32, I24},
                           {F32, I32}, {F32, L16}, {I16, I32}, {F64, I16}, {I32, F64}};
  const double reals[] = {0.0, 1.0, -1.0, 1.5, -1.5, 0.5, -0.25, 1e-9, kNaN, 0.999, -0.999};
  const int32_t n = 37;  // not a multiple of any vector width
  for (const auto& pair : pairs) {
    const Form from = pair[0], to = pair[1];
    std::vector<std::vector<uint8_t>> results;
    for (int step : {1, 2, 3}) {
      std::vector<uint8_t> src(n * step * 8), dst(n * step * 8, 0xAA), packed(n * kBytes[to]);
      for (int32_t i = 0; i < n; ++i) {
        const double sample = from == F32 || from == F64 ? reals[i % std::size(reals)]
                                                         : static_cast<int32_t>(0x9E3779B9u * (i + 1)) >> 8;
        put(src.data() + i * step * kBytes[from], from, sample);
      }
      const uint32_t stepBits = static_cast<uint32_t>(step - 1);
      Channel a(kWord[from] + stepBits * kBytes[from], n, src.data());
      Channel b(kWord[to] + stepBits * kBytes[to], n, dst.data());
      ASSERT_EQ(ZR_Rts::copyBuffer(&b, &a), ZR_OK);
      for (int32_t i = 0; i < n; ++i)
        std::memcpy(packed.data() + i * kBytes[to], dst.data() + i * step * kBytes[to], kBytes[to]);
      results.push_back(packed);
    }
    EXPECT_EQ(results[1], results[0]) << "forms " << from << " -> " << to << ", two samples a step";
    EXPECT_EQ(results[2], results[0]) << "forms " << from << " -> " << to << ", three samples a step";
  }
}

TEST(ZR_Rts_copyBuffer, CountMismatchRefusesThatCopyOnly) {
  int16_t src[441], dst[441];
  for (int i = 0; i < 441; ++i) src[i] = static_cast<int16_t>(i), dst[i] = -5;
  Channel from(0x1002, 441, reinterpret_cast<uint8_t*>(src)),
      into(0x1002, 440, reinterpret_cast<uint8_t*>(dst));
  EXPECT_EQ(ZR_Rts::copyBuffer(&into, &from), nullptr);
  for (int16_t s : dst) ASSERT_EQ(s, -5);
  // A later copy with equal counts goes through: no failure outlives its own copy.
  into.count = 441;
  EXPECT_EQ(ZR_Rts::copyBuffer(&into, &from), ZR_OK);
  EXPECT_EQ(dst[440], 440);
}

TEST(ZR_Rts_copyBuffer, MalformedFormatWordsAndMissingBuffersAreRefused) {
  struct Case {
    const char* what;
    uint32_t word;
  };
  const Case cases[] = {
      {"stride 0", 0x00001000},
      {"no significant bits", 0x00000002},
      {"more than 32 significant bits", 0x00002808},
      {"container of 5 bytes", 0x00082005},
      {"container narrower than its bits", 0x00000C02},
      {"container of 0 bytes", 0x00000402},
      {"16-bit float", 0x01001002},
      {"48-bit float", 0x01003006},
  };
  for (const Case& c : cases) {
    int32_t good[2] = {1 << 20, 1 << 20}, other[2] = {-9, -9};
    Channel valid(0x2004, 2, reinterpret_cast<uint8_t*>(good));
    Channel bad(c.word, 2, reinterpret_cast<uint8_t*>(other));
    EXPECT_EQ(ZR_Rts::copyBuffer(&bad, &valid), nullptr) << c.what << " as destination";
    EXPECT_EQ(other[0], -9) << c.what;
    EXPECT_EQ(ZR_Rts::copyBuffer(&valid, &bad), nullptr) << c.what << " as source";
    EXPECT_EQ(good[0], 1 << 20) << c.what;
  }
  int32_t data[1] = {3};
  Channel some(0x2004, 1, reinterpret_cast<uint8_t*>(data)), none(0x2004, 1, nullptr);
  EXPECT_EQ(ZR_Rts::copyBuffer(&none, &some), nullptr);
  EXPECT_EQ(ZR_Rts::copyBuffer(&some, &none), nullptr);
  EXPECT_EQ(ZR_Rts::copyBuffer(nullptr, &some), nullptr);
  Channel negative(0x2004, -1, reinterpret_cast<uint8_t*>(data));
  EXPECT_EQ(ZR_Rts::copyBuffer(&negative, &negative), nullptr);
  Channel empty(0x2004, 0, reinterpret_cast<uint8_t*>(data));
  EXPECT_EQ(ZR_Rts::copyBuffer(&empty, &some), nullptr);
  some.count = 0;
  EXPECT_EQ(ZR_Rts::copyBuffer(&empty, &some), ZR_OK);
  EXPECT_EQ(data[0], 3);
}

}  // namespace
