#pragma once
#include <cstdint>

// The sample format word of a channel: bits 0-7 stride in bytes, 8-15 significant bits, 16-23 pad
// bits above them in the integer container, 24-31 non-zero for IEEE floating point (32 or 64
// significant bits). Integer samples are little-endian two's complement in the low bits of their
// container of (significant + pad) / 8 bytes.

/// The word for the given fields.
constexpr uint32_t ZR_Rts_format_word(uint32_t stride, uint32_t significant, uint32_t pad, bool floating) {
  return (stride & 0xFF) | (significant & 0xFF) << 8 | (pad & 0xFF) << 16 | (floating ? 1u << 24 : 0u);
}

/// The client's own float buffers: 32-bit float, stride 4.
constexpr uint32_t ZR_RTS_FORMAT_FLOAT32 = 0x01002004;

/// Integer samples of bits (8, 16, 24, 32) bits, interleaved with channels channels per frame.
constexpr uint32_t ZR_Rts_format_interleaved(int32_t bits, int32_t channels) {
  return static_cast<uint32_t>((bits / 8) * channels + bits * 256);
}

/// A format word taken apart; valid only when ZR_Rts_format_decode accepted it.
struct ZR_Rts_Format {
  int32_t stride;
  int32_t significant;
  int32_t containerBytes;  // 4 or 8 for floating point
  bool floating;
};

/// Decodes word; false for a word no sample can have: stride 0, no significant bits or more than
/// 32 (integer), a container outside 1..4 bytes or narrower than its significant bits, a float
/// other than 32 or 64 bits.
bool ZR_Rts_format_decode(uint32_t word, ZR_Rts_Format* format);

/// The format word of an ASIO sample type; 0 for a type this system does not take (big-endian,
/// DSD or unknown), whose channels a device leaves out.
uint32_t ZR_Rts_format_asio(int32_t sampleType);
