// Every picture the art generator made and the build linked in: found by name, decodable, with
// the size, format and frame count the layouts rely on, and drawn the way its users expect.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "cmd/ZR_resource.h"
#include "gfx/ZR_Pic.h"
#include "gfx/ZR_Vid.h"
#include "gfx/ZR_format.h"

namespace {

struct Resource {
  const char* name;
  int32_t width, height;
  int32_t frames;  // 0: a still picture
};

const Resource kResources[] = {
    {"ALT", 10, 10, 0},    {"AMT", 10, 10, 0},   {"ART", 10, 10, 0},       {"ALM", 10, 10, 0},
    {"ARM", 10, 10, 0},    {"ALB", 10, 10, 0},   {"AMB", 10, 10, 0},       {"ARB", 10, 10, 0},
    {"GLT", 10, 10, 0},    {"GMT", 10, 10, 0},   {"GRT", 10, 10, 0},       {"GLM", 10, 10, 0},
    {"GRM", 10, 10, 0},    {"GLB", 10, 10, 0},   {"GMB", 10, 10, 0},       {"GRB", 10, 10, 0},
    {"GMM", 128, 128, 0},  {"BGND", 63, 63, 0},  {"LOGOTYPE", 160, 30, 0}, {"I41X89", 41, 89, 0},
    {"I91X17", 91, 17, 0}, {"BIG", 64, 64, 265}, {"KNOB", 32, 32, 100},    {"TUNE", 120, 24, 100},
    {"BUT", 40, 24, 2},    {"LOAD", 40, 24, 2},  {"PEEK", 40, 24, 2},      {"SAVE", 40, 24, 2},
};

// A mapped still picture (pictures are not copied: they map resources in place).
struct Still : ZR_Pic<ZR_Pix_A32> {
  explicit Still(const char* name) { EXPECT_TRUE(mapResource(name)) << name; }
};

ZR_Vid strip(const char* name) {
  ZR_Vid vid;
  EXPECT_TRUE(vid.mapResource(name)) << name;
  return vid;
}

double luminance(ZR_Pix_A32 p) { return (0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b) * p.a / 255.0; }

double meanLuminance(const ZR_Vid& vid, int32_t f) {
  double sum = 0;
  for (int32_t y = 0; y < vid.height; ++y) {
    for (int32_t x = 0; x < vid.width; ++x) sum += luminance(vid.pixel(f, x, y));
  }
  return sum / (vid.width * vid.height);
}

// Where the knob's pointer mark is: the most strongly accent-coloured (red over green) pixel in the
// ring between the face and the lit arc, as an angle clockwise from twelve o'clock in degrees.
double pointerAngle(const ZR_Vid& vid, int32_t f) {
  const double centre = vid.width / 2.0, inner = 0.26 * vid.width, outer = 0.36 * vid.width;
  double best = -1, angle = 0;
  for (int32_t y = 0; y < vid.height; ++y) {
    for (int32_t x = 0; x < vid.width; ++x) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre, r = std::hypot(dx, dy);
      const ZR_Pix_A32 p = vid.pixel(f, x, y);
      const double accent = (p.r - p.g) * p.a / 255.0;
      if (r >= inner && r <= outer && accent > best) {
        best = accent;
        angle = std::atan2(dx, -dy) * 180 / std::numbers::pi;
      }
    }
  }
  return angle;
}

}  // namespace

TEST(ZR_picture_resources, EveryPictureHasItsFormatSizeAndFrameCount) {
  for (const Resource& r : kResources) {
    size_t size = 0;
    const void* data = ZR_resource_sized(r.name, &size);
    ASSERT_NE(data, nullptr) << r.name;
    if (r.frames == 0) {
      const ZR_format::Header header = ZR_format::readHeader(data, size, ZR_format::kStill);
      ASSERT_TRUE(header.valid) << r.name;
      EXPECT_EQ(size, ZR_format::stillBytes(r.width, r.height)) << r.name;
      Still pic(r.name);
      EXPECT_EQ(pic.width, r.width) << r.name;
      EXPECT_EQ(pic.height, r.height) << r.name;
    } else {
      ZR_Vid vid = strip(r.name);
      EXPECT_EQ(vid.width, r.width) << r.name;
      EXPECT_EQ(vid.height, r.height) << r.name;
      EXPECT_EQ(vid.frameCount, r.frames) << r.name;
      EXPECT_EQ(size, ZR_format::stripBytes(r.width, r.height, vid.blockCount, vid.frameCount)) << r.name;
      // Long strips share most of their blocks between frames.
      if (r.frames >= 100) {
        EXPECT_LT(size, static_cast<size_t>(r.width) * r.height * 4 * r.frames / 4) << r.name;
      }
    }
  }
}

TEST(ZR_picture_resources, NamesAreFoundWithoutRegardToCase) {
  Still lower("bgnd"), upper("BGND");
  EXPECT_EQ(lower.pixels, upper.pixels);
}

