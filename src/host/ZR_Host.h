#pragma once
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Mutex.h"
#include "cmd/ZR_error.h"
#include "host/ZR_Host_Window.h"
#include "plugin/AEffect.h"
#include "rts/ZR_Rts.h"

/// The standalone host: the sound devices, the current device's modes and inputs, and the effect
/// instances, each fed by one device input, whose stereo outputs are mixed to the device's first
/// two outputs. Menu commands change the state on the window thread under the host lock; the audio
/// callback runs each block on the device's thread and skips the block while a command holds it.
class ZR_Host {
 public:
  /// The plug-in entry: creates an effect for a host callback and returns its record, or null.
  typedef AEffect* (*Entry)(audioMasterCallback);

  /// Menu command identifiers: the high four bits name the command, the low twelve an index.
  enum Command : uint16_t {
    kSelectDevice = 0x1000,
    kSelectMode = 0x2000,
    kAddInstance = 0x3000,
    kDeleteInstance = 0x4000,
    kSelectInstance = 0x5000,
    kConnectInput = 0x6000,
    kHelp = 0x7000,
  };

  /// Room in every table: devices, modes, input slots, instances.
  static constexpr int32_t kTableSize = 32;

  /// One effect instance: the "&Channel" entry "%d. %s" and the input slot that feeds it.
  struct Instance {
    Instance() = default;
    /// Closes the effect (effClose), which frees it.
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    AEffect* effect = nullptr;
    int32_t input = -1;  // -1: unconnected
    char label[64] = {};
  };

  /// One input of the current device and how many instances it feeds.
  struct InputSlot {
    ZR_Rts::Chan* channel = nullptr;
    int32_t uses = 0;
  };

  /// Creates the host lock and the float channel record; entry may be null (no instance can be
  /// made then). The audio callback reaches the host made last. [window thread]
  ZR_Host(ZR_Host_Window& window, Entry entry);
  /// Shuts down if that has not happened. [window thread]
  ~ZR_Host();
  ZR_Host(const ZR_Host&) = delete;
  ZR_Host& operator=(const ZR_Host&) = delete;

  /// Start-up: lists the devices of devices (data = ZR_Rts, at most 32) in "&Audio" and selects
  /// the first; reports "No audio drivers found" when there is none. [window thread] Allocates.
  void listDevices(const ZR_Chain& devices);

  /// Runs a menu command. Waits up to 1000 ms for the host lock; a command that cannot get it, that
  /// arrives while another one runs on this thread (inside an error report's box), names something
  /// that does not exist, or comes after shutdown is dropped and answers null. Otherwise ZR_OK, or
  /// the code of the step that failed, which has been reported. [window thread] Allocates, blocks.
  ZR_error command(uint32_t id);

  /// The editor rectangle of instance 0; reports "Cannot get metrics of effect editor" and answers
  /// a 600 x 800 rectangle when there is none. [window thread]
  ERect editorRect();
  /// Instance 0's product string into text (64 characters); false when there is no instance.
  /// [window thread]
  bool productString(char* text);

  /// Frees and finishes the current device, closes every instance and frees the work buffer; from
  /// then on every command is dropped. False (nothing done) when called inside a command, from the
  /// message loop of its error report. [window thread] Blocks while the device stops.
  bool shutdown();

  /// One device block: every connected instance processes its input, and their mix goes to the
  /// device's first two outputs. Skips the block when the host lock is held. [audio] No allocation;
  /// never waits for the lock.
  void audioBlock();
  /// The client callback the device classes receive: audioBlock of the active host. [audio]
  static void audioCallback();

  // The state as the menus show it. [window thread, between commands]
  int32_t deviceCount() const { return deviceCount_; }
  ZR_Rts* device(int32_t i) const { return devices_[i]; }
  int32_t currentDevice() const { return currentDevice_; }
  int32_t modeCount() const { return modeCount_; }
  int32_t currentMode() const { return currentMode_; }
  int32_t inputCount() const { return inputCount_; }
  const InputSlot& inputSlot(int32_t i) const { return inputs_[i]; }
  int32_t instanceCount() const { return instanceCount_; }
  const Instance& instance(int32_t i) const { return *instances_[i]; }
  int32_t currentInstance() const { return currentInstance_; }

 private:
  ZR_error run(uint32_t kind, uint32_t index);
  ZR_error selectDevice(int32_t i);
  ZR_error selectMode(int32_t i);
  ZR_error addInstance();
  ZR_error deleteInstance();
  ZR_error selectInstance(int32_t i);
  ZR_error connectInput(int32_t i);

  void clearDeviceMenus();
  void label(int32_t i);
  void relabel();
  void recount();
  bool connected(const Instance& instance) const;
  VstIntPtr dispatch(const Instance& instance, VstInt32 opcode, void* ptr = nullptr, float opt = 0.0f);

  ZR_Host_Window& window_;
  Entry entry_;
  ZR_Mutex lock_;
  bool busy_ = false;    // a command runs; only read and written with the lock held
  bool closed_ = false;  // after shutdown

  ZR_Rts* devices_[kTableSize] = {};
  int32_t deviceCount_ = 0;
  int32_t currentDevice_ = -1;
  ZR_Rts::Mode* modes_[kTableSize] = {};
  int32_t modeCount_ = 0;
  int32_t currentMode_ = -1;
  InputSlot inputs_[kTableSize];
  int32_t inputCount_ = 0;
  Instance* instances_[kTableSize] = {};
  int32_t instanceCount_ = 0;
  int32_t currentInstance_ = -1;

  // Five blocks of the mode's block size: input, the instance's two outputs, the two mixes.
  float* work_ = nullptr;
  ZR_Rts::Chan hostChannel_;  // describes one block of work_ to copyBuffer
};
