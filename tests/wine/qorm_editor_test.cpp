// The plug-in's editor as a host shows it: opened through the effect record in a real window of
// the test host, driven by mouse messages, read back from the screen. Captures are written as PNG
// files into the working directory.
//
//   qorm_editor_test PLUGIN [EXPORT] [gtest options]
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "EditorLayout.h"
#include "HostWindow.h"
#include "MessageBoxWatch.h"
#include "TestEffect.h"
#include "TestHost.h"

namespace {

std::string pluginPath;
std::string exportName = "VSTPluginMain";

// The first and last column of an area that holds a pixel brighter than the panel ever is there:
// the ink of a light text. -1 for both when there is none.
std::pair<int32_t, int32_t> inkColumns(const Capture& capture, const Area& a) {
  constexpr double kInk = 140.0;  // the panel stays below 100, both texts' colours are above 190
  std::pair<int32_t, int32_t> columns{-1, -1};
  for (int32_t x = a.left; x < a.left + a.width; ++x)
    for (int32_t y = a.top; y < a.top + a.height; ++y)
      if (luminance(capture.rgb(x, y)) > kInk) {
        if (columns.first < 0) columns.first = x;
        columns.second = x;
        break;
      }
  return columns;
}

// The face Wine gives the editor's texts and the width of a text in it, made as the text widget
// makes its font.
std::string tahomaWidth(const char* text, int32_t& width) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, "Tahoma");
  HGDIOBJ previous = SelectObject(dc, font);
  char face[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof face, face);
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
  width = extent.cx;
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return face;
}

std::string baseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// One host window for all the tests: Wine waits up to two seconds for a window manager to let a
// destroyed top-level window go, and Xvfb has none.
HostWindow& sharedWindow() {
  static HostWindow window(40, 40);
  return window;
}

class Editor : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.load(pluginPath, exportName)) << host.error();
    effect = std::make_unique<TestEffect>(host.create());
    ASSERT_NE(effect->record, nullptr);
    char name[32];
    std::snprintf(name, sizeof name, "ZRFRAMEx%8.8X",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(host.module())));
    frameClass = name;
  }
  void TearDown() override {
    if (effect) effect->close();
    window.pump(50);
    EXPECT_TRUE(boxes.dismissed().empty()) << boxes.dismissed().front();
  }

  // Opens the editor in the host's window and lets the first mouse move's leave tracking run out
  // while the real pointer is far away, so no leave arrives between the scripted messages.
  void open() {
    ASSERT_EQ(effect->dispatch(effEditOpen, 0, 0, window.handle()), 1);
    ASSERT_NE(window.editor(), nullptr);
    window.mouseMove(2, 2);
    window.pump(300);
  }

  // What the editor shows with the mouse on no control.
  Capture shown() {
    window.mouseMove(2, 2);
    window.pump(20);
    return window.capture();
  }

  void save(const Capture& capture, const char* suffix) {
    const std::string path = "qorm_editor_" + baseName(pluginPath) + suffix + ".png";
    EXPECT_TRUE(writePng(path, capture)) << path;
  }

  MessageBoxWatch boxes;
  TestHost host;
  HostWindow& window = sharedWindow();
  std::unique_ptr<TestEffect> effect;
  std::string frameClass;
};

