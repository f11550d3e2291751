// The product's editor itself, in microseconds: the application's 25 widgets on a memory window of
// the editor's size. A full repaint (text included), one knob frame as a drag makes it (the knob's
// "val" and its tiles), and one step of the Frequency parameter as a host or the knob gives it
// (both filters retuned), followed by the window thread's refresh (the knob moved, the read-out
// rendered and repainted).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "app/ZR_Application.h"
#include "classes/ZR_exec.h"
#include "native/ZR_Win_Native.h"
#include "wid/ZR_Wid_Knob.h"

namespace {

class Editor {
 public:
  Editor() {
    app.build();
    app.attach(&window);
    window.invalidateAll();
  }
  ~Editor() {
    app.detach();
    // destroy writes a "NULL WIDGET" line per empty slot; keep them out of the results.
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int sink = open("/dev/null", O_WRONLY);
    dup2(sink, STDOUT_FILENO);
    app.destroy();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(sink);
    close(saved);
  }

  ZR_Application app;
  ZR_Win_Native window{200, 236};
};

void fullRepaint(benchmark::State& state) {
  Editor editor;
  for (auto _ : state) {
    editor.window.invalidateAll();
    benchmark::DoNotOptimize(editor.window.pixel(100, 100));
  }
}
BENCHMARK(fullRepaint)->Unit(benchmark::kMicrosecond);

void knobFrame(benchmark::State& state) {
  Editor editor;
  ZR_Object* knob = editor.app.widgets[ZR_Application::kKnob];
  float value = 20.0f;
  for (auto _ : state) {
    ZR_exec("ZR_Wid_Knob %o -val %f", knob, static_cast<double>(value));
    value = value < 9900.0f ? value + 37.8f : 20.0f;
    benchmark::DoNotOptimize(editor.window.pixel(100, 150));
  }
}
BENCHMARK(knobFrame)->Unit(benchmark::kMicrosecond);

void frequencyStep(benchmark::State& state) {
  Editor editor;
  ZR_Application::Param& frequency = editor.app.frequency;
  float x = 0.0f;
  for (auto _ : state) {
    frequency.setNormalised(x);
    frequency.changed(&editor.app);
    editor.window.service();
    x = x < 0.99f ? x + 1.0f / 264.0f : 0.0f;
    benchmark::DoNotOptimize(editor.window.pixel(100, 200));
  }
}
BENCHMARK(frequencyStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
