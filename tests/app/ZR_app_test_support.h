#pragma once
// Helpers for the application's tests: message boxes captured instead of shown, queued dialog
// answers, and queries of the graph's nodes.
#include <deque>
#include <string>
#include <vector>

#include "app/ZR_Application.h"
#include "classes/ZR_exec.h"
#include "cmd/ZR_message_box.h"

/// Captures every message box while it lives.
class MessageBoxes {
 public:
  struct Box {
    std::string text;
    std::string caption;
  };

  MessageBoxes() : previous_(ZR_set_message_sink(&MessageBoxes::sink)) { boxes().clear(); }
  ~MessageBoxes() { ZR_set_message_sink(previous_); }
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;

  const std::vector<Box>& shown() const { return boxes(); }

 private:
  static std::vector<Box>& boxes() {
    static std::vector<Box> all;
    return all;
  }
  static void sink(const char* text, const char* caption) { boxes().push_back({text, caption}); }

  ZR_message_sink previous_;
};

/// A file dialog that answers from a queue, as if a user had typed each path (empty: cancel).
class QueuedDialog : public ZR_Dlg_File_Base {
 public:
  QueuedDialog() : ZR_Dlg_File_Base(nullptr, ZR_Application::kPresetFilter) {}
  const char* open() override { return next(); }
  const char* save() override { return next(); }

  std::deque<std::string> answers;

 private:
  const char* next() {
    if (answers.empty()) return nullptr;
    chosen_ = answers.front();
    answers.pop_front();
    return chosen_.empty() ? nullptr : chosen_.c_str();
  }
  std::string chosen_;
};

/// An integer option of an object, as its handler answers it.
inline int32_t queryInteger(ZR_Object* object, const char* option) {
  int32_t result = -12345;
  const std::string command = std::string("%o -") + option;
  ZR_exec(command.c_str(), object, &result);
  return result;
}

/// A real option of an object, as its handler answers it.
inline float queryReal(ZR_Object* object, const char* option) {
  float result = -12345.0f;
  const std::string command = std::string("%o -") + option;
  ZR_exec(command.c_str(), object, &result);
  return result;
}