// Real hosts open the editor before they ask for its rectangle.
TEST_F(Editor, OpensInTheHostsWindowAndFillsIt) {
  EXPECT_TRUE(effect->record->flags & effFlagsHasEditor);
  open();
  EXPECT_EQ(HostWindow::className(window.editor()), frameClass);
  int32_t w = 0, h = 0;
  window.clientSize(w, h);  // the host's window grew around the editor, caption and frame aside
  EXPECT_EQ(w, kEditorWidth);
  EXPECT_EQ(h, kEditorHeight);

  ERect* rect = nullptr;
  ASSERT_EQ(effect->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, kEditorHeight);
  EXPECT_EQ(rect->right, kEditorWidth);
  ERect* again = nullptr;
  effect->dispatch(effEditGetRect, 0, 0, &again);
  EXPECT_EQ(again, rect);

  const Capture capture = shown();
  save(capture, "");
  ASSERT_EQ(capture.width, kEditorWidth);
  ASSERT_EQ(capture.height, kEditorHeight);
  // A dark panel all over: nothing of the host's white window shows through.
  double brightness = 0.0;
  for (int32_t y = 0; y < kEditorHeight; ++y)
    for (int32_t x = 0; x < kEditorWidth; ++x) brightness += luminance(capture.rgb(x, y));
  EXPECT_LT(brightness / (kEditorWidth * kEditorHeight), 80.0);
  for (int32_t x : {0, kEditorWidth - 1})
    for (int32_t y : {0, kEditorHeight - 1}) EXPECT_LT(luminance(capture.rgb(x, y)), 80.0) << x << "," << y;
  // Drawn things, not an empty panel: the logo, the title, the knob and the read-out have detail.
  for (const Area& a : {kLogo, kTitle, kButton, kCaption, kKnob, kReadout})
    EXPECT_GT(spread(capture, a), 5.0) << a.left << "," << a.top;
}

// The title and the caption are laid out for Tahoma's metrics; a wider face cuts both at both ends.
TEST_F(Editor, TitleAndCaptionAreWhole) {
  const struct {
    const char* text;
    Area area;
  } texts[] = {{"3-rd order Butterworth low-pass", kTitle}, {"Cutoff frequency", kCaption}};
  open();
  const Capture capture = shown();
  for (const auto& t : texts) {
    int32_t width = 0;
    EXPECT_EQ(tahomaWidth(t.text, width), "Tahoma");
    EXPECT_LE(width, t.area.width) << t.text;
    // Whole means a margin of panel at both ends, and the text most of the way across.
    const auto [first, last] = inkColumns(capture, t.area);
    EXPECT_GT(first, t.area.left) << t.text;
    EXPECT_LT(last, t.area.left + t.area.width - 1) << t.text;
    EXPECT_GT(last - first, t.area.width * 3 / 4) << t.text;
  }
}

TEST_F(Editor, DraggingTheKnobTurnsFrequencyAndTheReadout) {
  open();
  EXPECT_FLOAT_EQ(effect->getParameter(1), (1500.0f - 20.0f) / 9980.0f);
  const Capture before = shown();
  // From frame 39 (1500), 30 pixels right and 20 up: 50 frames more.
  window.drag(kKnob.centreX(), kKnob.centreY(), 30, -20);
  EXPECT_NEAR(effect->getParameter(1), 89.0f / kKnobFrames, 1e-6f);
  const Capture after = shown();
  save(after, "_turned");
  EXPECT_NE(pixels(after, kKnob), pixels(before, kKnob));
  EXPECT_NE(pixels(after, kReadout), pixels(before, kReadout));
  EXPECT_EQ(pixels(after, kCaption), pixels(before, kCaption));
  EXPECT_EQ(pixels(after, kButton), pixels(before, kButton));
}

TEST_F(Editor, ClickingTheButtonSwitchesStateOffAndGreysTheControls) {
  open();
  const Capture on = shown();
  window.click(kButton.centreX(), kButton.centreY());
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(effect->text(effGetParamDisplay, 0, 8), "Off");
  const Capture off = shown();
  save(off, "_off");
  EXPECT_NE(pixels(off, kButton), pixels(on, kButton));
  for (const Area& a : {kCaption, kKnob, kReadout})
    EXPECT_LT(spread(off, a), 0.7 * spread(on, a)) << a.left << "," << a.top;
  EXPECT_EQ(pixels(off, kLogo), pixels(on, kLogo));
  EXPECT_EQ(pixels(off, kTitle), pixels(on, kTitle));

  // A greyed knob takes no drag; a second click brings the controls back as they were.
  window.drag(kKnob.centreX(), kKnob.centreY(), 40, 0);
  EXPECT_FLOAT_EQ(effect->getParameter(1), (1500.0f - 20.0f) / 9980.0f);
  window.click(kButton.centreX(), kButton.centreY());
  EXPECT_EQ(effect->getParameter(0), 1.0f);
  EXPECT_LE(largestDifference(shown(), on), 1);
}

