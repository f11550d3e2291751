#include "gfx/ZR_Pic_Base.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ZR_reports_testing.h"
#include "gfx/ZR_Pic.h"

using zr_testing::CapturedReports;

namespace {
// A ZRIF resource written out byte by byte, as the format lays it down.
std::vector<uint8_t> zrif(const char* magic, int32_t w, int32_t h, size_t pixelBytes) {
  std::vector<uint8_t> bytes(magic, magic + 4);
  for (int32_t v : {w, h}) {
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> shift));
  }
  for (size_t i = 0; i < pixelBytes; ++i) bytes.push_back(static_cast<uint8_t>(i));
  return bytes;
}

// Every pixel different: its coordinates in blue and green, opaque.
void fillWithCoordinates(ZR_Pic<ZR_Pix_A32>& pic) {
  for (int32_t y = 0; y < pic.height; ++y) {
    for (int32_t x = 0; x < pic.width; ++x)
      pic.at(x, y) = {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7, 255};
  }
}

void clear(ZR_Pic<ZR_Pix_A32>& pic) {
  std::fill_n(pic.pixels, static_cast<size_t>(pic.width) * pic.height, ZR_Pix_A32{});
}

ZR_Pix_A32 blendedOnClear(ZR_Pix_A32 source) {
  ZR_Pix_A32 d{};
  ZR_blend(d, source);
  return d;
}
}  // namespace

TEST(ZR_Pic_Base, CreatesPixelsRowAfterRowWithoutPadding) {
  ZR_Pic<ZR_Pix_A32> pic;
  EXPECT_FALSE(pic.hasPixels());
  pic.create(7, 3);
  ASSERT_TRUE(pic.hasPixels());
  EXPECT_EQ(pic.width, 7);
  EXPECT_EQ(pic.height, 3);
  EXPECT_EQ(pic.row(2), pic.pixels + 14);
  pic.create(-4, 5);
  EXPECT_EQ(pic.width, 0);
  EXPECT_FALSE(pic.hasPixels());
}

TEST(ZR_Pic_Base, MapsAZrifResourceInPlace) {
  const std::vector<uint8_t> data = zrif("ZRIF", 3, 2, 24);
  ZR_Pic<ZR_Pix_A32> pic;
  ASSERT_TRUE(pic.map(data.data(), data.size()));
  EXPECT_EQ(pic.width, 3);
  EXPECT_EQ(pic.height, 2);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(pic.pixels), data.data() + 12);
  EXPECT_EQ(pic.at(1, 1), (ZR_Pix_A32{16, 17, 18, 19}));
}

TEST(ZR_Pic_Base, RefusesDataThatIsNotAFittingZrifAndKeepsWhatItShowed) {
  const std::vector<uint8_t> good = zrif("ZRIF", 2, 2, 16);
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
  };
  const Case cases[] = {
      {"a strip", zrif("ZRVF", 2, 2, 16)},
      {"pixels cut short", zrif("ZRIF", 2, 2, 15)},
      {"a negative height", zrif("ZRIF", 2, -2, 16)},
      {"a size beyond any data", zrif("ZRIF", 65536, 65536, 16)},
      {"a size whose byte count overflows 64 bits", zrif("ZRIF", 2147483647, 2147483647, 16)},
      {"less than a header", std::vector<uint8_t>{'Z', 'R', 'I', 'F', 1}},
  };
  for (const Case& c : cases) {
    ZR_Pic<ZR_Pix_A32> empty, mapped;
    ASSERT_TRUE(mapped.map(good.data(), good.size()));
    CapturedReports reports;
    EXPECT_FALSE(empty.map(c.data.data(), c.data.size())) << c.what;
    EXPECT_FALSE(mapped.map(c.data.data(), c.data.size())) << c.what;
    EXPECT_EQ(empty.pixels, nullptr);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(mapped.pixels), good.data() + 12);
    ASSERT_EQ(reports.texts().size(), 2u) << c.what;
    EXPECT_EQ(reports.texts()[0].rfind("Error: Invalid ZRIF header\n", 0), 0u) << reports.texts()[0];
    EXPECT_NE(reports.texts()[0].find("\nProc: ZR_Pic_Base<TPix>::map\n"), std::string::npos);
  }
}

TEST(ZR_Pic_Base, AMissingResourceIsReportedByTheLookupAndChangesNothing) {
  ZR_Pic<ZR_Pix_A32> pic;
  CapturedReports reports;
  EXPECT_FALSE(pic.mapResource("NO_SUCH_PICTURE"));
  EXPECT_FALSE(pic.mapResource("TESTDATA"));  // there, but not a picture
  EXPECT_EQ(pic.pixels, nullptr);
  ASSERT_EQ(reports.texts().size(), 2u);
  EXPECT_EQ(reports.texts()[0].rfind("Error: NO_SUCH_PICTURE\n", 0), 0u);
  EXPECT_EQ(reports.texts()[1].rfind("Error: Invalid ZRIF header\n", 0), 0u);
}

TEST(ZR_Pic_Base, DrawsARectangleLargerThanItselfAsATiling) {
  ZR_Pic<ZR_Pix_A32> tile, dest;
  tile.create(63, 63);
  fillWithCoordinates(tile);
  dest.create(200, 100);
  clear(dest);
  tile.draw(dest, 0, 0, {0, 0, 200, 100});
  EXPECT_EQ(dest.at(63, 0), blendedOnClear(tile.at(0, 0)));
  EXPECT_EQ(dest.at(62, 62), blendedOnClear(tile.at(62, 62)));
  EXPECT_EQ(dest.at(199, 99), blendedOnClear(tile.at(199 % 63, 99 % 63)));
}

TEST(ZR_Pic_Base, DrawsAPartAtAPositionAndCutsItToTheDestination) {
  ZR_Pic<ZR_Pix_A32> source, dest;
  source.create(10, 10);
  fillWithCoordinates(source);
  dest.create(20, 20);
  clear(dest);
  source.draw(dest, 15, -2, {3, 4, 9, 10});  // 6 x 6, of which 5 x 4 land inside dest
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 20; ++x) {
      const bool inside = x >= 15 && y < 4;
      const ZR_Pix_A32 expected = inside ? blendedOnClear(source.at(3 + x - 15, 4 + y + 2)) : ZR_Pix_A32{};
      ASSERT_EQ(dest.at(x, y), expected) << x << "," << y;
    }
  }
}

TEST(ZR_Pic_Base, DrawsNothingWithoutPixels) {
  ZR_Pic<ZR_Pix_A32> nothing, dest;
  dest.create(4, 4);
  clear(dest);
  nothing.draw(dest, 0, 0, {0, 0, 4, 4});
  EXPECT_EQ(dest.at(2, 2), ZR_Pix_A32{});
}
