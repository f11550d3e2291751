#include "gfx/ZR_Vid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZR_encode.h"
#include "ZR_reports_testing.h"
#include "gfx/ZR_Pic.h"
#include "gfx/ZR_format.h"

using zr_testing::CapturedReports;

namespace {
// Frame f of a w x h strip: pixel (x, y) holds its coordinates and the frame number, except for
// a common opaque corner that every frame shares.
ZR_Pixels frame(int32_t w, int32_t h, int f) {
  ZR_Pixels pixels;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      pixels.push_back(x < 4 && y < 4 ? ZR_Pix_A32{1, 2, 3, 255}
                                      : ZR_Pix_A32{static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                                   static_cast<uint8_t>(f), 200});
    }
  }
  return pixels;
}

std::vector<uint8_t> strip(int32_t w, int32_t h, int frames) {
  std::vector<ZR_Pixels> all;
  for (int f = 0; f < frames; ++f) all.push_back(frame(w, h, f));
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(ZR_encode_strip(w, h, all, bytes, error)) << error;
  return bytes;
}

void setInt32(std::vector<uint8_t>& bytes, size_t offset, int32_t v) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}
}  // namespace

TEST(ZR_Vid, MapsAStripWhoseSizeFollowsTheFormula) {
  const std::vector<uint8_t> data = strip(6, 5, 3);
  ZR_Vid vid;
  ASSERT_TRUE(vid.map(data.data(), data.size()));
  EXPECT_EQ(vid.width, 6);
  EXPECT_EQ(vid.height, 5);
  EXPECT_EQ(vid.frameCount, 3);
  EXPECT_EQ(vid.columns(), 2);  // (6 - 1) / 4 + 1: partly covered edge blocks count
  EXPECT_EQ(vid.rows(), 2);
  // The shared corner block is stored once; every other block differs per frame.
  EXPECT_EQ(vid.blockCount, 1 + 3 * 3);
  EXPECT_EQ(data.size(), 20 + 64 * 10 + 2 * 3 * 2 * 2);
  EXPECT_EQ(data.size(), ZR_format::stripBytes(6, 5, 10, 3));
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(vid.blocks), data.data() + 20);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(vid.index), data.data() + 20 + 64 * 10);
}

TEST(ZR_Vid, GivesBackEveryPixelOfEveryFrame) {
  const std::vector<uint8_t> data = strip(6, 5, 3);
  ZR_Vid vid;
  ASSERT_TRUE(vid.map(data.data(), data.size()));
  for (int f = 0; f < 3; ++f) {
    const ZR_Pixels expected = frame(6, 5, f);
    for (int32_t y = 0; y < 5; ++y) {
      for (int32_t x = 0; x < 6; ++x)
        ASSERT_EQ(vid.pixel(f, x, y), expected[y * 6 + x]) << f << ":" << x << "," << y;
    }
  }
}

TEST(ZR_Vid, DrawsAPartOfAFrameWithoutTheHiddenEdgePixels) {
  const std::vector<uint8_t> data = strip(6, 5, 3);
  ZR_Vid vid;
  ASSERT_TRUE(vid.map(data.data(), data.size()));
  ZR_Pic<ZR_Pix_A32> dest;
  dest.create(12, 12);
  std::fill_n(dest.pixels, 144, ZR_Pix_A32{9, 9, 9, 9});
  vid.draw(2, dest, 5, 3, {1, 2, 8, 8});  // beyond the frame's 6 x 5: cut to (1, 2) .. (6, 5)
  const ZR_Pixels source = frame(6, 5, 2);
  for (int32_t y = 0; y < 12; ++y) {
    for (int32_t x = 0; x < 12; ++x) {
      const int32_t u = x - 5 + 1, v = y - 3 + 2;
      ZR_Pix_A32 expected{9, 9, 9, 9};
      if (u >= 1 && u < 6 && v >= 2 && v < 5) ZR_blend(expected, source[v * 6 + u]);
      ASSERT_EQ(dest.at(x, y), expected) << x << "," << y;
    }
  }
}

TEST(ZR_Vid, DrawsNothingForAFrameOutsideTheStrip) {
  const std::vector<uint8_t> data = strip(4, 4, 2);
  ZR_Vid vid;
  ASSERT_TRUE(vid.map(data.data(), data.size()));
  ZR_Pic<ZR_Pix_A32> dest;
  dest.create(4, 4);
  std::fill_n(dest.pixels, 16, ZR_Pix_A32{});
  vid.draw(-1, dest, 0, 0, {0, 0, 4, 4});
  vid.draw(2, dest, 0, 0, {0, 0, 4, 4});
  EXPECT_EQ(dest.at(1, 1), ZR_Pix_A32{});
}

TEST(ZR_Vid, RefusesDataThatIsNotAFittingStripAndKeepsWhatItShowed) {
  const std::vector<uint8_t> good = strip(6, 5, 3);
  std::vector<uint8_t> still = good, short_ = good, blockBeyond = good, tooManyFrames = good, negative = good,
                       overflowing = good;
  still[3] = 'I';
  short_.pop_back();
  blockBeyond[good.size() - 2] = 10;  // the last index entry names block 10 of 10
  setInt32(tooManyFrames, 16, 4);
  setInt32(negative, 12, -1);
  for (size_t field : {4, 8, 16}) setInt32(overflowing, field, 2147483647);
  struct Case {
    const char* what;
    const std::vector<uint8_t>& data;
  };
  for (const Case& c :
       {Case{"a still picture", still}, Case{"an index cut short", short_},
        Case{"a block number beyond the blocks", blockBeyond}, Case{"more frames than data", tooManyFrames},
        Case{"a negative block count", negative},
        Case{"an index size that overflows 64 bits", overflowing}}) {
    ZR_Vid vid;
    ASSERT_TRUE(vid.map(good.data(), good.size()));
    CapturedReports reports;
    EXPECT_FALSE(vid.map(c.data.data(), c.data.size())) << c.what;
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(vid.blocks), good.data() + 20) << c.what;
    EXPECT_EQ(vid.frameCount, 3);
    ASSERT_EQ(reports.texts().size(), 1u) << c.what;
    EXPECT_EQ(reports.texts()[0].rfind("Error: Invalid ZRVF header\n", 0), 0u);
    EXPECT_NE(reports.texts()[0].find("\nProc: ZR_Vid::map\n"), std::string::npos);
  }
}

TEST(ZR_Vid, StoresIdenticalBlocksOnceAcrossFrames) {
  std::vector<ZR_Pixels> frames(5, frame(8, 8, 0));
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(ZR_encode_strip(8, 8, frames, bytes, error));
  ZR_Vid vid;
  ASSERT_TRUE(vid.map(bytes.data(), bytes.size()));
  EXPECT_EQ(vid.blockCount, 4);  // the corner and three blocks of frame 0, reused by every frame
  EXPECT_EQ(vid.index[4 * 4 + 3], vid.index[3]);
}

TEST(ZR_Vid, EncoderRefusesMoreBlocksThanSixteenBitNumbersReach) {
  // 4097 frames of 16 x 16 pixels, every pixel different: 65552 distinct blocks
  std::vector<ZR_Pixels> frames;
  for (uint32_t f = 0; f < 4097; ++f) {
    ZR_Pixels pixels(256);
    for (uint32_t i = 0; i < 256; ++i) pixels[i] = ZR_Pix_A32::fromArgb((f * 256 + i) | 0xFF000000u);
    frames.push_back(pixels);
  }
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_FALSE(ZR_encode_strip(16, 16, frames, bytes, error));
  EXPECT_EQ(error, "more than 65536 distinct blocks");
}
