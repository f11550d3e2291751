#include <windows.h>

#include "PluginLibrary.h"

bool PluginLibrary::open(const std::string& path) {
  close();
  handle_ = LoadLibraryA(path.c_str());
  if (!handle_) error_ = "LoadLibrary failed with error " + std::to_string(GetLastError());
  return handle_ != nullptr;
}

// GetProcAddress answers a generic function type; the caller casts to the entry's own.
void* PluginLibrary::symbol(const char* name) const {
  if (!handle_) return nullptr;
  return reinterpret_cast<void*>(
      reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(handle_), name)));
}

void PluginLibrary::close() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}
