// Compositing cost of the editor's panel, in microseconds: a full 200 x 236 repaint, and the
// repaint of one knob frame, which recomposes only the tiles under the knob. The scene is the
// editor's pictures and strips placed as the editor places them (captions left out).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "gfx/ZR_Pic.h"
#include "gfx/ZR_Vid.h"
#include "native/ZR_Win_Native.h"

namespace {

class PictureElement : public ZR_Win_Element {
 public:
  PictureElement(const char* name, int32_t l, int32_t t, int32_t w, int32_t h) {
    picture_.mapResource(name);
    left = l, top = t;
    width = w ? w : picture_.width;
    height = h ? h : picture_.height;
  }
  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override {
    picture_.draw(dest, x, y, part);
  }

 private:
  ZR_Pic<ZR_Pix_A32> picture_;
};

class StripElement : public ZR_Win_Element {
 public:
  StripElement(const char* name, int32_t l, int32_t t, int32_t f) : frame(f) {
    strip_.mapResource(name);
    left = l, top = t, width = strip_.width, height = strip_.height;
  }
  void draw(ZR_Pic_Base<ZR_Pix_A32>& dest, int32_t x, int32_t y, const ZR_Rect& part) override {
    strip_.draw(frame, dest, x, y, part);
  }
  bool hoverable() const override { return true; }
  int32_t frame;

 private:
  ZR_Vid strip_;
};

struct Panel {
  static constexpr int32_t W = 200, H = 236, gx = 10, gy = 56, gw = 180, gh = 170, g = 10;
  Panel() : window(W, H) {
    const auto picture = [&](const char* name, int32_t l, int32_t t, int32_t w, int32_t h) {
      elements.push_back(std::make_unique<PictureElement>(name, l, t, w, h));
    };
    picture("bgnd", 0, 0, W, H);
    picture("alt", 0, 0, g, g);
    picture("amt", g, 0, W - 2 * g, g);
    picture("art", W - g, 0, g, g);
    picture("alm", 0, g, g, H - 2 * g);
    picture("arm", W - g, g, g, H - 2 * g);
    picture("alb", 0, H - g, g, g);
    picture("amb", g, H - g, W - 2 * g, g);
    picture("arb", W - g, H - g, g, g);
    picture("logotype", (W - 160) / 2, 8, 0, 0);
    picture("glt", gx, gy, g, g);
    picture("gmt", gx + g, gy, gw - 2 * g, g);
    picture("grt", gx + gw - g, gy, g, g);
    picture("glm", gx, gy + g, g, gh - 2 * g);
    picture("gmm", gx + g - 4, gy + g - 4, gw - 2 * g + 8, gh - 2 * g + 8);
    picture("grm", gx + gw - g, gy + g, g, gh - 2 * g);
    picture("glb", gx, gy + gh - g, g, g);
    picture("gmb", gx + g, gy + gh - g, gw - 2 * g, g);
    picture("grb", gx + gw - g, gy + gh - g, g, g);
    elements.push_back(std::make_unique<StripElement>("but", gx + 11, gy + 11, 1));
    auto knobElement = std::make_unique<StripElement>("big", gx + 56, gy + 70, 39);
    knob = knobElement.get();
    elements.push_back(std::move(knobElement));
    for (auto& element : elements) ZR_Win::attach(&window, element.get());
  }
  ~Panel() {
    for (auto& element : elements) ZR_Win::attach(nullptr, element.get());
  }

  ZR_Win_Native window;
  std::vector<std::unique_ptr<ZR_Win_Element>> elements;
  StripElement* knob = nullptr;
};

void fullRepaint(benchmark::State& state) {
  Panel panel;
  for (auto _ : state) {
    panel.window.invalidateAll();
    benchmark::DoNotOptimize(panel.window.pixel(100, 100));
  }
}
BENCHMARK(fullRepaint)->Unit(benchmark::kMicrosecond);

// One knob frame, with the pointer away from the knob (0) or over it, which adds the hover pass (1).
void knobFrame(benchmark::State& state) {
  Panel panel;
  if (state.range(0)) panel.window.mouseMove(panel.knob->left + 32, panel.knob->top + 32);
  int32_t frame = 0;
  for (auto _ : state) {
    panel.knob->frame = frame;
    frame = (frame + 1) % 265;
    panel.window.invalidate(panel.knob->rect());
    benchmark::DoNotOptimize(panel.window.pixel(100, 150));
  }
}
BENCHMARK(knobFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
