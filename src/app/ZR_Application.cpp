#include "app/ZR_Application.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <thread>

#include "app/ZR_Product.h"
#include "classes/ZR_exec.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Build_Scope.h"
#include "engine/ZR_Effect.h"
#include "engine/ZR_Soundpipe.h"
#include "gfx/ZR_Win.h"
#include "wid/ZR_Wid.h"

namespace {

// The on/off label pair: the on state's text, and the off state's 10 bytes further.
constexpr char kOnOff[] = "On\0\0\0\0\0\0\0\0Off";
static_assert(sizeof kOnOff == ZR_Application_Param::kOffLabelOffset + sizeof "Off");

constexpr float kFullScale = 1073741824.0f;  // 2^30: an engine sample of 1.0
constexpr float kFromEngine = 0x1p-30f;

}  // namespace

ZR_Application::ZR_Application() : fileDialog(nullptr, kPresetFilter), presetDialog(&fileDialog) {}

ZR_error ZR_Application::build() {
  ZR_Build_Scope building;
  width = 180 + 20;  // the group frame and the outer margins
  height = 170 + 66;
  inputs = 1;
  blockSize = kBlockSize;

  // The graph: buffers and nodes join the soundpipe while it is current, nodes in creation order.
  int32_t unused = 0;
  ZR_exec("ZR_Soundpipe -bl %i -b", &graph[kSoundpipe], blockSize, &unused);
  ZR_exec("ZR_Buffer -t %o", &graph[kInputBuffer], "buf_i");
  ZR_exec("ZR_Buffer -t %o", &graph[kFilterBuffer], "lpf_buffer");
  ZR_exec("ZR_Effect_Copy -i %o -o %o", &graph[kInputCopy], graph[kInputBuffer], graph[kFilterBuffer]);
  ZR_exec("ZR_Effect_Lopass -i %o -o %o", &graph[kLowpass], graph[kInputBuffer], graph[kFilterBuffer]);
  ZR_exec("ZR_Effect_Bapass -i %o -o %o -q .618 -mode sub", &graph[kBandpass], graph[kInputBuffer],
          graph[kFilterBuffer]);
  ZR_exec("ZR_Buffer -t %o", &graph[kOutputBuffer], "buf_o");
  ZR_exec("ZR_Effect_Copy -i %o -o %o", &graph[kOutputCopy], graph[kFilterBuffer], graph[kOutputBuffer]);
  ZR_exec("ZR_Soundpipe %o -e", graph[kSoundpipe], &unused);

  buildEditor();

  // The parameters, applied once so the nodes and the controls show them.
  state.setKind(ZR_KIND_ONOFF);
  state.setWord(1);
  state.name = "State";
  state.label = kOnOff;
  frequency.setKind(ZR_KIND_REAL);
  frequency.setReal(1500.0f);
  frequency.name = "Frequency";
  frequency.label = "Hz";
  frequency.widget = widgets[kKnob];
  frequency.minimum = kFrequencyMinimum;
  frequency.maximum = kFrequencyMaximum;
  state.changed(this);
  frequency.changed(this);
  // No window yet: this thread owns the widgets.
  showParams(dirty_.exchange(0));
  return ZR_OK;
}

