#pragma once
#include <mutex>

/// Held by whoever builds or destroys a graph (the application, the standalone host, tests):
/// building goes through the one current soundpipe and the interpreter's special object, both
/// process-wide, so builders on several threads take turns. [building thread] Blocks while another
/// builder holds one; never on the audio path. A builder may open a second scope on its own
/// thread (a second graph while the first is still being made).
class ZR_Build_Scope {
 public:
  ZR_Build_Scope();
  ~ZR_Build_Scope() = default;
  ZR_Build_Scope(const ZR_Build_Scope&) = delete;
  ZR_Build_Scope& operator=(const ZR_Build_Scope&) = delete;

 private:
  std::lock_guard<std::recursive_mutex> hold_;
};