TEST_F(Editor, HostParameterChangesReachTheOpenEditor) {
  open();
  const Capture before = shown();
  effect->setParameter(1, 0.25f);
  const Capture after = shown();
  EXPECT_NE(pixels(after, kKnob), pixels(before, kKnob));
  EXPECT_NE(pixels(after, kReadout), pixels(before, kReadout));
  effect->setParameter(0, 0.0f);
  EXPECT_LT(spread(shown(), kKnob), 0.7 * spread(after, kKnob));
}

TEST_F(Editor, ClosingAndOpeningAgainShowsTheSameState) {
  open();
  window.click(kButton.centreX(), kButton.centreY());
  window.click(kButton.centreX(), kButton.centreY());
  window.drag(kKnob.centreX(), kKnob.centreY(), -10, 0);
  window.click(kButton.centreX(), kButton.centreY());
  const float frequency = effect->getParameter(1);
  const Capture before = shown();

  effect->dispatch(effEditClose);
  EXPECT_EQ(window.editor(), nullptr);
  EXPECT_FALSE(windowOfClassExists(frameClass));
  window.pump(50);
  effect->dispatch(effEditOpen, 0, 0, window.handle());
  ASSERT_NE(window.editor(), nullptr);
  const Capture after = shown();
  EXPECT_LE(largestDifference(after, before), 1);
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(effect->getParameter(1), frequency);
}

TEST_F(Editor, ClosingTheEffectLeavesNoWindowBehind) {
  open();
  EXPECT_TRUE(windowOfClassExists(frameClass));
  effect->dispatch(effEditClose);
  effect->dispatch(effEditOpen, 0, 0, window.handle());
  EXPECT_EQ(effect->close(), 1);  // while the editor is open, as some hosts do
  window.pump(50);
  EXPECT_EQ(window.editor(), nullptr);
  EXPECT_FALSE(windowOfClassExists(frameClass));
}

TEST_F(Editor, TwoEffectsShowTwoEditors) {
  TestEffect second(host.create());
  HostWindow secondWindow(300, 40);
  open();
  ASSERT_EQ(second.dispatch(effEditOpen, 0, 0, secondWindow.handle()), 1);
  window.click(kButton.centreX(), kButton.centreY());
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(second.getParameter(0), 1.0f);
  secondWindow.pump(20);
  EXPECT_NE(pixels(shown(), kKnob), pixels(secondWindow.capture(), kKnob));
  second.dispatch(effEditClose);
  EXPECT_EQ(second.close(), 1);
  EXPECT_TRUE(windowOfClassExists(frameClass));  // the first editor is still open
}

TEST_F(Editor, AnInvalidWindowOpensNothing) {
  int notAWindow = 0;
  EXPECT_EQ(effect->dispatch(effEditOpen, 0, 0, &notAWindow), 0);
  EXPECT_FALSE(windowOfClassExists(frameClass));
  effect->dispatch(effEditClose);
}

// The watch itself: a box shown on this thread is closed and its text kept.
TEST(MessageBoxWatchTest, DismissesBoxesAndKeepsTheirText) {
  MessageBoxWatch watch;
  EXPECT_EQ(MessageBoxA(nullptr, "Cannot find resource", "ERROR", MB_OK), IDOK);
  ASSERT_EQ(watch.dismissed().size(), 1u);
  EXPECT_EQ(watch.dismissed()[0], "Cannot find resource");
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: qorm_editor_test PLUGIN [EXPORT] [gtest options]\n");
    return 2;
  }
  pluginPath = argv[1];
  if (argc > 2) exportName = argv[2];
  return RUN_ALL_TESTS();
}
