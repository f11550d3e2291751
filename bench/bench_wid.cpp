// What widget changes cost on the headless window, in microseconds, through the widgets themselves:
// a whole editor-sized repaint with its captions, a knob set by command as a parameter sets it, and
// the read-out text rewritten, rendered and repainted.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "classes/ZR_exec.h"
#include "native/ZR_Win_Native.h"
#include "wid/ZR_Wid_Knob.h"
#include "wid/ZR_Wid_Text.h"

namespace {
class EditorSizedWindow {
 public:
  EditorSizedWindow() {
    ZR_exec("ZR_Wid_Pic -w 200 -h 236 -l 0 -t 0 -res bgnd -win %o", &pictures_[0], &window);
    ZR_exec("ZR_Wid_Pic -l 20 -t 8 -res logotype -win %o", &pictures_[1], &window);
    ZR_exec("ZR_Wid_Pic -w 168 -h 158 -l 16 -t 62 -res gmm -win %o", &pictures_[2], &window);
    ZR_exec("ZR_Wid_Butt -w 40 -h 24 -l 21 -t 67 -res but -val 1 -win %o", &pictures_[3], &window);
    ZR_exec("ZR_Wid_Text -l 62 -t 70 -w 80 -h 16 -color 0x00A57BBD -horz -1 -text Filter -win %o",
            &pictures_[4], &window);
    ZR_exec("ZR_Wid_Text -font %s -size 12 -text %s -l 50 -t 104 -w 96 -h 18 -win %o", &pictures_[5],
            "Tahoma", "Cutoff frequency", &window);
    ZR_exec("ZR_Wid_Knob -w 64 -h 64 -l 66 -t 126 -res big -mn 20 -mx 10000 -win %o", &knob, &window);
    ZR_exec("ZR_Wid_Text -font %s -size 12 -text %s -l 66 -t 194 -w 64 -h 18 -win %o", &readout, "Tahoma",
            readoutText, &window);
    window.invalidateAll();
  }
  ~EditorSizedWindow() {
    ZR_exec("%o -delete", readout);
    ZR_exec("%o -delete", knob);
    for (ZR_Wid* widget : pictures_) ZR_exec("%o -delete", widget);
  }

  ZR_Win_Native window{200, 236};
  ZR_Wid_Knob* knob = nullptr;
  ZR_Wid_Text* readout = nullptr;
  char readoutText[32] = "1500 Hz";

 private:
  ZR_Wid* pictures_[6] = {};
};

void BM_FullRepaintWithCaptions(benchmark::State& state) {
  EditorSizedWindow editor;
  for (auto _ : state) {
    editor.window.invalidateAll();
    benchmark::DoNotOptimize(editor.window.pixel(100, 100));
  }
}
BENCHMARK(BM_FullRepaintWithCaptions)->Unit(benchmark::kMicrosecond);

// "-val" moves the knob one frame and recomposes the tiles under it.
void BM_KnobValCommand(benchmark::State& state) {
  EditorSizedWindow editor;
  double value = 20.0;
  for (auto _ : state) {
    ZR_exec("ZR_Wid_Knob %o -val %f", editor.knob, value);
    value = value < 9900.0 ? value + 37.8 : 20.0;
  }
}
BENCHMARK(BM_KnobValCommand)->Unit(benchmark::kMicrosecond);

// The read-out after a knob turn: new text, rendered, repainted.
void BM_ReadoutTextUpdate(benchmark::State& state) {
  EditorSizedWindow editor;
  int hertz = 20;
  for (auto _ : state) {
    std::snprintf(editor.readoutText, sizeof editor.readoutText, "%d Hz", hertz);
    ZR_exec("ZR_Wid_Text %o -text %s", editor.readout, editor.readoutText);
    editor.readout->update();
    hertz = hertz < 10000 ? hertz + 37 : 20;
  }
}
BENCHMARK(BM_ReadoutTextUpdate)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
