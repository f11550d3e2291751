#pragma once
#include <cstdint>

/// Heap allocations made through operator new on the calling thread so far. The test program
/// replaces the global operator new to count them.
uint64_t allocationsOnThisThread();
