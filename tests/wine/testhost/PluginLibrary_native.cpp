#include <dlfcn.h>

#include "PluginLibrary.h"

bool PluginLibrary::open(const std::string& path) {
  close();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) error_ = dlerror();
  return handle_ != nullptr;
}

void* PluginLibrary::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

void PluginLibrary::close() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
}
