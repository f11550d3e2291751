#include "FakeHostWindow.h"

void FakeHostWindow::insertEntry(Popup popup, int32_t position, const char* text, uint16_t id, void* data) {
  std::vector<Entry>& entries = popups[popup];
  if (position < 0 || position > static_cast<int32_t>(entries.size())) {
    misused = true;
    return;
  }
  entries.insert(entries.begin() + position, {text, id, data, false});
}

void FakeHostWindow::removeEntry(Popup popup, int32_t position) {
  std::vector<Entry>& entries = popups[popup];
  if (position < 0 || position >= static_cast<int32_t>(entries.size())) {
    misused = true;
    return;
  }
  entries.erase(entries.begin() + position);
}

void FakeHostWindow::checkEntry(Popup popup, int32_t position, bool checked) {
  std::vector<Entry>& entries = popups[popup];
  if (position < 0 || position >= static_cast<int32_t>(entries.size())) {
    misused = true;
    return;
  }
  entries[static_cast<size_t>(position)].checked = checked;
}

void FakeHostWindow::setEntry(Popup popup, int32_t position, const char* text, uint16_t id) {
  std::vector<Entry>& entries = popups[popup];
  if (position < 0 || position >= static_cast<int32_t>(entries.size())) {
    misused = true;
    return;
  }
  entries[static_cast<size_t>(position)].text = text;
  entries[static_cast<size_t>(position)].id = id;
}

std::vector<std::string> FakeHostWindow::texts(Popup popup) const {
  std::vector<std::string> out;
  for (const Entry& e : popups[popup]) out.push_back(e.text);
  return out;
}

std::vector<int32_t> FakeHostWindow::checked(Popup popup) const {
  std::vector<int32_t> out;
  for (size_t i = 0; i < popups[popup].size(); ++i)
    if (popups[popup][i].checked) out.push_back(static_cast<int32_t>(i));
  return out;
}
