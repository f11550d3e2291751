#include <windows.h>

#include "PluginLibrary.h"

namespace {

const IMAGE_NT_HEADERS* headersOf(HMODULE module) {
  auto* base = reinterpret_cast<const unsigned char*>(module);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(base +
                                                   reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
}

bool isExecutable(HMODULE module) {
  return !(headersOf(module)->FileHeader.Characteristics & IMAGE_FILE_DLL);
}

// Wine does not relocate an executable it loads as a library: it only runs at its own base.
bool atItsOwnBase(HMODULE module) {
  return reinterpret_cast<ULONG_PTR>(module) == headersOf(module)->OptionalHeader.ImageBase;
}

// Windows binds the imports of an executable loaded as a library (it only skips its start-up);
// Wine maps it without binding them. Binding them here gives an executable's exports the process
// they would have on Windows. Already bound slots get the same addresses again.
bool bindImports(HMODULE module, std::string& error) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return true;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    const char* dllName = reinterpret_cast<const char*>(base + d->Name);
    HMODULE dll = LoadLibraryA(dllName);
    if (!dll || !d->OriginalFirstThunk) {
      error = std::string("cannot bind the imports from ") + dllName;
      return false;
    }
    auto* wanted = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; wanted->u1.AddressOfData; ++wanted, ++slot) {
      const char* name =
          IMAGE_SNAP_BY_ORDINAL(wanted->u1.Ordinal)
              ? MAKEINTRESOURCEA(IMAGE_ORDINAL(wanted->u1.Ordinal))
              : reinterpret_cast<const char*>(
                    reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + wanted->u1.AddressOfData)->Name);
      FARPROC address = GetProcAddress(dll, name);
      DWORD protection;
      if (!address || !VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        error = std::string("cannot bind an import from ") + dllName;
        return false;
      }
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(address);
      VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
  }
  return true;
}

}  // namespace

bool PluginLibrary::open(const std::string& path) {
  close();
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) {
    error_ = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return false;
  }
  handle_ = module;
  executable_ = isExecutable(module);
  if (executable_ && !atItsOwnBase(module)) error_ = "the executable was loaded away from its base";
  if (executable_ && (!atItsOwnBase(module) || !bindImports(module, error_))) {
    close();
    return false;
  }
  return true;
}

// GetProcAddress answers a generic function type; the caller casts to the entry's own.
void* PluginLibrary::symbol(const char* name) const {
  if (!handle_) return nullptr;
  return reinterpret_cast<void*>(
      reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(handle_), name)));
}

// An executable stays mapped: what it registers to run at exit lives in it.
void PluginLibrary::close() {
  if (handle_ && !executable_) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
  executable_ = false;
}
