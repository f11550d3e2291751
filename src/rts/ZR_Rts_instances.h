#pragma once
#include "cmd/ZR_Chain.h"
#include "rts/ZR_Rts.h"

/// Every device instance of every class, in the order of registration (data = the ZR_Rts).
/// [client thread]
extern ZR_Chain ZR_Rts_instances;

/// What each device class keeps: its own list of instances and the client callback that its
/// classInit received.
class ZR_Rts_Class {
 public:
  constexpr ZR_Rts_Class() = default;
  ZR_Rts_Class(const ZR_Rts_Class&) = delete;
  ZR_Rts_Class& operator=(const ZR_Rts_Class&) = delete;

  /// Appends device to this class's list and to ZR_Rts_instances. [client thread]
  void add(ZR_Rts* device);
  /// classDone: takes each instance off both lists and deletes it, first to last. [client thread]
  void clear();

  /// The client callback; read by the device's handler thread.
  std::atomic<ZR_Rts_callback> callback{nullptr};
  ZR_Chain list;
};