// The editor panel: background, logo and title first, then the outer frame, the group frame around
// its middle piece, and the controls inside it. Slot order is drawing order; the load and save
// buttons (slots 20 and 21) are not part of this panel.
void ZR_Application::buildEditor() {
  constexpr int32_t g = 10;   // a frame piece
  constexpr int32_t gx = 10;  // the group panel
  constexpr int32_t gy = 56;
  constexpr int32_t gw = 180;
  constexpr int32_t gh = 170;
  constexpr char kFace[] = "Tahoma";
  constexpr int32_t kCaptionColour = 0x00E0C0C0;
  constexpr int32_t kReadoutColour = 0x00B0B0B0;
  const int32_t W = width;
  const int32_t H = height;
  ZR_Object** w = widgets;

  ZR_exec("ZR_Wid_Pic -w %i -h %i -l 0 -t 0 -res bgnd", &w[0], W, H);
  ZR_exec("ZR_Wid_Pic -l %i -t 8 -res logotype", &w[9], (W - 160) / 2);
  ZR_exec("ZR_Wid_Text -l 10 -t 35 -h 20 -w %i -text %s -font %s -size 12", &w[10], W - 20,
          ZR_Product::effectName, kFace);

  ZR_exec("ZR_Wid_Pic -w 10 -h 10 -l 0 -t 0 -res alt", &w[1]);
  ZR_exec("ZR_Wid_Pic -w %i -h 10 -l 10 -t 0 -res amt", &w[2], W - 20);
  ZR_exec("ZR_Wid_Pic -w 10 -h 10 -l %i -t 0 -res art", &w[3], W - 10);
  ZR_exec("ZR_Wid_Pic -w 10 -h %i -l 0 -t 10 -res alm", &w[4], H - 20);
  ZR_exec("ZR_Wid_Pic -w 10 -h %i -l %i -t 10 -res arm", &w[5], H - 20, W - 10);
  ZR_exec("ZR_Wid_Pic -w 10 -h 10 -l 0 -t %i -res alb", &w[6], H - 10);
  ZR_exec("ZR_Wid_Pic -w %i -h 10 -l 10 -t %i -res amb", &w[7], W - 20, H - 10);
  ZR_exec("ZR_Wid_Pic -w 10 -h 10 -l %i -t %i -res arb", &w[8], W - 10, H - 10);

  // The middle piece reaches 4 pixels under each frame edge: drawn after the top and left pieces,
  // before the right and bottom ones.
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res glt", &w[11], g, g, gx, gy);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res gmt", &w[12], gw - 2 * g, g, gx + g, gy);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res grt", &w[13], g, g, gx + gw - g, gy);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res glm", &w[14], g, gh - 2 * g, gx, gy + g);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res gmm", &w[15], gw - 2 * g + 8, gh - 2 * g + 8, gx + g - 4,
          gy + g - 4);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res grm", &w[16], g, gh - 2 * g, gx + gw - g, gy + g);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res glb", &w[17], g, g, gx, gy + gh - g);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res gmb", &w[18], gw - 2 * g, g, gx + g, gy + gh - g);
  ZR_exec("ZR_Wid_Pic -w %i -h %i -l %i -t %i -res grb", &w[19], g, g, gx + gw - g, gy + gh - g);

  ZR_exec("ZR_Wid_Butt -w 40 -h 24 -l %i -t %i -res but -var %o -dat %o", &w[kOnOffButton], gx + 11, gy + 11,
          &state, this);
  ZR_exec("ZR_Wid_Text -l %i -t %i -w 80 -h 16 -color 0x00A57BBD -horz -1 -text Filter", &w[23], gx + 52,
          gy + 14);
  ZR_exec("ZR_Wid_Text -font %s -size %i -color %i -text %s -l %i -t %i -w 96 -h 18", &w[kCaption], kFace, 12,
          kCaptionColour, "Cutoff frequency", gx + 40, gy + 48);
  ZR_exec("ZR_Wid_Knob -w 64 -h 64 -l %i -t %i -res big -mn 20 -mx 10000 -var %o -dat %o", &w[kKnob], gx + 56,
          gy + 70, &frequency, this);
  ZR_exec("ZR_Wid_Text -font %s -size %i -color %i -text %s -l %i -t %i -w 64 -h 18", &w[kReadout], kFace, 12,
          kReadoutColour, "value", gx + 56, gy + 138);
}

ZR_error ZR_Application::attach(ZR_Win* newWindow) {
  window = newWindow;
  fileDialog.owner = newWindow;
  for (ZR_Object* widget : widgets)
    if (widget) ZR_exec("ZR_Wid %o -win %o", widget, newWindow);
  if (newWindow) {
    newWindow->setClient(this);
    refreshTarget_.store(newWindow);
    // Changes made while no window was attached are shown now.
    newWindow->requestRefresh();
    newWindow->refreshIfRequested();
  }
  return ZR_OK;
}

ZR_error ZR_Application::detach() {
  // After this no host thread starts asking the window; one that started finishes first, so the
  // window may be destroyed once detach returns.
  refreshTarget_.store(nullptr);
  while (asking_.load() != 0) std::this_thread::yield();
  if (window) window->setClient(nullptr);
  for (ZR_Object* widget : widgets)
    if (widget) ZR_exec("ZR_Wid %o -win 0", widget);
  return ZR_OK;
}

void ZR_Application::markDirty(ParamIndex index) {
  dirty_.fetch_or(1u << index, std::memory_order_release);
  asking_.fetch_add(1);
  if (ZR_Win* target = refreshTarget_.load()) target->requestRefresh();
  asking_.fetch_sub(1);
}

