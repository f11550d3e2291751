#pragma once
// Captures the error boxes a test provokes instead of showing them.
#include <string>
#include <vector>

#include "cmd/ZR_message_box.h"

namespace zr_testing {

class CapturedReports {
 public:
  CapturedReports() : previous_(ZR_set_message_sink(capture)) { texts().clear(); }
  ~CapturedReports() { ZR_set_message_sink(previous_); }
  CapturedReports(const CapturedReports&) = delete;
  CapturedReports& operator=(const CapturedReports&) = delete;

  /// Every box text shown since construction, in order.
  static std::vector<std::string>& texts() {
    static std::vector<std::string> shown;
    return shown;
  }

 private:
  static void capture(const char* text, const char*) { texts().push_back(text); }
  ZR_message_sink previous_;
};

}  // namespace zr_testing
