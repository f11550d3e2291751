#pragma once
#include <windows.h>

/// The module this code is linked into: qorm.dll when a host loaded it, else the executable. Its
/// resources and window classes are found there, not in the host's program. [any thread]
HMODULE ZR_module_win32();
