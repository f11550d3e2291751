#pragma once
#include <cstdint>
#include <mutex>

/// The twiddle factors of the Fourier transform: 2048 entries over half a turn, entry i holding
/// cos(pi i / 2048) and sin(pi i / 2048) times 2^31 - 1, truncated toward zero. Built on the first
/// call of entries(), once, whichever threads ask first.
class ZR_Fourier_Twiddles {
 public:
  static constexpr int32_t kEntries = 2048;
  struct Entry {
    int32_t c, s;
  };

  /// The table, built on the first call. [any thread] The first call allocates and may block
  /// another first caller until the table is complete.
  const Entry* entries();
  /// How many times this table was built (1 after the first call).
  int32_t builds() const { return builds_; }

  /// The table every transform shares.
  static ZR_Fourier_Twiddles& shared();

 private:
  std::once_flag once_;
  Entry table_[kEntries];
  int32_t builds_ = 0;
};
