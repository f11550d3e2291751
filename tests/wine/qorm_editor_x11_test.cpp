// The Linux plug-in's editor as a host shows it: opened through the effect record in an X window of
// the test host, driven by the real pointer (XTest), handled when the host idles the editor, read
// back from the screen. Captures are written as PNG files into the working directory. Needs an X
// display (scripts/test gives one with Xvfb); without one every test is skipped.
//
//   qorm_editor_x11_test PLUGIN [gtest options]
#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "EditorLayout.h"
#include "HostWindow_X11.h"
#include "TestEffect.h"
#include "TestHost.h"

namespace {

std::string pluginPath;
Display* display = nullptr;
constexpr char kFrameClass[] = "ZRFRAME";
constexpr float kFrequency1500 = (1500.0f - 20.0f) / 9980.0f;  // the Frequency an effect starts with

int32_t openDescriptors() {
  int32_t count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

// The editor's images shared with the server that are still mapped into this process.
int32_t sharedImagesMapped() {
  std::ifstream maps("/proc/self/maps");
  int32_t count = 0;
  for (std::string line; std::getline(maps, line);) count += line.find("qorm-editor") != std::string::npos;
  return count;
}

class Editor : public testing::Test {
 protected:
  void SetUp() override {
    if (!display) GTEST_SKIP() << "no X display (run under xvfb-run -a)";
    ASSERT_TRUE(host.load(pluginPath)) << host.error();
    effect = std::make_unique<TestEffect>(host.create());
    ASSERT_NE(effect->record, nullptr);
    window = std::make_unique<HostWindow_X11>(display, 40, 40);
  }
  void TearDown() override {
    if (!display) return;
    for (TestEffect* e : opened) e->dispatch(effEditClose);
    effect.reset();
    window.reset();
    EXPECT_EQ(windowsOfClass(display, kFrameClass), 0);
  }

  void open(TestEffect& e, HostWindow_X11& w) {
    ASSERT_EQ(e.dispatch(effEditOpen, 0, 0, w.handle()), 1);
    opened.push_back(&e);
    pump();
  }
  void open() { open(*effect, *window); }
  void close(TestEffect& e) {
    e.dispatch(effEditClose);
    std::erase(opened, &e);
  }

  // The host's idle timer: every open editor handles what the server has sent it.
  void pump(int milliseconds = 20) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
      XSync(display, False);
      for (TestEffect* e : opened) e->dispatch(effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < end);
  }

  void moveTo(int32_t x, int32_t y, HostWindow_X11* w = nullptr) {
    (w ? *w : *window).pointerTo(x, y);
    pump(5);
  }
  void button(bool down) {
    window->button(down);
    pump(5);
  }
  void click(int32_t x, int32_t y) {
    moveTo(x, y);
    button(true);
    button(false);
  }
  // Moves onto (x, y), presses, moves by (dx, dy) in steps of a few pixels, releases.
  void drag(int32_t x, int32_t y, int32_t dx, int32_t dy) {
    moveTo(x, y);
    button(true);
    constexpr int32_t kSteps = 10;
    for (int32_t i = 1; i <= kSteps; ++i) moveTo(x + dx * i / kSteps, y + dy * i / kSteps);
    button(false);
  }

  // What the editor shows with the pointer on no control.
  Capture shown(HostWindow_X11* w = nullptr) {
    moveTo(2, 2, w);
    pump();
    return (w ? *w : *window).capture();
  }

  void save(const Capture& capture, const char* suffix) {
    const std::string path = std::string("qorm_editor_x11") + suffix + ".png";
    EXPECT_TRUE(writePng(path, capture)) << path;
  }

  TestHost host;
  std::unique_ptr<TestEffect> effect;
  std::unique_ptr<HostWindow_X11> window;
  std::vector<TestEffect*> opened;
};

TEST_F(Editor, OpensInTheHostsWindowAndFillsIt) {
  EXPECT_TRUE(effect->record->flags & effFlagsHasEditor);
  open();
  const Window editor = window->editor();
  ASSERT_NE(editor, 0u);
  EXPECT_EQ(windowsOfClass(display, kFrameClass), 1);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(display, editor, &attributes));
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, kEditorWidth);
  EXPECT_EQ(attributes.height, kEditorHeight);
  EXPECT_EQ(attributes.map_state, IsViewable);

  ERect* rect = nullptr;
  ASSERT_EQ(effect->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->bottom, kEditorHeight);
  EXPECT_EQ(rect->right, kEditorWidth);

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
  for (const Area& a : {kLogo, kTitle, kButton, kCaption, kKnob, kReadout})
    EXPECT_GT(spread(capture, a), 5.0) << a.left << "," << a.top;
}

