#include "win32/ZR_Dlg_File_Win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "wid/ZR_Dlg_File.h"

namespace {
constexpr char kPresetFilter[] = "Preset file (*.qorm)\0*.qorm\0";

// Acts as the user at the dialog: waits for the window titled "File preset", types a name into
// its file name box and presses OK, or presses Cancel for an empty name.
class DialogUser {
 public:
  explicit DialogUser(std::string name) : name_(std::move(name)), thread_([this] { run(); }) {}
  ~DialogUser() { thread_.join(); }
  bool sawDialog() const { return saw_; }

 private:
  void run() {
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 200 && !dialog; ++attempt) {
      dialog = FindWindowA("#32770", "File preset");
      if (!dialog || !IsWindowVisible(dialog)) {
        dialog = nullptr;
        Sleep(50);
      }
    }
    if (!dialog) return;
    saw_ = true;
    if (name_.empty()) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else {
      // The file name box: a combo box in the explorer-style dialog, an edit box in the old one.
      if (!SetDlgItemTextA(dialog, cmb13, name_.c_str())) SetDlgItemTextA(dialog, edt1, name_.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    // A dialog that refused the answer is closed, so the test never hangs: first the box it shows,
    // then the dialog. Only windows the dialog owns are touched; closing the dialog's own inner
    // windows from here makes Wine's dialog call into freed memory.
    for (int attempt = 0; attempt < 60 && IsWindow(dialog); ++attempt) Sleep(50);
    if (IsWindow(dialog)) {
      EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), dismissOwnedBox,
                        reinterpret_cast<LPARAM>(dialog));
      Sleep(200);
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  }
  static BOOL CALLBACK dismissOwnedBox(HWND window, LPARAM dialog) {
    if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(dialog))
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
  }

  std::string name_;
  std::atomic<bool> saw_{false};
  std::thread thread_;
};

std::string temporaryFolder() {
  char path[MAX_PATH];
  GetTempPathA(sizeof path, path);
  std::string folder = std::string(path) + "qorm_dialog_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}
}  // namespace

TEST(ZR_Dlg_File_Win32, TheRecordCarriesTheDialogSettings) {
  ZR_Dlg_File dialog(nullptr, kPresetFilter);
  const OPENFILENAMEA& record = dialog.record();
  // The full form, with the three fields after the hook template: 88 bytes on 32-bit Windows, 152
  // on 64-bit Windows, where its pointers and handles are twice as wide.
  EXPECT_EQ(record.lStructSize, sizeof(void*) == 4 ? 88u : 152u);
  EXPECT_EQ(record.hInstance, GetModuleHandleA(nullptr));
  EXPECT_EQ(record.lpstrFilter, kPresetFilter);
  EXPECT_EQ(record.nMaxFile, 4096u);
  EXPECT_STREQ(record.lpstrFile, "");
  EXPECT_STREQ(record.lpstrInitialDir, ".");
  EXPECT_STREQ(record.lpstrTitle, "File preset");
  EXPECT_STREQ(record.lpstrDefExt, "bin");
  EXPECT_EQ(record.lpstrCustomFilter, nullptr);
  EXPECT_EQ(record.nFilterIndex, 0u);
  EXPECT_EQ(record.Flags, 0u);
}

// The real dialogs, answered by a user thread: a name typed without extension gets the extension
// of the selected filter (the explorer-style dialog prefers it to the default "bin"), an existing
// file opens, a missing one is refused, and Cancel gives nothing.
TEST(ZR_Dlg_File_Win32, TheCommonDialogsReturnTheChosenPath) {
  const std::string folder = temporaryFolder();
  ZR_Dlg_File dialog(nullptr, kPresetFilter);
  {
    DialogUser user(folder + "\\preset");
    const char* saved = dialog.save();
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(std::string(saved), folder + "\\preset.qorm");
    EXPECT_EQ(dialog.record().Flags & (OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT), 0x802u);
  }
  const std::string existing = folder + "\\old.qorm";
  std::FILE* file = std::fopen(existing.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  {
    DialogUser user(existing);
    const char* opened = dialog.open();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(std::string(opened), existing);
    EXPECT_EQ(dialog.record().Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST), 0x1800u);
  }
  {
    DialogUser user("");
    EXPECT_EQ(dialog.open(), nullptr);
    EXPECT_TRUE(user.sawDialog());
  }
  {
    // The open dialog refuses a file that does not exist; the user then gives up.
    DialogUser user(folder + "\\missing.qorm");
    EXPECT_EQ(dialog.open(), nullptr);
    EXPECT_TRUE(user.sawDialog());
  }
  DeleteFileA(existing.c_str());
  RemoveDirectoryA(folder.c_str());
}
