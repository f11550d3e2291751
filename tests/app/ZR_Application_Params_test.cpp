#include "app/ZR_Application_Params.h"

#include <gtest/gtest.h>

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
