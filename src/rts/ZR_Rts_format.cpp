#include "rts/ZR_Rts_format.h"

bool ZR_Rts_format_decode(uint32_t word, ZR_Rts_Format* format) {
  const int32_t stride = word & 0xFF;
  const int32_t significant = word >> 8 & 0xFF;
  const int32_t pad = word >> 16 & 0xFF;
  const bool floating = (word >> 24) != 0;
  if (stride == 0) return false;
  int32_t container = 0;
  if (floating) {
    if (significant != 32 && significant != 64) return false;
    container = significant / 8;
  } else {
    container = (significant + pad) / 8;
    if (significant < 1 || significant > 32 || container < 1 || container > 4) return false;
    if (significant > container * 8) return false;
  }
  *format = {stride, significant, container, floating};
  return true;
}

namespace {

// ASIO sample types that have a little-endian word; every other type has none.
struct AsioFormat {
  int32_t sampleType;
  uint32_t word;
};

constexpr AsioFormat kAsioFormats[] = {
    {16, 0x00001002},  // ASIOSTInt16LSB
    {17, 0x00001803},  // ASIOSTInt24LSB, packed in 3 bytes
    {18, 0x00002004},  // ASIOSTInt32LSB
    {19, 0x01002004},  // ASIOSTFloat32LSB
    {20, 0x01004008},  // ASIOSTFloat64LSB
    {24, 0x00101004},  // ASIOSTInt32LSB16
    {25, 0x000E1204},  // ASIOSTInt32LSB18
    {26, 0x000C1404},  // ASIOSTInt32LSB20
    {27, 0x00081804},  // ASIOSTInt32LSB24
};

}  // namespace

uint32_t ZR_Rts_format_asio(int32_t sampleType) {
  for (const AsioFormat& f : kAsioFormats)
    if (f.sampleType == sampleType) return f.word;
  return 0;
}
