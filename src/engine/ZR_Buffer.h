#pragma once
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Object.h"

class ZR_Soundpipe;

/// One block of engine samples (signed 32-bit, 2^30 = full scale) and the shadow block that a
/// node switching on or off works in. Both halves are one allocation, made when the length is set.
class ZR_Buffer : public ZR_Object {
 public:
  /// A buffer that follows the current soundpipe's block length and joins its buffer list.
  /// [building thread] Allocates.
  ZR_Buffer();
  /// Frees the samples and leaves the buffer list. [building thread]
  ~ZR_Buffer() override;
  ZR_Buffer(const ZR_Buffer&) = delete;
  ZR_Buffer& operator=(const ZR_Buffer&) = delete;

  /// (Re)allocates: 0 = no storage, -1 = as long as the current soundpipe's block, n > 0 = n samples;
  /// main is cleared. Other settings are refused (false). [building thread] Allocates; never while
  /// a block runs.
  bool setLength(int32_t setting);
  /// Takes model's length: the same fixed length, or following the same soundpipe with storage
  /// for as many samples as model holds, so both report the same length in every block.
  /// [building thread] Allocates; never while a block runs.
  bool setLengthLike(const ZR_Buffer& model);
  /// What "l" reports: the fixed length, or the followed soundpipe's block length.
  /// [any thread that builds or runs the graph]
  int32_t length() const;
  /// The samples a node processes in this block: length(), but never more than the storage holds.
  /// [audio] No allocation, no locks.
  int32_t blockLength() const;

  int32_t lengthSetting = 0;  // 0: no storage; -1: follows a soundpipe; n > 0: n samples
  int32_t count = 0;          // samples in each of the two arrays
  const char* tag = nullptr;  // a reference to the caller's text
  int32_t* main = nullptr;
  int32_t* shadow = nullptr;  // directly follows main in the same allocation
  int32_t position = 0;       // ring index for nodes that keep a ring in the buffer
  int32_t limit = 1073741823;
  ZR_Soundpipe* followed = nullptr;
  int32_t transition = 0;  // -1, 0, +1: which array holds the signal in this block
  ZR_Chain_Item link{this};

  static ZR_Object* create();
  static ZR_value m_l(ZR_Object* object, ZR_value value);
  static ZR_value m_t(ZR_Object* object, ZR_value value);
  static ZR_value m_limit(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 private:
  void release();
};
