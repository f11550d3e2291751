#include <objbase.h>
#include <windows.h>

#include <cstring>

#include "win32/asio/ZR_Asio_System.h"

namespace {
// Reads a value of an open key only when it is a text; the buffer has room for a terminator the
// registry may not have stored.
bool readText(HKEY key, const char* value, std::string* text) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return false;
  std::string buffer(size + 1, '\0');
  DWORD got = size;
  if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
          ERROR_SUCCESS ||
      type != REG_SZ || got > size) {
    return false;
  }
  buffer.resize(got);
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  *text = buffer;
  return true;
}

class RegistryAsioSystem final : public ZR_Asio_System {
 public:
  bool driverKeys(std::vector<std::string>* names) override {
    HKEY asio = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\asio", 0, KEY_READ, &asio) != ERROR_SUCCESS)
      return false;
    char name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(asio, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names->emplace_back(name, length);
    }
    RegCloseKey(asio);
    return true;
  }

  bool driverValue(const std::string& key, const char* value, std::string* text) override {
    HKEY driver = nullptr;
    std::string path = "software\\asio\\" + key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &driver) != ERROR_SUCCESS) return false;
    bool found = readText(driver, value, text);
    RegCloseKey(driver);
    return found;
  }

  bool serverPath(const std::string& clsidText, std::string* path) override {
    // Registry names compare without regard to case; a text that is no single key name is no class.
    if (clsidText.empty() || clsidText.find('\\') != std::string::npos) return false;
    HKEY server = nullptr;
    std::string name = "clsid\\" + clsidText + "\\InprocServer32";
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &server) != ERROR_SUCCESS) return false;
    bool found = readText(server, nullptr, path);
    RegCloseKey(server);
    return found;
  }

  bool fileExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool parseClsid(const std::string& text, ZR_Clsid* clsid) override {
    wchar_t wide[100];
    if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 100) == 0) return false;
    CLSID parsed;
    if (CLSIDFromString(wide, &parsed) != S_OK) return false;
    static_assert(sizeof parsed == sizeof *clsid);
    std::memcpy(clsid, &parsed, sizeof parsed);
    return true;
  }

  void comInit() override { CoInitialize(nullptr); }
  void comDone() override { CoUninitialize(); }

  int32_t createDriver(const ZR_Clsid& clsid, IASIO** driver) override {
    CLSID id;
    std::memcpy(&id, &clsid, sizeof id);
    void* object = nullptr;
    HRESULT result = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, id, &object);
    if (result != S_OK) return static_cast<int32_t>(result);
    *driver = static_cast<IASIO*>(object);
    return 0;
  }
};
}  // namespace

ZR_Asio_System& ZR_asio_platform_system() {
  static RegistryAsioSystem system;
  return system;
}