void ZR_Application::refresh() { showParams(dirty_.exchange(0, std::memory_order_acquire)); }

void ZR_Application::showParams(uint32_t which) {
  if (which & (1u << kState)) {
    const int32_t v = state.word();
    if (ZR_Object* button = widgets[kOnOffButton]) ZR_exec("ZR_Wid_Butt %o -val %i", button, v);
    for (int32_t slot : {kCaption, kKnob, kReadout})
      if (ZR_Object* widget = widgets[slot]) ZR_exec("ZR_Wid %o -enabled %i", widget, v);
  }
  if (which & (1u << kFrequency)) {
    const float v = frequency.real();
    if (frequency.widget) ZR_exec("ZR_Wid_Knob %o -val %f", frequency.widget, static_cast<double>(v));
    if (ZR_Object* readout = widgets[kReadout]) {
      // The widget keeps a copy of the text.
      char text[16];
      std::snprintf(text, sizeof text, "%.0f Hz", static_cast<double>(frequency.cutoff(v)));
      ZR_exec("ZR_Wid_Text %o -text %s", readout, text);
      // The text option only records the text: rendering and repainting are the owner's.
      static_cast<ZR_Wid*>(readout)->update();
    }
  }
}

// Nodes first (each leaves the chain), then the buffers, then the soundpipe; then the widgets.
ZR_error ZR_Application::destroy() {
  ZR_Build_Scope building;
  for (int32_t slot = kGraphSlots - 1; slot >= 0; --slot)
    if (graph[slot]) ZR_exec("%o -delete", graph[slot]);
  for (int32_t slot = kWidgetSlots - 1; slot >= 0; --slot) {
    if (widgets[slot])
      ZR_exec("%o -delete", widgets[slot]);
    else
      std::printf("NULL WIDGET\n");
  }
  return ZR_OK;
}

ZR_Soundpipe* ZR_Application::soundpipe() const { return static_cast<ZR_Soundpipe*>(graph[kSoundpipe]); }

ZR_Buffer* ZR_Application::buffer(GraphSlot slot) const { return static_cast<ZR_Buffer*>(graph[slot]); }

ZR_Application::Param* ZR_Application::param(int32_t index) {
  Param* const params[kParams] = {&state, &frequency, &saveAction, &loadAction};
  return index >= 0 && index < kParams ? params[index] : nullptr;
}

// Input beyond [-1, 1] is clipped; not-a-number fails the lower test and becomes -1. Samples are
// truncated toward zero on the way in; on the way out 2^-30 scaling is exact in float.
void ZR_Application::processBlock(float** in, float** out, int32_t frames) {
  ZR_Soundpipe* pipe = soundpipe();
  ZR_Buffer* input = buffer(kInputBuffer);
  ZR_Buffer* output = buffer(kOutputBuffer);
  if (!pipe || !input || !output) return;
  const float* source = in[0];
  float* left = out[0];
  float* right = out[1];
  for (int32_t done = 0; done < frames;) {
    const int32_t m = std::min(frames - done, blockSize);
    int32_t* engineIn = input->main;
    for (int32_t i = 0; i < m; ++i) {
      float x = source[done + i];
      x = x > 1.0f ? 1.0f : x;
      x = x >= -1.0f ? x : -1.0f;
      engineIn[i] = static_cast<int32_t>(x * kFullScale);
    }
    ZR_Soundpipe::m_bl(pipe, ZR_value::integer(m));
    pipe->process();
    const int32_t* engineOut = output->main;
    for (int32_t i = 0; i < m; ++i) {
      const float y = static_cast<float>(engineOut[i]) * kFromEngine;
      left[done + i] = y;
      right[done + i] = y;
    }
    done += m;
  }
}

void ZR_Application::setClock() {
  ZR_Soundpipe* pipe = soundpipe();
  if (!pipe) return;
  ZR_Soundpipe::Edit edit(pipe);  // no block runs with one filter at the old rate
  pipe->effects.forEach<ZR_Effect>(
      [this](ZR_Effect* effect) { ZR_exec("ZR_Effect %o -clock %i", effect, sampleRate); });
}

void ZR_Application::showButton(WidgetSlot slot, int32_t pressed) {
  if (widgets[slot]) ZR_exec("ZR_Wid_Butt %o -val %i", widgets[slot], pressed);
}

void ZR_Application::forgetMouse() {
  if (!window) return;
  window->hovered = nullptr;
  window->captured = nullptr;
}
