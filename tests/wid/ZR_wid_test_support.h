#pragma once
// What the widget tests share: a window that composes into memory on every platform, a variable
// that records what widgets propose, and a sink that captures error boxes.
#include <algorithm>
#include <string>
#include <vector>

#include "cmd/ZR_message_box.h"
#include "cmd/ZR_value.h"
#include "gfx/ZR_Pic.h"
#include "gfx/ZR_Win.h"

/// Composes every invalidated rectangle into a surface that starts transparent, as does each tile,
/// and counts the rectangles it was asked to repaint.
class TestWindow : public ZR_Win {
 public:
  TestWindow(int32_t w, int32_t h) : ZR_Win(w, h) {
    clearEachTile_ = true;
    surface.create(w, h);
    clear();
  }

  void invalidate(const ZR_Rect& rect) override {
    invalidated.push_back(rect);
    Copy target(*this);
    paint(rect, target);
  }
  void paintAll() { invalidate({0, 0, width, height}); }
  void clear() { std::fill_n(surface.pixels, static_cast<size_t>(width) * height, ZR_Pix_A32{}); }
  ZR_Pix_A32 pixel(int32_t x, int32_t y) const { return surface.at(x, y); }

  ZR_Pic<ZR_Pix_A32> surface;
  std::vector<ZR_Rect> invalidated;

 private:
  class Copy final : public Target {
   public:
    explicit Copy(TestWindow& window) : window_(window) {}
    void copy(const ZR_Rect& area, int32_t sourceX, int32_t sourceY) override {
      for (int32_t y = 0; y < area.height(); ++y) {
        std::copy_n(window_.tileBuffer.row(sourceY + y) + sourceX, area.width(),
                    window_.surface.row(area.top + y) + area.left);
      }
    }

   private:
    TestWindow& window_;
  };
};

/// A variable as a parameter is one: it records each proposal and, if told to, hands it back.
class TestVariable : public ZR_value {
 public:
  void changed(void* data) override {
    proposals.push_back(*this);
    dataSeen.push_back(data);
    if (onChange) onChange(*this);
  }
  std::vector<ZR_value> proposals;
  std::vector<void*> dataSeen;
  void (*onChange)(TestVariable& self) = nullptr;
};

/// Captures the error and message boxes shown while it lives.
class BoxCapture {
 public:
  BoxCapture() : previous_(ZR_set_message_sink(&record)) { boxes().clear(); }
  ~BoxCapture() { ZR_set_message_sink(previous_); }
  BoxCapture(const BoxCapture&) = delete;
  BoxCapture& operator=(const BoxCapture&) = delete;

  static std::vector<std::string>& boxes() {
    static std::vector<std::string> shown;
    return shown;
  }

 private:
  static void record(const char* text, const char* caption) {
    boxes().push_back(std::string(caption) + ": " + text);
  }
  ZR_message_sink previous_;
};
