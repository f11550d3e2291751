// The Linux editor's repaint through the X server, in microseconds: the application's 25 widgets
// composed tile by tile into the window's pixmap and copied to its window, timed until the server
// has carried it all out (one round trip). Against bench_editor's fullRepaint (composition alone,
// in memory) the difference is the transfer. The argument chooses the image shared with the server
// (1, what a local server gets) or the pixels sent in requests (0, what a remote one gets).
// Needs an X display: xvfb-run -a bench_editor_x11.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>

#include "app/ZR_Application.h"
#include "classes/ZR_exec.h"
#include "x11/ZR_Win_X11.h"

namespace {

// The benchmark's own connection, open until the program ends: a server resets when its last
// client leaves, and refuses the next editor's connection during the reset.
xcb_connection_t* display() {
  static xcb_connection_t* const connection = xcb_connect(nullptr, nullptr);
  return connection;
}

// The editor in the screen's root window, as a host's window would hold it.
class Editor {
 public:
  explicit Editor(bool sharedMemory) {
    app.build();
    if (!xcb_connection_has_error(display()))
      opened = window.open(xcb_setup_roots_iterator(xcb_get_setup(display())).data->root, sharedMemory);
    app.attach(&window);
    window.flush();
    window.sync();
  }
  ~Editor() {
    app.detach();
    window.close();
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
  ZR_Win_X11 window{200, 236};
  bool opened = false;
};

void fullRepaint(benchmark::State& state) {
  Editor editor(state.range(0) != 0);
  if (!editor.opened) state.SkipWithError("no X display");
  for (auto _ : state) {
    editor.window.invalidate({0, 0, editor.window.width, editor.window.height});
    editor.window.flush();
    editor.window.sync();
  }
}
BENCHMARK(fullRepaint)->ArgName("sharedMemory")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// One knob frame as a drag makes it: the knob's tiles composed and sent.
void knobFrame(benchmark::State& state) {
  Editor editor(state.range(0) != 0);
  if (!editor.opened) state.SkipWithError("no X display");
  ZR_Object* knob = editor.app.widgets[ZR_Application::kKnob];
  float value = 20.0f;
  for (auto _ : state) {
    ZR_exec("ZR_Wid_Knob %o -val %f", knob, static_cast<double>(value));
    value = value < 9900.0f ? value + 37.8f : 20.0f;
    editor.window.flush();
    editor.window.sync();
  }
}
BENCHMARK(knobFrame)->ArgName("sharedMemory")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
