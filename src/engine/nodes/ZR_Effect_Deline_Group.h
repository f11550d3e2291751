#pragma once
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Object.h"

class ZR_Buffer;
class ZR_Effect_Deline;
class ZR_Effect_Deline_Group_Delay;

/// A group of a delay network: sums its taps, writes the sum scaled by its amplitude into its
/// output buffer and feeds it, scaled by its feedback, back into the memory. Made by the node's
/// "g"; commands name it only as a value. Its fields change only while the node is held for an edit.
class ZR_Effect_Deline_Group : public ZR_Object {
 public:
  explicit ZR_Effect_Deline_Group(ZR_Effect_Deline* owner) : node(owner) {}
  /// Frees the taps still in the group. [command thread, while the node is held]
  ~ZR_Effect_Deline_Group() override;

  /// Frees every tap; returns how many there were. [command thread, while the node is held]
  int32_t clearTaps();

  int32_t feedback = 0;         // "gf": 2^23 - 1 = 1.0
  int32_t amplitude = 8388607;  // "ga": 2^23 - 1 = 1.0
  ZR_Buffer* output = nullptr;  // "go"; not owned
  ZR_Chain_Item link{this};
  ZR_Chain taps;  // links of ZR_Effect_Deline_Group_Delay, in creation order
  ZR_Effect_Deline_Group_Delay* currentTap = nullptr;
  ZR_Effect_Deline* node;  // the network whose chain holds this group
};
