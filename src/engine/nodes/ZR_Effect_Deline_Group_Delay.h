#pragma once
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Object.h"

class ZR_Effect_Deline_Group;

/// One tap of a delay network: reads the shared memory at its delay and adds it, weighted, to its
/// group's sum. Made by the node's "d"; commands name it only as a value. Its fields change only
/// while the node is held for an edit.
class ZR_Effect_Deline_Group_Delay : public ZR_Object {
 public:
  explicit ZR_Effect_Deline_Group_Delay(ZR_Effect_Deline_Group* owner) : group(owner) {}

  /// The delay word of the program: the time in samples, truncated toward zero, modulo the ring
  /// (the kernel indexes the ring modulo its length anyway, and a negative word would read as the
  /// end of the group). A time in seconds is taken at the rate fs, in double precision.
  /// [audio, while the node is held]
  int32_t compiledTime(int32_t fs) const;

  int32_t weight = 0;             // "da": 2^31 - 1 = 1.0
  float time = 0;                 // "dt"
  bool timeInSamples = false;     // the last "dt" was an integer
  ZR_Effect_Deline_Group* group;  // the group whose chain holds this tap
  ZR_Chain_Item link{this};
};
