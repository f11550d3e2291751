#include "app/ZR_Preset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "ZR_app_test_support.h"
#include "app/ZR_Application.h"

namespace {

std::string readAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeAll(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class Presets : public testing::Test {
 protected:
  void SetUp() override {
    app.build();
    app.presetDialog = &dialog;
    path = testing::TempDir() + "qorm_preset_" +
           testing::UnitTest::GetInstance()->current_test_info()->name() + ".qorm";
    std::remove(path.c_str());
  }
  void TearDown() override {
    std::remove(path.c_str());
    testing::internal::CaptureStdout();
    app.destroy();
    testing::internal::GetCapturedStdout();
  }

  // A valid preset with these values.
  std::string preset(int32_t state, float knob) {
    std::string bytes(ZR_Product::productString, ZR_Product::presetHeaderSize);
    bytes.append(reinterpret_cast<const char*>(&state), 4);
    bytes.append(reinterpret_cast<const char*>(&knob), 4);
    return bytes;
  }

  void setValues(int32_t state, float knob) {
    app.state.setWord(state);
    app.state.changed(&app);
    app.frequency.setReal(knob);
    app.frequency.changed(&app);
  }

  ZR_Application app;
  QueuedDialog dialog;
  MessageBoxes boxes;
  std::string path;
};

TEST_F(Presets, TheFileIsTheProductStringThenStateThenTheKnobValue) {
  setValues(0, 2515.0f);
  EXPECT_EQ(ZR_Preset::save(app, path.c_str()), nullptr);
  EXPECT_EQ(readAll(path), preset(0, 2515.0f));
  EXPECT_EQ(readAll(path).size(), static_cast<size_t>(ZR_Preset::kFileSize));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Presets, SaveThenLoadRestoresBothValuesExactly) {
  setValues(0, 1234.5678f);
  ASSERT_EQ(ZR_Preset::save(app, path.c_str()), nullptr);
  setValues(1, 20.0f);
  EXPECT_EQ(ZR_Preset::load(app, path.c_str()), nullptr);
  EXPECT_EQ(app.state.word(), 0);
  EXPECT_EQ(app.frequency.real(), 1234.5678f);
  EXPECT_EQ(queryInteger(app.graph[ZR_Application::kLowpass], "on"), 0);  // and applied
  EXPECT_EQ(queryReal(app.graph[ZR_Application::kBandpass], "f"), app.frequency.cutoff(1234.5678f));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Presets, LoadTakesAnyStateAndAnyKnobValueAsTheyAre) {
  writeAll(path, preset(7, 12345.0f));
  EXPECT_EQ(ZR_Preset::load(app, path.c_str()), nullptr);
  EXPECT_EQ(app.state.word(), 7);
  EXPECT_EQ(app.state.normalised(), 1.0f);
  EXPECT_EQ(app.frequency.real(), 12345.0f);
}

TEST_F(Presets, BadFilesAreRefusedWithTheirMessageAndChangeNothing) {
  std::string wrongHeader = preset(0, 300.0f);
  wrongHeader[3] ^= 0x20;
  std::string unterminatedHeader = preset(0, 300.0f);
  unterminatedHeader[ZR_Product::presetHeaderSize - 1] = 'x';
  const struct {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"one byte too long", preset(0, 300.0f) + "x", "Bad content in preset file."},
      {"truncated", preset(0, 300.0f).substr(0, ZR_Preset::kFileSize - 1), "Bad content in preset file."},
      {"empty", "", "Bad content in preset file."},
      {"wrong header character", wrongHeader, "Wrong header in preset file."},
      {"header without its zero byte", unterminatedHeader, "Wrong header in preset file."},
      {"a knob value that is not a number", preset(0, std::nanf("")), "Bad content in preset file."},
      {"an infinite knob value", preset(0, HUGE_VALF), "Bad content in preset file."},
  };
  for (const auto& c : cases) {
    setValues(1, 1500.0f);
    writeAll(path, c.bytes);
    MessageBoxes captured;
    EXPECT_STREQ(ZR_Preset::load(app, path.c_str()), c.message) << c.name;
    ASSERT_EQ(captured.shown().size(), 1u) << c.name;
    EXPECT_EQ(captured.shown()[0].text, c.message) << c.name;
    EXPECT_EQ(captured.shown()[0].caption, "Error") << c.name;
    EXPECT_EQ(app.state.word(), 1) << c.name;
    EXPECT_EQ(app.frequency.real(), 1500.0f) << c.name;
  }
}

TEST_F(Presets, AnUnreadablePathSaysSo) {
  const std::string missing = testing::TempDir() + "qorm_no_such_folder/none.qorm";
  EXPECT_STREQ(ZR_Preset::load(app, missing.c_str()), "Cannot open this file.");
  EXPECT_STREQ(ZR_Preset::save(app, missing.c_str()), "Cannot open preset file.");
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, "Cannot open preset file.");
  EXPECT_EQ(boxes.shown()[1].caption, "Error");
}

TEST_F(Presets, TheActionsAskTheDialogAndDoNothingOnCancel) {
  setValues(0, 700.0f);
  dialog.answers = {path, path, "", ""};
  app.saveAction.changed(&app);
  setValues(1, 20.0f);
  app.loadAction.changed(&app);
  EXPECT_EQ(app.state.word(), 0);
  EXPECT_EQ(app.frequency.real(), 700.0f);
  app.saveAction.changed(&app);  // cancelled
  app.loadAction.changed(&app);
  EXPECT_TRUE(dialog.answers.empty());
  EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace
