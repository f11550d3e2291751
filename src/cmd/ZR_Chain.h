#pragma once
#include <cstdint>

class ZR_Chain;

/// One link of an intrusive list, embedded in the object it links (data).
class ZR_Chain_Item {
 public:
  constexpr explicit ZR_Chain_Item(void* owner = nullptr) : data(owner) {}

  ZR_Chain_Item* prev = nullptr;
  ZR_Chain_Item* next = nullptr;
  void* data;
  ZR_Chain* chain = nullptr;  // the list that holds this link; null while it belongs to none
};

/// List head: two sentinels and a count. Used from one thread at a time.
class ZR_Chain {
 public:
  // Constant-initialised when global, so class-level lists are ready before any static constructor.
  constexpr ZR_Chain() {
    head.next = &tail;
    tail.prev = &head;
  }
  ZR_Chain(const ZR_Chain&) = delete;
  ZR_Chain& operator=(const ZR_Chain&) = delete;

  /// Links item in front of before (null: at the end); an item already in a list is left alone.
  void insert(ZR_Chain_Item* item, ZR_Chain_Item* before = nullptr);
  /// Unlinks item if it belongs to this list; its prev and next keep their old values.
  void remove(ZR_Chain_Item* item);

  ZR_Chain_Item* first() const { return head.next; }
  ZR_Chain_Item* last() const { return tail.prev; }
  const ZR_Chain_Item* end() const { return &tail; }

  /// Calls f(member) for each member's data, first to last; f may not unlink the current member.
  template <typename T, typename F>
  void forEach(F&& f) const {
    for (ZR_Chain_Item* it = head.next; it != &tail; it = it->next) f(static_cast<T*>(it->data));
  }

  ZR_Chain_Item head;
  ZR_Chain_Item tail;
  int32_t count = 0;
};
