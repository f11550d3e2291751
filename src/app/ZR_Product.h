#pragma once
#include <cstdint>

/// Who makes the product and what it is called: the texts hosts show and preset files begin with.
struct ZR_Product {
  static constexpr char vendor[] = "https://qorm.example.org";
  static constexpr char effectName[] = "3-rd order Butterworth low-pass";
  /// The maker's address, one space, the effect name.
  static constexpr char productString[] = "https://qorm.example.org 3-rd order Butterworth low-pass";
  /// A preset file's header: the product string with its terminating zero byte.
  static constexpr int32_t presetHeaderSize = sizeof productString;
};

static_assert(ZR_Product::presetHeaderSize == sizeof ZR_Product::vendor + sizeof ZR_Product::effectName,
              "the product string is the vendor, a space and the effect name");
