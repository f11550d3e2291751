#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ZR_Pix_A32.h"

/// Pixels of one picture or frame, rows from the top, width x height of them.
using ZR_Pixels = std::vector<ZR_Pix_A32>;

/// A ZRIF resource: the header and the pixels as they are.
std::vector<uint8_t> ZR_encode_still(int32_t width, int32_t height, const ZR_Pixels& pixels);

/// A ZRVF resource: every frame cut into 4x4 blocks, each distinct block stored once (numbered in
/// order of first appearance), and per frame a table of block numbers. Edge pixels beyond the
/// picture are stored transparent. Fails with a message when more than 65536 blocks are distinct.
bool ZR_encode_strip(int32_t width, int32_t height, const std::vector<ZR_Pixels>& frames,
                     std::vector<uint8_t>& out, std::string& error);
