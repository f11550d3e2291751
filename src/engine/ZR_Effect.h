#pragma once
#include <atomic>
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Object.h"
#include "engine/ZR_Soundpipe.h"
#include "engine/kernels/ZR_kern_mode.h"

class ZR_Buffer;

/// The names of the output modes, in mode order: "set", "add", "sub", "stn", "adn", "sbn".
extern const char* const ZR_mode_names[ZR_MODE_COUNT];

/// Base of every processing node: joins the current soundpipe's chain, carries the output mode, the
/// sample rate and the on flag, and hands out the sample arrays that make switching on or off
/// click-free. Fields that commands write while blocks run are atomics (relaxed): a node reads
/// each of them once per block.
class ZR_Effect : public ZR_Object {
 public:
  /// A new node is on, in mode "set", clock 0, not prepared, and joins the current soundpipe in
  /// front of its insertion point. [building thread]
  ZR_Effect();
  /// Leaves the soundpipe's chain. [building thread]
  ~ZR_Effect() override;
  ZR_Effect(const ZR_Effect&) = delete;
  ZR_Effect& operator=(const ZR_Effect&) = delete;

  /// One block. [audio] No allocation, no locks, no text.
  virtual void process() {}
  /// Called before the first processed block. [audio] No allocation, no locks.
  virtual void prepare() { prepared = true; }
  /// Recomputes what depends on the sample rate and the node's parameters. [command thread]
  virtual void recompute() {}
  /// Clears the node's memory: after its switch-off block, and from the soundpipe's clear.
  /// [the thread that runs blocks] No allocation, no locks.
  virtual void reset() {}
  /// Copies the pending coefficients aside (loads with acquire), then makes the copy the set in
  /// force; the soundpipe calls both at the start of a block, for every node. [audio] No
  /// allocation, no locks.
  virtual void stageCoefficients() {}
  virtual void commitCoefficients() {}

  /// The array this node uses for buffer in this block: main in a steady block, the shadow copy
  /// while the node switches on or off; resolves another node's pending transition with a
  /// crossfade first. [audio] No allocation, no locks.
  int32_t* samples(ZR_Buffer* buffer);
  /// Takes the on flag for the coming block; samples() and the soundpipe use this value until the
  /// next call. [audio]
  bool latchOn();
  /// The output mode, 0 to 5. [any thread]
  int32_t modeIndex() const { return mode.load(std::memory_order_relaxed); }
  /// Sets the on flag; the change takes effect at the next block. [any thread]
  void setOn(bool value) { on.store(value, std::memory_order_relaxed); }
  /// Moves this node in front of other in the chain of the soundpipe being built; false when
  /// either is not in that chain or other is this node. [building thread]
  bool moveBefore(ZR_Effect* other);

  /// Runs write, which stores the node's pending coefficients (with release), as one edit of its
  /// soundpipe; a node in no soundpipe takes them at once. [command thread] No allocation, no locks.
  template <typename Write>
  void publish(Write&& write) {
    ZR_Soundpipe::Edit edit(soundpipe);
    write();
    if (!soundpipe) {
      stageCoefficients();
      commitCoefficients();
    }
  }

  ZR_Chain_Item link{this};
  bool prepared = false;
  std::atomic<int32_t> mode{ZR_MODE_SET};
  std::atomic<int32_t> clock{0};
  bool wasOn = true;
  std::atomic<bool> on{true};
  std::atomic<bool> debug{false};
  ZR_Soundpipe* soundpipe = nullptr;
  bool onInBlock = true;  // the on flag as latched for the block being run

  /// The protocol of every buffer option ("i", "o", "i1", ...): given a buffer (or 0) it sets
  /// *slot, anything else leaves it; always answers the buffer. [building thread]
  static ZR_value bufferOption(ZR_Buffer** slot, ZR_value value);

  static ZR_value m_before(ZR_Object* object, ZR_value value);
  static ZR_value m_mode(ZR_Object* object, ZR_value value);
  static ZR_value m_clock(ZR_Object* object, ZR_value value);
  static ZR_value m_on(ZR_Object* object, ZR_value value);
  static ZR_value m_debug(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