TEST_F(Editor, DraggingTheKnobRaisesFrequency) {
  open();
  const Capture before = shown();
  // From frame 39 (1500), 30 pixels right and 20 up: 50 frames more.
  drag(kKnob.centreX(), kKnob.centreY(), 30, -20);
  EXPECT_NEAR(effect->getParameter(1), 89.0f / kKnobFrames, 1e-6f);
  const Capture after = shown();
  save(after, "_turned");
  EXPECT_NE(pixels(after, kKnob), pixels(before, kKnob));
  EXPECT_NE(pixels(after, kReadout), pixels(before, kReadout));
  EXPECT_EQ(pixels(after, kCaption), pixels(before, kCaption));
  EXPECT_EQ(pixels(after, kButton), pixels(before, kButton));
}

// The button's grab is the capture: the drag goes on outside the window, and only the release
// ends it. Leaving without the button takes the highlight off.
TEST_F(Editor, TheKnobKeepsThePointerWhileTheButtonIsDown) {
  open();
  const Capture plain = shown();
  moveTo(kKnob.centreX(), kKnob.centreY());
  const Capture hovered = window->capture();
  EXPECT_GT(luminance(hovered.rgb(kKnob.centreX(), kKnob.centreY())),
            luminance(plain.rgb(kKnob.centreX(), kKnob.centreY())));
  button(true);
  moveTo(kEditorWidth + 20, kKnob.centreY());  // beyond the right edge
  moveTo(kEditorWidth + 40, kKnob.centreY());
  const float turned = static_cast<float>(39 + kEditorWidth + 40 - kKnob.centreX()) / kKnobFrames;
  EXPECT_NEAR(effect->getParameter(1), turned, 1e-6f);
  button(false);
  moveTo(kEditorWidth + 60, kKnob.centreY());  // released: no drag any more
  EXPECT_NEAR(effect->getParameter(1), turned, 1e-6f);
  pump();
  const Capture left = window->capture();
  moveTo(2, 2);
  pump();
  EXPECT_EQ(pixels(left, kKnob), pixels(window->capture(), kKnob));
}

TEST_F(Editor, ClickingTheButtonSwitchesStateOffAndGreysTheControls) {
  open();
  const Capture on = shown();
  click(kButton.centreX(), kButton.centreY());
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(effect->text(effGetParamDisplay, 0, 8), "Off");
  const Capture off = shown();
  save(off, "_off");
  EXPECT_NE(pixels(off, kButton), pixels(on, kButton));
  for (const Area& a : {kCaption, kKnob, kReadout})
    EXPECT_LT(spread(off, a), 0.7 * spread(on, a)) << a.left << "," << a.top;
  EXPECT_EQ(pixels(off, kLogo), pixels(on, kLogo));
  EXPECT_EQ(pixels(off, kTitle), pixels(on, kTitle));

  // A greyed knob takes no drag; a second click brings the controls back exactly as they were.
  drag(kKnob.centreX(), kKnob.centreY(), 40, 0);
  EXPECT_FLOAT_EQ(effect->getParameter(1), kFrequency1500);
  click(kButton.centreX(), kButton.centreY());
  EXPECT_EQ(effect->getParameter(0), 1.0f);
  EXPECT_EQ(largestDifference(shown(), on), 0);
}

// A host's setParameter only marks the editor: nothing reaches the screen until the next idle.
TEST_F(Editor, HostParameterChangesAreDrawnAtTheNextIdle) {
  open();
  const Capture before = shown();
  effect->setParameter(1, 0.25f);
  XSync(display, False);
  EXPECT_EQ(pixels(window->capture(), kKnob), pixels(before, kKnob));
  const Capture after = shown();
  EXPECT_NE(pixels(after, kKnob), pixels(before, kKnob));
  EXPECT_NE(pixels(after, kReadout), pixels(before, kReadout));
  effect->setParameter(0, 0.0f);
  EXPECT_LT(spread(shown(), kKnob), 0.7 * spread(after, kKnob));
}

