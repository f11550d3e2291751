#include "HostWindow_X11.h"

#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>
#include <X11/extensions/XTest.h>

#include <cstring>

namespace {
constexpr int32_t kWidth = 200;
constexpr int32_t kHeight = 236;

int32_t countClass(Display* display, Window window, const std::string& className) {
  int32_t found = 0;
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint)) {
    found += hint.res_class && className == hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count; ++i) found += countClass(display, children[i], className);
    XFree(children);
  }
  return found;
}
}  // namespace

HostWindow_X11::HostWindow_X11(Display* display, int32_t left, int32_t top)
    : display_(display),
      window_(XCreateSimpleWindow(display, DefaultRootWindow(display), left, top, kWidth, kHeight, 0, 0,
                                  WhitePixel(display, DefaultScreen(display)))) {
  XStoreName(display_, window_, "QORM test host");
  XSelectInput(display_, window_, StructureNotifyMask);
  XMapWindow(display_, window_);
  XEvent event;
  do XWindowEvent(display_, window_, StructureNotifyMask, &event);
  while (event.type != MapNotify);
}

HostWindow_X11::~HostWindow_X11() { destroy(); }

void HostWindow_X11::destroy() {
  if (!window_) return;
  XDestroyWindow(display_, window_);
  XSync(display_, True);
  window_ = 0;
}

Window HostWindow_X11::editor() const {
  Window root = 0, parent = 0, *children = nullptr, first = 0;
  unsigned count = 0;
  if (window_ && XQueryTree(display_, window_, &root, &parent, &children, &count)) {
    if (count > 0) first = children[0];
    XFree(children);
  }
  return first;
}

void HostWindow_X11::pointerTo(int32_t x, int32_t y) const {
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display_, -1, rootX, rootY, CurrentTime);
  XSync(display_, False);
}

void HostWindow_X11::button(bool down) const {
  XTestFakeButtonEvent(display_, 1, down, CurrentTime);
  XSync(display_, False);
}

Capture HostWindow_X11::capture() const {
  Capture result;
  const Window source = editor();
  XWindowAttributes attributes{};
  if (!source || !XGetWindowAttributes(display_, source, &attributes)) return result;
  XImage* image = XGetImage(display_, source, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) return result;
  result.width = attributes.width;
  result.height = attributes.height;
  result.rgba.resize(static_cast<size_t>(result.width) * result.height * 4);
  uint8_t* out = result.rgba.data();
  for (int32_t y = 0; y < result.height; ++y) {
    for (int32_t x = 0; x < result.width; ++x, out += 4) {
      const unsigned long pixel = XGetPixel(image, x, y);
      out[0] = static_cast<uint8_t>((pixel & image->red_mask) >> 16);
      out[1] = static_cast<uint8_t>((pixel & image->green_mask) >> 8);
      out[2] = static_cast<uint8_t>(pixel & image->blue_mask);
      out[3] = 255;
    }
  }
  XDestroyImage(image);
  return result;
}

int32_t windowsOfClass(Display* display, const std::string& className) {
  return countClass(display, DefaultRootWindow(display), className);
}

int32_t clientCount(Display* display) {
  int count = 0;
  XResClient* clients = nullptr;
  if (!XResQueryClients(display, &count, &clients)) return -1;
  XFree(clients);
  return count;
}

int32_t resourcesOfOwner(Display* display, Window window, const char* type) {
  int count = 0;
  XResClient* clients = nullptr;
  if (!XResQueryClients(display, &count, &clients)) return -1;
  int32_t found = -1;
  for (int i = 0; i < count; ++i) {
    if ((window & ~clients[i].resource_mask) != clients[i].resource_base) continue;
    int types = 0;
    XResType* held = nullptr;
    if (XResQueryClientResources(display, clients[i].resource_base, &types, &held)) {
      found = 0;
      for (int t = 0; t < types; ++t) {
        char* name = XGetAtomName(display, held[t].resource_type);
        if (name && std::strcmp(name, type) == 0) found = static_cast<int32_t>(held[t].count);
        XFree(name);
      }
      XFree(held);
    }
  }
  XFree(clients);
  return found;
}
