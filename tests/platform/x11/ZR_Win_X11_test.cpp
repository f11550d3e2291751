// The X11 window against the X server: what reaches the screen, when, and what it costs. Needs an
// X display (scripts/test gives one with Xvfb); without one every test is skipped.
#include "x11/ZR_Win_X11.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "../../gfx/ZR_Win_testing.h"
#include "native/ZR_Win_Native.h"

namespace {

using zr_testing::SolidElement;

// A window size whose last tile column and row are partial. The test's own window lies where the
// editor tests put none, so nothing covers it even on a shared screen.
constexpr int32_t kWidth = 150;
constexpr int32_t kHeight = 100;

// A background, a translucent element across four tiles, a hovered and a disabled one: every path
// of the composition.
struct Scene {
  explicit Scene(ZR_Win& window) {
    background.overwrite = true;
    disabled.enabled = 0;
    for (SolidElement* e : {&background, &glass, &knob, &disabled}) ZR_Win::attach(&window, e);
    window.hovered = &knob;
  }
  SolidElement background{{0, 0, kWidth, kHeight}, {40, 60, 80, 255}};
  SolidElement glass{{50, 40, 90, 80}, {200, 100, 0, 128}};
  SolidElement knob{{100, 10, 140, 50}, {100, 200, 250, 200}, true};
  SolidElement disabled{{10, 70, 60, 95}, {250, 250, 250, 255}};
};

// One connection for the whole program: the server resets when its last client leaves, and a
// connection made during the reset fails.
class XServer : public testing::Environment {
 public:
  void SetUp() override { connection = xcb_connect(nullptr, nullptr); }
  void TearDown() override { xcb_disconnect(connection); }
  static inline xcb_connection_t* connection = nullptr;
};
const testing::Environment* const xServer = testing::AddGlobalTestEnvironment(new XServer);

class X11Window : public testing::Test {
 protected:
  void SetUp() override {
    connection = XServer::connection;
    if (xcb_connection_has_error(connection)) GTEST_SKIP() << "no X display (run under xvfb-run -a)";
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    parent = xcb_generate_id(connection);
    const uint32_t values[] = {screen->white_pixel, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, parent, screen->root, 700, 500, kWidth, kHeight, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection, parent);
    sync();
  }
  void TearDown() override {
    if (parent) xcb_destroy_window(connection, parent);
    sync();
  }

  void sync() { std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)); }

  // The screen's pixels of the window (blue, green, red; the spare byte cleared), once the server
  // has carried out what the window sent on its own connection.
  std::vector<ZR_Pix_A32> shown(const ZR_Win_X11& window) {
    window.sync();
    std::vector<ZR_Pix_A32> pixels;
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window.windowId(), 0, 0, kWidth, kHeight, ~0u),
        nullptr);
    if (!image) return pixels;
    const auto* data = reinterpret_cast<const ZR_Pix_A32*>(xcb_get_image_data(image));
    pixels.assign(data, data + kWidth * kHeight);
    for (ZR_Pix_A32& p : pixels) p.a = 0;
    std::free(image);
    return pixels;
  }

  xcb_connection_t* connection = nullptr;
  uint32_t parent = 0;
};

// Both ways to the server, memory shared with it and pixels in requests, show the same pixels.
TEST_F(X11Window, ShowsExactlyWhatTheHeadlessWindowComposes) {
  ZR_Win_Native memory(kWidth, kHeight);
  Scene inMemory(memory);
  memory.invalidateAll();
  std::vector<ZR_Pix_A32> expected(memory.surface().pixels, memory.surface().pixels + kWidth * kHeight);
  for (ZR_Pix_A32& p : expected) p.a = 0;

  for (bool sharedMemory : {true, false}) {
    ZR_Win_X11 window(kWidth, kHeight);
    Scene onScreen(window);
    ASSERT_TRUE(window.open(parent, sharedMemory));
    EXPECT_EQ(window.sharesMemory(), sharedMemory);  // the server runs here
    window.flush();
    EXPECT_EQ(shown(window), expected) << sharedMemory;
    // Twice over: the second time the shared image is written after the server read it.
    onScreen.glass.colour = {0, 0, 255, 255};
    window.invalidate({0, 0, kWidth, kHeight});
    window.flush();
    EXPECT_EQ(shown(window)[45 * kWidth + 70], (ZR_Pix_A32{0, 0, 254, 0})) << sharedMemory;
  }
}

// Other threads only mark tiles; the window thread composes those tiles, and only those, when it
// flushes. An exposure is answered from the composed image without composing anything.
TEST_F(X11Window, ComposesOnlyDirtyTilesAndOnlyWhenFlushed) {
  ZR_Win_X11 window(kWidth, kHeight);
  Scene scene(window);
  ASSERT_TRUE(window.open(parent));
  window.flush();
  const std::vector<ZR_Pix_A32> before = shown(window);

  scene.background.parts.clear();
  scene.glass.colour = {0, 0, 255, 255};
  std::thread([&] { window.invalidate({70, 45, 72, 47}); }).join();  // inside tile (1, 0)
  EXPECT_TRUE(scene.background.parts.empty());
  EXPECT_EQ(shown(window), before);

  window.flush();
  EXPECT_EQ(scene.background.parts, (std::vector<ZR_Rect>{{64, 0, 128, 64}}));
  const std::vector<ZR_Pix_A32> after = shown(window);
  EXPECT_EQ(after[45 * kWidth + 70], (ZR_Pix_A32{0, 0, 254, 0}));
  EXPECT_EQ(after[70 * kWidth + 70], before[70 * kWidth + 70]);  // tile (1, 1) was not dirty

  scene.background.parts.clear();
  xcb_unmap_window(connection, parent);
  xcb_map_window(connection, parent);
  for (int tries = 0; tries < 100 && shown(window) != after; ++tries) {
    window.idle();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_TRUE(scene.background.parts.empty());
  EXPECT_EQ(shown(window), after);
}

TEST_F(X11Window, OpensOnlyInAWindowAndClosesEverything) {
  ZR_Win_X11 window(kWidth, kHeight);
  for (uint32_t notAWindow : {0u, 0x20000000u, parent + 1000})
    EXPECT_FALSE(window.open(notAWindow)) << notAWindow;
  EXPECT_FALSE(window.isOpen());
  EXPECT_EQ(window.windowId(), 0u);
  window.idle();  // nothing to do, nothing to fail

  ASSERT_TRUE(window.open(parent));
  const uint32_t child = window.windowId();
  xcb_query_tree_reply_t* tree =
      xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr);
  ASSERT_NE(tree, nullptr);
  ASSERT_EQ(xcb_query_tree_children_length(tree), 1);
  EXPECT_EQ(xcb_query_tree_children(tree)[0], child);
  std::free(tree);

  window.close();
  EXPECT_FALSE(window.isOpen());
  sync();
  tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(xcb_query_tree_children_length(tree), 0);
  std::free(tree);
}

}  // namespace
