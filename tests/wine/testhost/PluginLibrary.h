#pragma once
#include <string>

/// A plug-in file loaded as a library; each platform loads it its own way.
class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary() { close(); }
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  /// Loads the file; false with error() telling why.
  bool open(const std::string& path);
  /// The address exported under name, or null.
  void* symbol(const char* name) const;
  void close();
  const std::string& error() const { return error_; }
  /// The loaded module (a Windows module handle, or what dlopen answered), or null.
  void* handle() const { return handle_; }

 private:
  void* handle_ = nullptr;
  bool executable_ = false;  // a program's file loaded as a library
  std::string error_;
};