TEST(ZR_picture_resources, EveryStripChangesFromItsFirstToItsLastFrame) {
  for (const Resource& r : kResources) {
    if (r.frames == 0) continue;
    ZR_Vid vid = strip(r.name);
    int32_t differing = 0;
    for (int32_t y = 0; y < vid.height; ++y) {
      for (int32_t x = 0; x < vid.width; ++x)
        differing += !(vid.pixel(0, x, y) == vid.pixel(r.frames - 1, x, y));
    }
    EXPECT_GT(differing, 10) << r.name;
  }
}

TEST(ZR_picture_resources, TheBackgroundIsOpaqueAndTheFramePiecesTranslucent) {
  Still background("BGND");
  for (int32_t i = 0; i < 63 * 63; ++i) ASSERT_EQ(background.pixels[i].a, 255) << i;
  for (const char* piece : {"ALT", "AMT", "ARB", "GLT", "GMT", "GRB", "GMM"}) {
    Still pic(piece);
    int32_t translucent = 0;
    for (int32_t i = 0; i < pic.width * pic.height; ++i)
      translucent += pic.pixels[i].a > 0 && pic.pixels[i].a < 255;
    EXPECT_GT(translucent, pic.width * pic.height / 4) << piece;
  }
}

TEST(ZR_picture_resources, TheOnOffButtonIsDarkWhenOffAndLitWhenOn) {
  ZR_Vid but = strip("BUT");
  EXPECT_GT(meanLuminance(but, 1), meanLuminance(but, 0) * 1.15);
}

TEST(ZR_picture_resources, KnobsHaveTransparentCornersAndAnOpaqueMiddle) {
  for (const char* name : {"BIG", "KNOB"}) {
    ZR_Vid knob = strip(name);
    const int32_t last = knob.width - 1;
    for (int32_t f : {0, knob.frameCount / 2, knob.frameCount - 1}) {
      for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        EXPECT_LT(knob.pixel(f, x, y).a, 128) << name << " frame " << f;
      }
      EXPECT_GE(knob.pixel(f, knob.width / 2, knob.height / 2).a, 128) << name;
    }
  }
}

TEST(ZR_picture_resources, KnobPointersTurnClockwiseFromLowerLeftToLowerRight) {
  for (const char* name : {"BIG", "KNOB"}) {
    ZR_Vid knob = strip(name);
    const int32_t last = knob.frameCount - 1;
    EXPECT_NEAR(pointerAngle(knob, 0), -135, 12) << name;
    EXPECT_NEAR(pointerAngle(knob, last / 2), 0, 12) << name;
    EXPECT_NEAR(pointerAngle(knob, last), 135, 12) << name;
    double previous = -180;
    for (int32_t f = 0; f <= last; f += last / 10) {
      const double angle = pointerAngle(knob, f);
      EXPECT_GT(angle, previous - 3) << name << " frame " << f;
      previous = angle;
    }
  }
}

TEST(ZR_picture_resources, MeterIndexPicturesNumberTheirMetersAndSegments) {
  struct Meter {
    const char* name;
    int32_t meters, segments;
    bool vertical;
  };
  for (const Meter& m : {Meter{"I41X89", 8, 44, true}, Meter{"I91X17", 2, 30, false}}) {
    Still pic(m.name);
    // Pixel count and coordinate sums of each segment, whose centre of mass orders the segments.
    struct Segment {
      int32_t pixels = 0;
      double x = 0, y = 0;
      double centreX() const { return x / pixels; }
      double centreY() const { return y / pixels; }
    };
    std::vector<Segment> segments(static_cast<size_t>(m.meters * m.segments));
    for (int32_t y = 0; y < pic.height; ++y) {
      for (int32_t x = 0; x < pic.width; ++x) {
        const ZR_Pix_A32 p = pic.at(x, y);
        if (p.a == 0) continue;
        ASSERT_EQ(p.a, 255) << m.name;
        ASSERT_EQ(p.g, 0) << m.name;
        ASSERT_LT(p.b, m.meters) << m.name;
        ASSERT_LT(p.r, m.segments) << m.name;
        const size_t k = p.b * m.segments + p.r;
        ++segments[k].pixels, segments[k].x += x, segments[k].y += y;
      }
    }
    for (int32_t meter = 0; meter < m.meters; ++meter) {
      for (int32_t s = 0; s < m.segments; ++s) {
        const size_t k = meter * m.segments + s;
        ASSERT_GT(segments[k].pixels, 0) << m.name << " meter " << meter << " segment " << s;
        if (s == 0) continue;
        const size_t below = k - 1;
        // Segments climb from the bottom (vertical) or run from the left (horizontal).
        if (m.vertical) {
          EXPECT_LT(segments[k].centreY(), segments[below].centreY()) << m.name;
        } else {
          EXPECT_GT(segments[k].centreX(), segments[below].centreX()) << m.name;
        }
      }
      // Meters side by side from the left (vertical ones) or stacked from the top.
      if (meter > 0) {
        const size_t here = meter * m.segments, before = (meter - 1) * m.segments;
        if (m.vertical) {
          EXPECT_GT(segments[here].centreX(), segments[before].centreX()) << m.name;
        } else {
          EXPECT_GT(segments[here].centreY(), segments[before].centreY()) << m.name;
        }
      }
    }
  }
}
