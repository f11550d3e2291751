#include "x11/ZR_Win_X11.h"

#include <xcb/xcb.h>

#include <bit>
#include <cstdlib>

namespace {

constexpr int32_t kWordBits = 64;
constexpr uint32_t kLargestXid = 0x1FFFFFFF;  // the protocol keeps the top three bits of an id clear
constexpr uint8_t kLeftButton = 1;

// The screen's root visual must store ZR_Pix_A32 as it is: blue, green, red and a spare byte,
// little-endian, 32 bits a pixel. Every current X server on a PC offers it.
bool storesPixelsAsTheyAre(const xcb_setup_t* setup, const xcb_screen_t* screen) {
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || screen->root_depth != 24) return false;
  bool thirtyTwoBits = false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == screen->root_depth) thirtyTwoBits = f.data->bits_per_pixel == 32;
  if (!thirtyTwoBits) return false;
  for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
    for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
      if (v.data->visual_id != screen->root_visual) continue;
      return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xFF0000 &&
             v.data->green_mask == 0xFF00 && v.data->blue_mask == 0xFF;
    }
  }
  return false;
}

xcb_screen_t* screenOf(const xcb_setup_t* setup, int number) {
  auto s = xcb_setup_roots_iterator(setup);
  for (; s.rem && number > 0; --number) xcb_screen_next(&s);
  return s.rem ? s.data : nullptr;
}

// Sends each composed tile to the pixmap. A tile goes over whole rows of the tile buffer, all 64
// pixels wide, so the rows need no copying: the pixmap spans the whole tile grid, and the part of
// a tile beyond the window's right edge lands where the window never shows it.
class PixmapTarget final : public ZR_Win::Target {
 public:
  PixmapTarget(xcb_connection_t* connection, uint32_t pixmap, uint32_t gc, uint8_t depth,
               const ZR_Pic<ZR_Pix_A32>& tile)
      : connection_(connection), pixmap_(pixmap), gc_(gc), depth_(depth), tile_(tile) {}

  void copy(const ZR_Rect& area, int32_t sourceX, int32_t sourceY) override {
    const uint32_t bytes = static_cast<uint32_t>(tile_.width * area.height()) * sizeof(ZR_Pix_A32);
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap_, gc_, static_cast<uint16_t>(tile_.width),
                  static_cast<uint16_t>(area.height()), static_cast<int16_t>(area.left - sourceX),
                  static_cast<int16_t>(area.top), 0, depth_, bytes,
                  reinterpret_cast<const uint8_t*>(tile_.row(sourceY)));
  }

 private:
  xcb_connection_t* connection_;
  uint32_t pixmap_;
  uint32_t gc_;
  uint8_t depth_;
  const ZR_Pic<ZR_Pix_A32>& tile_;
};

}  // namespace

ZR_Win_X11::ZR_Win_X11(int32_t w, int32_t h)
    : ZR_Win(w, h),
      dirtyWords_((columns * rows + kWordBits - 1) / kWordBits),
      dirty_(new std::atomic<uint64_t>[dirtyWords_]) {
  // Every paint gives the same pixels, whatever the tile buffer held before.
  clearEachTile_ = true;
  for (int32_t i = 0; i < dirtyWords_; ++i) dirty_[i].store(0, std::memory_order_relaxed);
}

ZR_Win_X11::~ZR_Win_X11() { close(); }

bool ZR_Win_X11::open(uint32_t parent) {
  close();
  if (parent == 0 || parent > kLargestXid) return false;
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
  const xcb_setup_t* setup = xcb_connection_has_error(connection) ? nullptr : xcb_get_setup(connection);
  xcb_screen_t* screen = setup ? screenOf(setup, screenNumber) : nullptr;
  if (!screen || !storesPixelsAsTheyAre(setup, screen)) {
    xcb_disconnect(connection);
    return false;
  }

  // The screen's own visual rather than the parent's, which may differ (hosts with 32-bit
  // windows): a colormap and a border pixel make such a child legal.
  const uint32_t window = xcb_generate_id(connection);
  const uint32_t events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                          XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                          XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW;
  const uint32_t values[] = {XCB_BACK_PIXMAP_NONE, 0, events, screen->default_colormap};
  const xcb_void_cookie_t created = xcb_create_window_checked(
      connection, screen->root_depth, window, parent, 0, 0, static_cast<uint16_t>(width),
      static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
      XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP, values);
  if (xcb_generic_error_t* error = xcb_request_check(connection, created)) {
    std::free(error);
    xcb_disconnect(connection);
    return false;
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      sizeof kWmClass, kWmClass);

  connection_ = connection;
  window_ = window;
  depth_ = screen->root_depth;
  pixmap_ = xcb_generate_id(connection);
  xcb_create_pixmap(connection, depth_, pixmap_, window, static_cast<uint16_t>(columns * kTileSize),
                    static_cast<uint16_t>(rows * kTileSize));
  gc_ = xcb_generate_id(connection);
  const uint32_t noExposures = 0;  // copying from the pixmap never leaves anything to expose
  xcb_create_gc(connection, gc_, pixmap_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  xcb_map_window(connection, window);
  invalidate({0, 0, width, height});
  xcb_flush(connection);
  return true;
}

void ZR_Win_X11::close() {
  if (!connection_) return;
  // The parent may be gone already, and the child with it: the errors that follow are ignored.
  xcb_free_gc(connection_, gc_);
  xcb_free_pixmap(connection_, pixmap_);
  xcb_destroy_window(connection_, window_);
  // Gone when the host gets control back, not only once the server reads the last requests.
  sync();
  xcb_disconnect(connection_);
  connection_ = nullptr;
  window_ = pixmap_ = gc_ = 0;
  // A press that never saw its release must not go on dragging in the next window.
  onButtonUp();
  hovered = nullptr;
}

void ZR_Win_X11::invalidate(const ZR_Rect& rect) {
  const ZR_Rect area = rect.intersect({0, 0, width, height});
  if (area.empty()) return;
  for (int32_t r = area.top / kTileSize; r <= (area.bottom - 1) / kTileSize; ++r) {
    for (int32_t c = area.left / kTileSize; c <= (area.right - 1) / kTileSize; ++c) {
      const int32_t tile = r * columns + c;
      dirty_[tile / kWordBits].fetch_or(uint64_t{1} << (tile % kWordBits), std::memory_order_release);
    }
  }
}

void ZR_Win_X11::idle() {
  if (!connection_) return;
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    handleEvent(event);
    std::free(event);
  }
  flush();
}

