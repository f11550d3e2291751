#include "app/ZR_Application_Param.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

ZR_Application_Param integerParam(int32_t value) {
  ZR_Application_Param p;
  p.kind = ZR_KIND_INTEGER;
  p.minimum = 1;
  p.maximum = 4;
  p.label = "dB";
  p.setWord(value);
  return p;
}

ZR_Application_Param realParam(float value) {
  ZR_Application_Param p;
  p.kind = ZR_KIND_REAL;
  p.minimum = 20;
  p.maximum = 10000;
  p.label = "Hz";
  p.setReal(value);
  return p;
}

ZR_Application_Param onOffParam(int32_t value) {
  static const char kPair[] = "On\0\0\0\0\0\0\0\0Off";
  ZR_Application_Param p;
  p.kind = ZR_KIND_ONOFF;
  p.label = kPair;
  p.setWord(value);
  return p;
}

std::string display(const ZR_Application_Param& p) {
  char text[64];
  p.displayText(text, sizeof text);
  return text;
}

std::string unit(const ZR_Application_Param& p) {
  char text[64];
  p.unitText(text, sizeof text);
  return text;
}

TEST(ApplicationParam, StartsEmptyWithTheYesNoPair) {
  ZR_Application_Param p;
  EXPECT_EQ(p.kind, ZR_KIND_NONE);
  EXPECT_EQ(p.length, -1);
  EXPECT_EQ(p.word(), 0);
  EXPECT_STREQ(p.name, "");
  EXPECT_STREQ(p.label, "Yes");
  EXPECT_STREQ(p.offLabel(), "No");
  EXPECT_EQ(p.widget, nullptr);
  EXPECT_EQ(p.normalised(), 0.0f);
  EXPECT_EQ(display(p), "");
  EXPECT_EQ(unit(p), "");
  p.setNormalised(0.7f);  // other kinds do not change
  EXPECT_EQ(p.word(), 0);
}

TEST(ApplicationParam, IntegerMapsTheUnitRangeOntoEveryValueEvenly) {
  const struct {
    float x;
    int32_t value;
  } cases[] = {{0.0f, 1}, {0.25f, 1}, {0.26f, 2}, {0.5f, 2}, {0.51f, 3}, {0.76f, 4}, {1.0f, 4}};
  for (const auto& c : cases) {
    ZR_Application_Param p = integerParam(0);
    p.setNormalised(c.x);
    EXPECT_EQ(p.word(), c.value) << c.x;
  }
  EXPECT_FLOAT_EQ(integerParam(1).normalised(), 0.125f);
  EXPECT_FLOAT_EQ(integerParam(4).normalised(), 0.875f);
  EXPECT_EQ(display(integerParam(3)), "3 dB");
  EXPECT_EQ(unit(integerParam(3)), "dB");
}

TEST(ApplicationParam, RealIsLinearInTheRange) {
  ZR_Application_Param p = realParam(0.0f);
  p.setNormalised(0.25f);
  EXPECT_EQ(p.real(), 2515.0f);
  EXPECT_FLOAT_EQ(p.normalised(), 0.25f);
  EXPECT_EQ(display(p), "2515.000000 Hz");
  EXPECT_EQ(unit(p), "Hz");
  p.label = "";
  EXPECT_EQ(display(p), "2515.000000");
}

TEST(ApplicationParam, OnOffSwitchesAboveOneHalf) {
  ZR_Application_Param p = onOffParam(1);
  p.setNormalised(0.5f);
  EXPECT_EQ(p.word(), 0);
  EXPECT_EQ(p.normalised(), 0.0f);
  EXPECT_EQ(display(p), "Off");
  p.setNormalised(0.51f);
  EXPECT_EQ(p.word(), 1);
  EXPECT_EQ(p.normalised(), 1.0f);
  EXPECT_EQ(display(p), "On");
  EXPECT_EQ(unit(p), "On/Off");
  p.setWord(5);  // any non-zero word is on
  EXPECT_EQ(p.normalised(), 1.0f);
}

TEST(ApplicationParam, HostValuesOutsideTheUnitRangeAreKeptInIt) {
  const struct {
    float x;
    float value;
  } cases[] = {{-0.5f, 20.0f}, {1.5f, 10000.0f}, {std::numeric_limits<float>::quiet_NaN(), 20.0f}};
  for (const auto& c : cases) {
    ZR_Application_Param p = realParam(1500.0f);
    p.setNormalised(c.x);
    EXPECT_EQ(p.real(), c.value) << c.x;
  }
}

TEST(ApplicationParam, TextsByKind) {
  char text[16];
  realParam(1500.0f).valueText(text, sizeof text);
  EXPECT_STREQ(text, "1500.000000");
  integerParam(-3).valueText(text, sizeof text);
  EXPECT_STREQ(text, "-3");
  onOffParam(0).valueText(text, sizeof text);
  EXPECT_STREQ(text, "Off");
  onOffParam(1).valueText(text, sizeof text);
  EXPECT_STREQ(text, "On");
  ZR_Application_Param named = realParam(0.0f);
  named.name = "Frequency";
  named.nameText(text, 8);
  EXPECT_STREQ(text, "Frequen");
  named.labelText(text, sizeof text);
  EXPECT_STREQ(text, "Hz");
}

}  // namespace
