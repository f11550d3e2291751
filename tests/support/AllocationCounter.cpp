// The test program's global operator new: counts each allocation per thread, then allocates as the
// default one does. Every form that pairs with the plain delete is replaced, so a sanitizer's own
// forms never meet ours.
#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local uint64_t allocations = 0;
}  // namespace

uint64_t allocationsOnThisThread() { return allocations; }

void* operator new(std::size_t size) {
  ++allocations;
  for (;;) {
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }

void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
