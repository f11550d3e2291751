#pragma once
#include <cstddef>

/// One resource linked into a native binary: the counterpart of a "DATA" entry in a Windows .rc.
struct ZR_resource_entry {
  const char* name;
  const unsigned char* data;
  size_t size;
};

/// The generated table of the binary's resources, ended by a row whose name is null.
extern const ZR_resource_entry ZR_resource_table[];
