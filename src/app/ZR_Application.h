#pragma once
#include <atomic>
#include <cstdint>

#include "app/ZR_Application_Param.h"
#include "app/ZR_Application_Params.h"
#include "cmd/ZR_Apptpl.h"
#include "gfx/ZR_Win.h"
#include "wid/ZR_Dlg_File.h"

class ZR_Buffer;
class ZR_Object;
class ZR_Soundpipe;

/// The product: a third-order Butterworth low-pass, 1/((s + 1)(s^2 + s + 1)), built as a first-order
/// low-pass minus a band-pass at the same cutoff, 1/(s + 1) - s/(s^2 + s + 1). Everything it has is
/// made by commands in build and deleted in destroy.
///
/// A parameter change, whatever thread makes it, reaches the nodes at once and the editor later:
/// it marks the editor dirty and asks the window for a refresh, and the window thread shows the
/// new values when it next services the window.
class ZR_Application : public ZR_Apptpl, public ZR_Win::Client {
 public:
  using Param = ZR_Application_Param;

  enum GraphSlot : int32_t {
    kSoundpipe = 0,
    kInputBuffer = 1,   // "buf_i"
    kOutputBuffer = 2,  // "buf_o"
    kFilterBuffer = 3,  // "lpf_buffer"
    kLowpass = 6,
    kBandpass = 7,
    kOutputCopy = 8,
    kInputCopy = 9,
    kGraphSlots = 10,
  };
  enum WidgetSlot : int32_t {
    kLoadButton = 20,
    kSaveButton = 21,
    kOnOffButton = 22,
    kCaption = 24,
    kKnob = 25,
    kReadout = 26,
    kWidgetSlots = 27,
  };
  enum ParamIndex : int32_t { kState = 0, kFrequency = 1, kSaveAction = 2, kLoadAction = 3, kParams = 4 };

  static constexpr int32_t kBlockSize = 512;
  static constexpr int32_t kFrequencyMinimum = 20;
  static constexpr int32_t kFrequencyMaximum = 10000;
  static constexpr char kPresetFilter[] = "Preset file (*.qorm)\0*.qorm\0";

  ZR_Application();
  ~ZR_Application() override = default;
  ZR_Application(const ZR_Application&) = delete;
  ZR_Application& operator=(const ZR_Application&) = delete;

  /// The graph, the editor's widgets, then the parameters, all by commands. [constructing thread]
  /// Waits while another application builds or destroys.
  ZR_error build() override;
  /// Joins every widget to window, in slot order, and shows the parameters. [window thread]
  ZR_error attach(ZR_Win* window) override;
  /// Takes every widget off its window; waits for a host thread that is asking that window for a
  /// refresh at this moment. [window thread]
  ZR_error detach() override;
  /// Deletes the nodes, the buffers, the soundpipe, then the widgets, last to first. Once.
  /// Waits while another application builds or destroys.
  ZR_error destroy() override;

  /// Float audio in (the first channel), the same filtered signal out on both channels, in engine
  /// blocks of at most 512. [audio] No allocation, no locks, no commands.
  void processBlock(float** inputs, float** outputs, int32_t frames);
  /// Gives every node of the chain the sample rate, as one change. [a host thread] Issues commands.
  void setClock();

  /// Notes that parameter index changed for the editor and asks the window, if one is attached,
  /// for a refresh. [any thread] No allocation, no locks, no drawing.
  void markDirty(ParamIndex index);
  /// Shows the parameters marked dirty on the widgets: button, enabled flags, knob, read-out.
  /// [window thread] Issues commands and renders.
  void refresh() override;

  /// Parameter index (0 to 3) by number, or null outside. [any thread]
  Param* param(int32_t index);
  ZR_Soundpipe* soundpipe() const;
  /// Shows a button of the widget table pressed (1) or released (0); a missing one is skipped.
  void showButton(WidgetSlot slot, int32_t pressed);
  /// Makes the window forget its hovered and captured widgets: a modal dialog took the mouse.
  void forgetMouse();

  int32_t blockSize = 0;
  int32_t sampleRate = 0;  // Hz, truncated from the host's rate; 0 until the host sets it
  int32_t inputs = 0;      // input channels the plug-in announces
  ZR_Object* graph[kGraphSlots] = {};
  ZR_Object* widgets[kWidgetSlots] = {};
  ZR_Win* window = nullptr;
  ZR_Dlg_File fileDialog;
  ZR_Dlg_File_Base*
      presetDialog;  // the dialog the preset actions ask: fileDialog unless a test gives its own
  ZR_Application_State state;
  ZR_Application_Frequency frequency;
  ZR_Application_Save saveAction;
  ZR_Application_Load loadAction;

 private:
  /// The editor's widgets, by commands, into the widget table.
  void buildEditor();
  /// Shows the parameters of the bits (1 << ParamIndex) on the widgets. [the widgets' thread]
  void showParams(uint32_t which);

  std::atomic<uint32_t> dirty_{0};               // 1 << ParamIndex for each change not shown yet
  std::atomic<ZR_Win*> refreshTarget_{nullptr};  // the window a host thread may ask, while attached
  std::atomic<int32_t> asking_{0};               // host threads asking refreshTarget_ right now
  ZR_Buffer* buffer(GraphSlot slot) const;
};
