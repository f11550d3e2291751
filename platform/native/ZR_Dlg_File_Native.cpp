#include "ZR_Dlg_File_Native.h"

#include <cstring>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

namespace {
struct AnswerQueue {
  std::mutex mutex;
  std::deque<std::optional<std::string>> answers;
};

AnswerQueue& answerQueue() {
  static AnswerQueue queue;
  return queue;
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path()
                                : std::filesystem::path(ZR_Dlg_File_Base::kInitialDirectory);
}
}  // namespace

ZR_Dlg_File_Native::ZR_Dlg_File_Native(ZR_Win* ownerWindow, const char* fileFilter)
    : ZR_Dlg_File_Base(ownerWindow, fileFilter) {}

void ZR_Dlg_File_Native::queueAnswer(const char* path) {
  AnswerQueue& queue = answerQueue();
  std::lock_guard<std::mutex> lock(queue.mutex);
  queue.answers.push_back(path ? std::optional<std::string>(path) : std::nullopt);
}

size_t ZR_Dlg_File_Native::pendingAnswers() {
  AnswerQueue& queue = answerQueue();
  std::lock_guard<std::mutex> lock(queue.mutex);
  return queue.answers.size();
}

void ZR_Dlg_File_Native::clearAnswers() {
  AnswerQueue& queue = answerQueue();
  std::lock_guard<std::mutex> lock(queue.mutex);
  queue.answers.clear();
}

// Moves the next answer into the path buffer; false for a cancel, an empty queue or a path the
// buffer cannot hold (the real dialog fails then too). The buffer keeps the last chosen path.
bool ZR_Dlg_File_Native::takeAnswer() {
  std::optional<std::string> answer;
  {
    AnswerQueue& queue = answerQueue();
    std::lock_guard<std::mutex> lock(queue.mutex);
    if (queue.answers.empty()) return false;
    answer = std::move(queue.answers.front());
    queue.answers.pop_front();
  }
  if (!answer || answer->empty() || answer->size() >= sizeof file_) return false;
  std::memcpy(file_, answer->c_str(), answer->size() + 1);
  return true;
}

const char* ZR_Dlg_File_Native::open() {
  if (!takeAnswer()) return nullptr;
  std::error_code error;
  return std::filesystem::is_regular_file(file_, error) ? file_ : nullptr;
}

// As the explorer-style dialog does, a name typed without extension gets the extension of the
// filter in use (the first one) when its pattern names one, and the default extension otherwise.
std::string ZR_Dlg_File_Native::completingExtension() const {
  const char* pattern = filter ? filter + std::strlen(filter) + 1 : "";
  const std::string first(pattern, std::strcspn(pattern, ";"));
  const bool plain =
      first.size() > 2 && first.compare(0, 2, "*.") == 0 && first.find_first_of("*?", 2) == std::string::npos;
  return plain ? first.substr(2) : kDefaultExtension;
}

const char* ZR_Dlg_File_Native::save() {
  if (!takeAnswer()) return nullptr;
  std::filesystem::path file(file_);
  if (!file.has_extension()) {
    file += "." + completingExtension();
    if (file.native().size() >= sizeof file_) return nullptr;
    std::memcpy(file_, file.c_str(), file.native().size() + 1);
  }
  std::error_code error;
  return std::filesystem::is_directory(folderOf(file), error) ? file_ : nullptr;
}
