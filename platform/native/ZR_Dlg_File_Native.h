#pragma once
#include <cstddef>
#include <string>

#include "wid/ZR_Dlg_File_Base.h"

/// Headless file dialogs: each dialog takes the next answer that the caller queued, as if a user had
/// typed it and pressed OK, and applies the rules of the real dialogs to it (an opened file must
/// exist; a saved file's folder must exist, and a name without extension gets the first filter's
/// extension, or "bin" when its pattern has none). A dialog with no queued answer is cancelled.
class ZR_Dlg_File_Native : public ZR_Dlg_File_Base {
 public:
  ZR_Dlg_File_Native(ZR_Win* ownerWindow, const char* fileFilter);

  const char* open() override;
  const char* save() override;

  /// Queues the answer of the next dialog of any dialog object: a path, or null for cancel.
  /// [any thread]
  static void queueAnswer(const char* path);
  /// Answers queued and not yet taken. [any thread]
  static size_t pendingAnswers();
  /// Drops every queued answer. [any thread]
  static void clearAnswers();

 private:
  bool takeAnswer();
  std::string completingExtension() const;

  char file_[kPathCapacity] = "";
};
