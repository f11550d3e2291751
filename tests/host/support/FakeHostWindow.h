#pragma once
// The host's window as a model the tests read back: the entries of the four pop-ups with their
// texts, identifiers, data and checks, and which command items are enabled.
#include <map>
#include <string>
#include <vector>

#include "host/ZR_Host.h"
#include "host/ZR_Host_Window.h"

class FakeHostWindow : public ZR_Host_Window {
 public:
  struct Entry {
    std::string text;
    uint16_t id;
    void* data;
    bool checked;
  };

  void insertEntry(Popup popup, int32_t position, const char* text, uint16_t id, void* data) override;
  void removeEntry(Popup popup, int32_t position) override;
  void checkEntry(Popup popup, int32_t position, bool checked) override;
  void setEntry(Popup popup, int32_t position, const char* text, uint16_t id) override;
  void enableCommand(uint16_t id, bool enabled) override { this->enabled[id] = enabled; }
  void* effectWindow() override { return &effectWindowToken; }
  void openHelp() override { ++helpOpened; }

  std::vector<std::string> texts(Popup popup) const;
  /// Positions of the checked entries.
  std::vector<int32_t> checked(Popup popup) const;

  std::vector<Entry> popups[4];
  // The menu bar as built: "&Add" enabled, "&Delete" greyed.
  std::map<uint16_t, bool> enabled{{ZR_Host::kAddInstance, true}, {ZR_Host::kDeleteInstance, false}};
  int helpOpened = 0;
  int effectWindowToken = 0;
  /// Set when an operation names a position that has no entry.
  bool misused = false;
};
