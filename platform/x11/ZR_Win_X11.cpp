#include "x11/ZR_Win_X11.h"

#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

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

// Copies each composed tile into the image of the whole window.
class ImageTarget final : public ZR_Win::Target {
 public:
  ImageTarget(const ZR_Pic<ZR_Pix_A32>& tile, ZR_Pix_A32* image, int32_t width)
      : tile_(tile), image_(image), width_(width) {}

  void copy(const ZR_Rect& area, int32_t sourceX, int32_t sourceY) override {
    for (int32_t y = 0; y < area.height(); ++y) {
      std::memcpy(image_ + static_cast<ptrdiff_t>(area.top + y) * width_ + area.left,
                  tile_.row(sourceY + y) + sourceX, static_cast<size_t>(area.width()) * sizeof(ZR_Pix_A32));
    }
  }

 private:
  const ZR_Pic<ZR_Pix_A32>& tile_;
  ZR_Pix_A32* image_;
  int32_t width_;
};

// Descriptors pass only over a local socket; a server elsewhere could not map the memory anyway.
bool isLocal(xcb_connection_t* connection) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  return getsockname(xcb_get_file_descriptor(connection), reinterpret_cast<sockaddr*>(&address), &length) ==
             0 &&
         address.ss_family == AF_UNIX;
}

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

bool ZR_Win_X11::open(uint32_t parent, bool sharedMemory) {
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
  requestBytes_ = xcb_get_maximum_request_length(connection) * 4;
  gc_ = xcb_generate_id(connection);
  const uint32_t noExposures = 0;  // the window never copies from itself
  xcb_create_gc(connection, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  if (!sharedMemory || !shareImage()) {
    heapImage_.reset(new ZR_Pix_A32[static_cast<size_t>(width) * height]());
    image_ = heapImage_.get();
  }
  xcb_map_window(connection, window);
  invalidate({0, 0, width, height});
  xcb_flush(connection);
  return true;
}

// The image in memory the server maps too: a file descriptor passed over the socket (MIT-SHM 1.2),
// so no segment can outlive the process. Read-only for the server.
bool ZR_Win_X11::shareImage() {
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &xcb_shm_id);
  if (!extension || !extension->present || !isLocal(connection_)) return false;
  xcb_shm_query_version_reply_t* version =
      xcb_shm_query_version_reply(connection_, xcb_shm_query_version(connection_), nullptr);
  const bool passesDescriptors =
      version && (version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 2));
  std::free(version);
  if (!passesDescriptors) return false;

  const size_t bytes = static_cast<size_t>(width) * height * sizeof(ZR_Pix_A32);
  const int memory = memfd_create("qorm-editor", MFD_CLOEXEC);
  if (memory < 0) return false;
  void* mapped = ftruncate(memory, static_cast<off_t>(bytes)) == 0
                     ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory, 0)
                     : MAP_FAILED;
  if (mapped == MAP_FAILED) {
    ::close(memory);
    return false;
  }
  const uint32_t segment = xcb_generate_id(connection_);
  // XCB closes the descriptor once it is sent.
  if (xcb_generic_error_t* error =
          xcb_request_check(connection_, xcb_shm_attach_fd_checked(connection_, segment, memory, 1))) {
    std::free(error);
    munmap(mapped, bytes);
    return false;
  }
  image_ = static_cast<ZR_Pix_A32*>(mapped);
  segment_ = segment;
  return true;
}

void ZR_Win_X11::close() {
  if (!connection_) return;
  // The parent may be gone already, and the child with it: the errors that follow are ignored.
  xcb_free_gc(connection_, gc_);
  xcb_destroy_window(connection_, window_);
  if (segment_) xcb_shm_detach(connection_, segment_);
  // Gone when the host gets control back, not only once the server reads the last requests; and
  // the server no longer reads the shared image.
  sync();
  xcb_disconnect(connection_);
  if (segment_) munmap(image_, static_cast<size_t>(width) * height * sizeof(ZR_Pix_A32));
  heapImage_.reset();
  connection_ = nullptr;
  image_ = nullptr;
  window_ = gc_ = segment_ = 0;
  sharedPutPending_ = false;
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
  // Values other threads changed since the last idle reach the widgets here, on the window thread.
  refreshIfRequested();
  flush();
}

void ZR_Win_X11::flush() {
  if (!connection_) return;
  waitForServer();
  ImageTarget target(tileBuffer, image_, width);
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
  if (!changed.empty()) send(changed);
  xcb_flush(connection_);
}

// A shared image goes over as one small request; otherwise whole rows of the image go, in requests
// of the size the server accepts.
void ZR_Win_X11::send(const ZR_Rect& area) {
  if (segment_) {
    xcb_shm_put_image(connection_, window_, gc_, static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                      static_cast<uint16_t>(area.left), static_cast<uint16_t>(area.top),
                      static_cast<uint16_t>(area.width()), static_cast<uint16_t>(area.height()),
                      static_cast<int16_t>(area.left), static_cast<int16_t>(area.top), depth_,
                      XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_, 0);
    // The answer to this request covers the earlier one too.
    if (sharedPutPending_) xcb_discard_reply(connection_, lastShared_);
    lastShared_ = xcb_get_input_focus(connection_).sequence;
    sharedPutPending_ = true;
    return;
  }
  constexpr uint32_t kHeaderBytes = 24;
  const uint32_t rowBytes = static_cast<uint32_t>(width) * sizeof(ZR_Pix_A32);
  const int32_t rowsPerRequest =
      std::max<int32_t>(1, static_cast<int32_t>((requestBytes_ - kHeaderBytes) / rowBytes));
  for (int32_t y = area.top; y < area.bottom; y += rowsPerRequest) {
    const int32_t rows = std::min(rowsPerRequest, area.bottom - y);
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, static_cast<uint16_t>(width),
                  static_cast<uint16_t>(rows), 0, static_cast<int16_t>(y), 0, depth_, rowBytes * rows,
                  reinterpret_cast<const uint8_t*>(image_ + static_cast<ptrdiff_t>(y) * width));
  }
}

// The server reads a shared image while it carries out the put: once it has answered a request
// sent after the put, the image may change.
void ZR_Win_X11::waitForServer() {
  if (!sharedPutPending_) return;
  sharedPutPending_ = false;
  std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus_cookie_t{lastShared_}, nullptr));
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
      const ZR_Rect exposed =
          ZR_Rect{e->x, e->y, e->x + e->width, e->y + e->height}.intersect({0, 0, width, height});
      if (!exposed.empty()) send(exposed);
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