TEST_F(Editor, ClosingAndOpeningAgainShowsTheSameState) {
  const int32_t clients = clientCount(display);
  open();
  EXPECT_EQ(clientCount(display), clients + 1);  // a connection of its own
  drag(kKnob.centreX(), kKnob.centreY(), -10, 0);
  click(kButton.centreX(), kButton.centreY());
  const float frequency = effect->getParameter(1);
  const Capture before = shown();

  close(*effect);
  XSync(display, False);
  EXPECT_EQ(window->editor(), 0u);
  EXPECT_EQ(windowsOfClass(display, kFrameClass), 0);
  EXPECT_EQ(clientCount(display), clients);
  open();
  EXPECT_EQ(largestDifference(shown(), before), 0);
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(effect->getParameter(1), frequency);
}

// Each open makes one window, one graphics context, one shared image and one connection; each close
// gives them all back (and, under ASan, the connection's memory too).
TEST_F(Editor, FiftyOpenAndCloseCyclesLeaveNothingBehind) {
  const int32_t clients = clientCount(display);
  const int32_t descriptors = openDescriptors();
  for (int cycle = 0; cycle < 50; ++cycle) {
    open();
    if (cycle == 0) {
      const Window editor = window->editor();
      EXPECT_EQ(resourcesOfOwner(display, editor, "WINDOW"), 1);
      EXPECT_EQ(resourcesOfOwner(display, editor, "PIXMAP"), 0);
      EXPECT_EQ(resourcesOfOwner(display, editor, "ShmSeg"), 1);
      EXPECT_EQ(resourcesOfOwner(display, editor, "GC"), 1);
      EXPECT_EQ(sharedImagesMapped(), 1);
    }
    close(*effect);
  }
  XSync(display, False);
  EXPECT_EQ(clientCount(display), clients);
  EXPECT_EQ(openDescriptors(), descriptors);
  EXPECT_EQ(sharedImagesMapped(), 0);
  EXPECT_EQ(window->editor(), 0u);
  // Closing the effect with its editor open, as some hosts do, also takes everything away.
  open();
  opened.clear();
  EXPECT_EQ(effect->close(), 1);
  XSync(display, False);
  EXPECT_EQ(window->editor(), 0u);
  EXPECT_EQ(clientCount(display), clients);
}

TEST_F(Editor, TwoEffectsShowTwoEditorsAtOnce) {
  TestEffect second(host.create());
  HostWindow_X11 secondWindow(display, 300, 40);
  open();
  open(second, secondWindow);
  EXPECT_EQ(windowsOfClass(display, kFrameClass), 2);
  click(kButton.centreX(), kButton.centreY());
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(second.getParameter(0), 1.0f);
  EXPECT_NE(pixels(shown(), kKnob), pixels(shown(&secondWindow), kKnob));
  // The second one turns its own knob; the first keeps its Frequency.
  moveTo(kKnob.centreX(), kKnob.centreY(), &secondWindow);
  secondWindow.button(true);
  moveTo(kKnob.centreX() + 20, kKnob.centreY(), &secondWindow);
  secondWindow.button(false);
  pump();
  EXPECT_NEAR(second.getParameter(1), 59.0f / kKnobFrames, 1e-6f);
  EXPECT_FLOAT_EQ(effect->getParameter(1), kFrequency1500);
  close(second);
  EXPECT_EQ(windowsOfClass(display, kFrameClass), 1);  // the first editor is still open
  click(kButton.centreX(), kButton.centreY());
  EXPECT_EQ(effect->getParameter(0), 1.0f);
}

TEST_F(Editor, AnythingButAWindowOpensNothing) {
  const int32_t clients = clientCount(display);
  int notAWindow = 0;
  const Window gone = window->id();
  window->destroy();
  for (void* parent : {static_cast<void*>(&notAWindow), reinterpret_cast<void*>(static_cast<uintptr_t>(gone)),
                       static_cast<void*>(nullptr)}) {
    EXPECT_EQ(effect->dispatch(effEditOpen, 0, 0, parent), 0) << parent;
    effect->dispatch(effEditIdle);
    effect->dispatch(effEditClose);
  }
  XSync(display, False);
  EXPECT_EQ(clientCount(display), clients);
}

// Hosts may destroy their window before they close the editor: the errors that follow are the
// editor's own and must not end the host.
TEST_F(Editor, SurvivesAHostThatDestroysItsWindowFirst) {
  const int32_t clients = clientCount(display);
  open();
  window->destroy();
  pump();
  close(*effect);
  XSync(display, False);
  EXPECT_EQ(clientCount(display), clients);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: qorm_editor_x11_test PLUGIN [gtest options]\n");
    return 2;
  }
  pluginPath = argv[1];
  display = XOpenDisplay(nullptr);
  const int result = RUN_ALL_TESTS();
  if (display) XCloseDisplay(display);
  return result;
}
