// Write failures part-way through a save, made with a file size limit (Linux).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "ZR_app_test_support.h"
#include "app/ZR_Application.h"
#include "app/ZR_Preset.h"

namespace {

// Limits the size of files this process writes while it lives; writes beyond fail instead of
// raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int);
};

TEST(PresetWriteFailures, APartlyWrittenPresetIsReportedAndNeverLoads) {
  const struct {
    rlim_t limit;
    const char* message;
  } cases[] = {
      {ZR_Product::presetHeaderSize - 5, "Cannot write header to preset file."},
      {ZR_Product::presetHeaderSize + 6, "Cannot write params to preset file."},
  };
  ZR_Application app;
  app.build();
  const std::string path = testing::TempDir() + "qorm_preset_partial.qorm";
  for (const auto& c : cases) {
    MessageBoxes boxes;
    {
      FileSizeLimit limit(c.limit);
      EXPECT_STREQ(ZR_Preset::save(app, path.c_str()), c.message) << c.limit;
    }
    app.state.setWord(0);
    EXPECT_STREQ(ZR_Preset::load(app, path.c_str()), "Bad content in preset file.") << c.limit;
    EXPECT_EQ(app.state.word(), 0) << c.limit;
    app.state.setWord(1);
    ASSERT_EQ(boxes.shown().size(), 2u);
  }
  std::remove(path.c_str());
  testing::internal::CaptureStdout();
  app.destroy();
  testing::internal::GetCapturedStdout();
}

}  // namespace
