#pragma once
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Object.h"

class ZR_Effect;

/// Owns a signal graph: the effect chain, run in order once per block, and the buffer list.
/// While it is current, every buffer and effect that a command creates joins it.
class ZR_Soundpipe : public ZR_Object {
 public:
  /// A new soundpipe becomes the current one at once. [building thread]
  ZR_Soundpipe();
  /// Stops being current and lets go of the effects and buffers still in its lists, which it does
  /// not own. [building thread]
  ~ZR_Soundpipe() override;
  ZR_Soundpipe(const ZR_Soundpipe&) = delete;
  ZR_Soundpipe& operator=(const ZR_Soundpipe&) = delete;

  /// Runs one block through the chain; returns 0. Each effect's on flag is taken once, here, so it
  /// is steady for the whole block whatever other threads write. [audio] No allocation, no locks.
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
};