void ZR_Win_X11::flush() {
  if (!connection_) return;
  PixmapTarget target(connection_, pixmap_, gc_, depth_, tileBuffer);
  ZR_Rect changed{width, height, 0, 0};
  for (int32_t word = 0; word < dirtyWords_; ++word) {
    for (uint64_t bits = dirty_[word].exchange(0, std::memory_order_acquire); bits != 0; bits &= bits - 1) {
      const int32_t tile = word * kWordBits + std::countr_zero(bits);
      const int32_t left = tile % columns * kTileSize;
      const int32_t top = tile / columns * kTileSize;
      const ZR_Rect square =
          ZR_Rect{left, top, left + kTileSize, top + kTileSize}.intersect({0, 0, width, height});
      if (!paint(square, target)) {
        invalidate(square);  // the paint lock stayed taken: try again at the next idle
        continue;
      }
      changed = {std::min(changed.left, square.left), std::min(changed.top, square.top),
                 std::max(changed.right, square.right), std::max(changed.bottom, square.bottom)};
    }
  }
  if (!changed.empty()) {
    xcb_copy_area(connection_, pixmap_, window_, gc_, static_cast<int16_t>(changed.left),
                  static_cast<int16_t>(changed.top), static_cast<int16_t>(changed.left),
                  static_cast<int16_t>(changed.top), static_cast<uint16_t>(changed.width()),
                  static_cast<uint16_t>(changed.height()));
  }
  xcb_flush(connection_);
}

void ZR_Win_X11::sync() const {
  if (connection_)
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

// The mouse as the Windows window takes it: the button's implicit grab is the capture, so a drag
// goes on outside the window, and only the left button counts.
void ZR_Win_X11::handleEvent(const void* any) {
  const auto* event = static_cast<const xcb_generic_event_t*>(any);
  switch (event->response_type & ~0x80) {
    case XCB_EXPOSE: {
      const auto* e = static_cast<const xcb_expose_event_t*>(any);
      xcb_copy_area(connection_, pixmap_, window_, gc_, static_cast<int16_t>(e->x),
                    static_cast<int16_t>(e->y), static_cast<int16_t>(e->x), static_cast<int16_t>(e->y),
                    e->width, e->height);
      break;
    }
    case XCB_MOTION_NOTIFY: {
      const auto* e = static_cast<const xcb_motion_notify_event_t*>(any);
      onMouseMove(e->event_x, e->event_y);
      break;
    }
    case XCB_ENTER_NOTIFY: {
      const auto* e = static_cast<const xcb_enter_notify_event_t*>(any);
      onMouseMove(e->event_x, e->event_y);
      break;
    }
    case XCB_BUTTON_PRESS: {
      const auto* e = static_cast<const xcb_button_press_event_t*>(any);
      if (e->detail == kLeftButton) onButtonDown(e->event_x, e->event_y);
      break;
    }
    case XCB_BUTTON_RELEASE: {
      const auto* e = static_cast<const xcb_button_release_event_t*>(any);
      if (e->detail == kLeftButton) onButtonUp();
      break;
    }
    case XCB_LEAVE_NOTIFY: {
      // While the button is down the window keeps the pointer, as a captured one does.
      const auto* e = static_cast<const xcb_leave_notify_event_t*>(any);
      if (!(e->state & XCB_BUTTON_MASK_1)) leave();
      break;
    }
    default:  // errors (a parent destroyed before the editor closed) and what the window never asked for
      break;
  }
}

// Leaving ends a press, as on Windows, and also takes the highlight off the control the pointer
// left, which Windows' leave (tracked once in a window's life) keeps.
void ZR_Win_X11::leave() {
  onMouseLeave();
  if (ZR_Win_Element* left = hovered) {
    hovered = nullptr;
    invalidate(left->rect());
  }
}
