#include "app/ZR_Application_Params.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ZR_app_test_support.h"
#include "app/ZR_Application.h"

namespace {

class Params : public testing::Test {
 protected:
  void SetUp() override { app.build(); }
  void TearDown() override {
    testing::internal::CaptureStdout();
    app.destroy();
    testing::internal::GetCapturedStdout();
  }
  ZR_Application app;
};

TEST_F(Params, CutoffGrowsWithTheSquareOfTheKnobTravel) {
  const struct {
    float knob;
    float cutoff;
  } cases[] = {{20.0f, 20.0f}, {10000.0f, 10000.0f}, {5010.0f, 2515.0f}, {2515.0f, 643.75f}};
  for (const auto& c : cases) EXPECT_EQ(app.frequency.cutoff(c.knob), c.cutoff) << c.knob;
}

TEST_F(Params, FrequencyDisplaysTheCutoffInAsManyDecimalsAsFit) {
  const struct {
    float knob;
    size_t size;  // the host's field, terminator included
    const char* text;
  } cases[] = {
      {1500.0f, 8, "239.479"},     {20.0f, 8, "20.0000"},     {10000.0f, 8, "10000.0"},
      {2515.0f, 8, "643.750"},     {9999.999f, 8, "10000.0"},  // 9999.998 Hz: two decimals carry
      {1500.0f, 16, "239.478973"}, {1500.0f, 6, "239.5"},     {1500.0f, 5, "239"},
      {1500.0f, 4, "239"},         {1500.0f, 1, ""},          {-1e20f, 8, "Huge!"},
  };
  for (const auto& c : cases) {
    app.frequency.setReal(c.knob);
    char text[32];
    std::memset(text, 'x', sizeof text);
    app.frequency.displayText(text, c.size);
    EXPECT_STREQ(text, c.text) << c.knob << " in " << c.size;
  }
  // The knob value and what the host reads back stay as they were.
  app.frequency.setReal(1500.0f);
  EXPECT_EQ(app.frequency.real(), 1500.0f);
  EXPECT_FLOAT_EQ(app.frequency.normalised(), 1480.0f / 9980.0f);
  char label[8];
  app.frequency.unitText(label, sizeof label);
  EXPECT_STREQ(label, "Hz");
}

TEST_F(Params, AHostSetOfFrequencyTunesBothFilters) {
  app.frequency.setNormalised(0.25f);
  app.frequency.changed(&app);
  EXPECT_EQ(app.frequency.real(), 2515.0f);
  EXPECT_EQ(queryReal(app.graph[ZR_Application::kBandpass], "f"), 643.75f);
  EXPECT_EQ(queryInteger(app.graph[ZR_Application::kLowpass], "f"), 643);
}

TEST_F(Params, StateSwitchesBothFilterNodes) {
  for (const auto& c : {std::pair{0.5f, 0}, std::pair{0.51f, 1}, std::pair{0.0f, 0}}) {
    app.state.setNormalised(c.first);
    app.state.changed(&app);
    EXPECT_EQ(app.state.word(), c.second) << c.first;
    EXPECT_EQ(queryInteger(app.graph[ZR_Application::kLowpass], "on"), c.second) << c.first;
    EXPECT_EQ(queryInteger(app.graph[ZR_Application::kBandpass], "on"), c.second) << c.first;
  }
}

TEST_F(Params, StateStaysOnOffWhenTheButtonWritesAnInteger) {
  app.state.kind = ZR_KIND_INTEGER;  // what the button's "-var" write leaves
  app.state.setWord(0);
  app.state.changed(&app);
  EXPECT_EQ(app.state.kind, ZR_KIND_ONOFF);
  EXPECT_EQ(app.state.normalised(), 0.0f);
  char text[8];
  app.state.displayText(text, sizeof text);
  EXPECT_STREQ(text, "Off");
}

TEST_F(Params, ApplyingWithoutTheApplicationDoesNothing) {
  app.state.setWord(0);
  app.state.changed(nullptr);
  EXPECT_EQ(queryInteger(app.graph[ZR_Application::kLowpass], "on"), 1);
}

}  // namespace
