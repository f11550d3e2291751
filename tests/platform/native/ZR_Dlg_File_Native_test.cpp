#include "native/ZR_Dlg_File_Native.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "wid/ZR_Dlg_File.h"

namespace {
constexpr char kPresetFilter[] = "Preset file (*.qorm)\0*.qorm\0";

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ZR_Dlg_File_Native::clearAnswers();
    folder_ = std::filesystem::temp_directory_path() /
              ("qorm_dialog_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder_);
    existing_ = (folder_ / "old.qorm").string();
    std::FILE* file = std::fopen(existing_.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
  }
  void TearDown() override {
    ZR_Dlg_File_Native::clearAnswers();
    std::filesystem::remove_all(folder_);
  }
  std::filesystem::path folder_;
  std::string existing_;
  ZR_Dlg_File dialog_{nullptr, kPresetFilter};
};
}  // namespace

TEST_F(DialogTest, AnswersInQueueOrderAndCancelsWithoutAnswer) {
  EXPECT_STREQ(dialog_.filter, kPresetFilter);
  EXPECT_EQ(dialog_.open(), nullptr);
  ZR_Dlg_File_Native::queueAnswer(existing_.c_str());
  ZR_Dlg_File_Native::queueAnswer(nullptr);
  EXPECT_EQ(ZR_Dlg_File_Native::pendingAnswers(), 2u);
  const char* chosen = dialog_.open();
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen, existing_);
  EXPECT_EQ(dialog_.save(), nullptr);
  EXPECT_EQ(ZR_Dlg_File_Native::pendingAnswers(), 0u);
}

// The open dialog refuses a file or folder that does not exist.
TEST_F(DialogTest, OpenRefusesMissingFilesAndFolders) {
  for (const std::filesystem::path& missing :
       {folder_ / "none.qorm", folder_ / "none" / "old.qorm", folder_}) {
    ZR_Dlg_File_Native::queueAnswer(missing.string().c_str());
    EXPECT_EQ(dialog_.open(), nullptr) << missing;
  }
}

// A name typed without extension gets the filter's ".qorm"; one with its own extension, or an
// existing file (the overwrite is confirmed), is taken as it is; a missing folder is refused.
TEST_F(DialogTest, SaveCompletesNamesWithBinAndNeedsAnExistingFolder) {
  struct Case {
    std::string typed;
    std::string chosen;  // empty: refused
  };
  const std::string base = folder_.string();
  const Case cases[] = {
      {base + "/preset", base + "/preset.qorm"},
      {base + "/preset.bin", base + "/preset.bin"},
      {existing_, existing_},
      {base + "/none/preset.qorm", ""},
  };
  for (const Case& c : cases) {
    ZR_Dlg_File_Native::queueAnswer(c.typed.c_str());
    const char* chosen = dialog_.save();
    if (c.chosen.empty()) {
      EXPECT_EQ(chosen, nullptr) << c.typed;
    } else {
      ASSERT_NE(chosen, nullptr) << c.typed;
      EXPECT_EQ(chosen, c.chosen);
    }
  }
}

// Relative names start in the current directory, where the first dialog opens.
TEST_F(DialogTest, RelativeNamesAreInTheCurrentDirectory) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  ZR_Dlg_File_Native::queueAnswer("old.qorm");
  const char* opened = dialog_.open();
  const std::string openedPath = opened ? opened : "";
  ZR_Dlg_File_Native::queueAnswer("fresh");
  const char* saved = dialog_.save();
  std::filesystem::current_path(before);
  EXPECT_EQ(openedPath, "old.qorm");
  // The path lives in the dialog: the next dialog call replaced it.
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved, opened);
  EXPECT_STREQ(saved, "fresh.qorm");
}

// Without an extension in the filter's pattern the default extension "bin" completes the name.
TEST_F(DialogTest, APatternWithoutExtensionFallsBackToBin) {
  for (const char* filter : {"All files\0*.*\0", "Presets\0*.qorm;*.bin\0", "Any\0*\0"}) {
    ZR_Dlg_File dialog(nullptr, filter);
    ZR_Dlg_File_Native::queueAnswer((folder_ / "preset").string().c_str());
    const char* saved = dialog.save();
    ASSERT_NE(saved, nullptr);
    const std::string expected = std::string(filter).rfind("Presets", 0) == 0 ? "preset.qorm" : "preset.bin";
    EXPECT_EQ(std::filesystem::path(saved).filename(), expected) << filter;
  }
}

TEST_F(DialogTest, APathLongerThanTheBufferIsRefused) {
  const std::string tooLong = folder_.string() + "/" + std::string(ZR_Dlg_File_Base::kPathCapacity, 'x');
  ZR_Dlg_File_Native::queueAnswer(tooLong.c_str());
  EXPECT_EQ(dialog_.save(), nullptr);
}
