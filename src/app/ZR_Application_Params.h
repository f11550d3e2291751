#pragma once
#include "app/ZR_Application_Param.h"

/// The State parameter: the filter on or off. Applying it switches both filter nodes and the
/// controls that follow the filter; it stays an on/off parameter whatever kind a writer left.
class ZR_Application_State : public ZR_Application_Param {
 public:
  void apply(void* data) override;
};

/// The Frequency parameter: the cutoff knob's value v. The cutoff grows with the square of the knob
/// travel: f = (max - min) * ((v - min) / (max - min))^2 + min.
class ZR_Application_Frequency : public ZR_Application_Param {
 public:
  void apply(void* data) override;
  /// The cutoff in hertz, as the read-out shows it: hosts must not show the knob value as a
  /// frequency. As many decimals as fit size bytes with the terminator (six at most), whole hertz at
  /// the least. [any host thread] No allocation.
  void displayText(char* text, size_t size) const override;
  /// The cutoff for knob value v. [any thread] No allocation.
  float cutoff(float v) const;
};

/// The action that saves both parameters to a preset file the user chooses.
class ZR_Application_Save : public ZR_Application_Param {
 public:
  void changed(void* data) override;
};

/// The action that loads both parameters from a preset file the user chooses.
class ZR_Application_Load : public ZR_Application_Param {
 public:
  void changed(void* data) override;
};
