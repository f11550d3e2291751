#include "cmd/ZR_Chain.h"

void ZR_Chain::insert(ZR_Chain_Item* item, ZR_Chain_Item* before) {
  if (item->chain) return;
  if (!before) before = &tail;
  item->chain = this;
  item->prev = before->prev;
  item->next = before;
  before->prev->next = item;
  before->prev = item;
  ++count;
}

void ZR_Chain::remove(ZR_Chain_Item* item) {
  if (item->chain != this) return;
  item->prev->next = item->next;
  item->next->prev = item->prev;
  item->chain = nullptr;
  --count;
}
