#pragma once
#include <atomic>
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Object.h"

class ZR_Effect;

/// Owns a signal graph: the effect chain, run in order once per block, and the buffer list.
/// While it is current, every buffer and effect that a command creates joins it.
///
/// Nodes publish coefficient sets as pending; a block takes every node's pending set at its start,
/// all at once, and only while no edit is open. A change that spans nodes (one cutoff for the
/// low-pass and the band-pass) is one edit, so no block runs with parts of two changes.
class ZR_Soundpipe : public ZR_Object {
 public:
  /// One change of pending coefficient sets, open for the life of the scope; edits nest and may
  /// overlap from several threads. A null soundpipe makes it do nothing. [any command thread]
  /// No allocation, no locks.
  class Edit {
   public:
    explicit Edit(ZR_Soundpipe* pipe);
    ~Edit();
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;

   private:
    ZR_Soundpipe* pipe_;
  };

  /// A new soundpipe becomes the current one at once. [building thread]
  ZR_Soundpipe();
  /// Stops being current and lets go of the effects and buffers still in its lists, which it does
  /// not own. [building thread]
  ~ZR_Soundpipe() override;
  ZR_Soundpipe(const ZR_Soundpipe&) = delete;
  ZR_Soundpipe& operator=(const ZR_Soundpipe&) = delete;

  /// Runs one block through the chain; returns 0. The pending coefficient sets and each effect's
  /// on flag are taken once, here, so they are steady for the whole block whatever other threads
  /// write. [audio] No allocation, no locks.
  int32_t process();
  /// Clears every buffer's main samples and resets every effect. [the thread that runs blocks]
  void clear();

  int32_t blockLength = 0;
  ZR_Chain effects;                     // links of ZR_Effect, in processing order
  ZR_Effect* insertionPoint = nullptr;  // new effects go in front of it; null: at the end
  ZR_Chain buffers;                     // links of ZR_Buffer

  /// The soundpipe being built, null while no graph is being built.
  static ZR_Soundpipe* current;

  /// Makes a soundpipe; the word "current" after the class name returns the current one instead.
  static ZR_Object* create();
  static ZR_value m_bl(ZR_Object* object, ZR_value value);
  static ZR_value m_be(ZR_Object* object, ZR_value value);
  static ZR_value m_b(ZR_Object* object, ZR_value value);
  static ZR_value m_e(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 private:
  /// Takes every node's pending coefficients when edits closed since the last time and none is
  /// open; otherwise the sets in force stay. [audio] No allocation, no locks.
  void commitPending();

  // Low 16 bits: edits open now; the bits above count the edits closed. Closing adds 0xFFFF, which
  // takes one from the first and adds one to the second in one step.
  static constexpr uint32_t kOpenMask = 0xFFFF;
  std::atomic<uint32_t> edits_{0};
  uint32_t committed_ = 0;  // the edits_ value last committed; the audio thread's own
};
