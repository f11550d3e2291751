#include <gtest/gtest.h>

#include "rts/ZR_Rts_format.h"

namespace {

TEST(ZR_Rts_format, WaveWordsInterleaveTheirChannels) {
  struct Case {
    int32_t bits, channels;
    uint32_t word;
    int32_t stride;
  };
  const Case cases[] = {
      {16, 2, 0x00001004, 4}, {24, 2, 0x00001806, 6},  {32, 2, 0x00002008, 8},
      {16, 4, 0x00001008, 8}, {24, 4, 0x0000180C, 12}, {32, 4, 0x00002010, 16},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZR_Rts_format_interleaved(c.bits, c.channels), c.word) << c.bits << " bits x " << c.channels;
    ZR_Rts_Format f;
    ASSERT_TRUE(ZR_Rts_format_decode(c.word, &f));
    EXPECT_EQ(f.stride, c.stride);
    EXPECT_EQ(f.significant, c.bits);
    EXPECT_EQ(f.containerBytes, c.bits / 8);
    EXPECT_FALSE(f.floating);
  }
  EXPECT_EQ(ZR_RTS_FORMAT_FLOAT32, ZR_Rts_format_word(4, 32, 0, true));
}

TEST(ZR_Rts_format, AsioSampleTypesMapToWordsOrToNone) {
  struct Case {
    int32_t type;
    uint32_t word;
    int32_t stride, significant, container;
    bool floating;
  };
  const Case taken[] = {
      {16, 0x00001002, 2, 16, 2, false},  // Int16LSB
      {17, 0x00001803, 3, 24, 3, false},  // Int24LSB
      {18, 0x00002004, 4, 32, 4, false},  // Int32LSB
      {19, 0x01002004, 4, 32, 4, true},   // Float32LSB
      {20, 0x01004008, 8, 64, 8, true},   // Float64LSB
      {24, 0x00101004, 4, 16, 4, false},  // Int32LSB16
      {25, 0x000E1204, 4, 18, 4, false},  // Int32LSB18
      {26, 0x000C1404, 4, 20, 4, false},  // Int32LSB20
      {27, 0x00081804, 4, 24, 4, false},  // Int32LSB24
  };
  for (const Case& c : taken) {
    EXPECT_EQ(ZR_Rts_format_asio(c.type), c.word) << "type " << c.type;
    ZR_Rts_Format f;
    ASSERT_TRUE(ZR_Rts_format_decode(c.word, &f)) << "type " << c.type;
    EXPECT_EQ(f.stride, c.stride);
    EXPECT_EQ(f.significant, c.significant);
    EXPECT_EQ(f.containerBytes, c.container);
    EXPECT_EQ(f.floating, c.floating);
  }
  // Big-endian (0-4, 8-11), DSD (32, 33, 40) and values no driver should send.
  for (int32_t type : {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 15, 21, 28, 32, 33, 40, -1, 1000})
    EXPECT_EQ(ZR_Rts_format_asio(type), 0u) << "type " << type;
}

}  // namespace
