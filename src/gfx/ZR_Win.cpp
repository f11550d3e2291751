#include "gfx/ZR_Win.h"

#include <algorithm>

namespace {
int32_t tileSpan(int32_t size) { return (size - 1) / ZR_Win::kTileSize + 1; }

void detach(ZR_Win_Element* element) {
  ZR_Win* window = element->window;
  element->window = nullptr;
  window->widgets.remove(&element->windowLink);
  for (int32_t i = 0; i < element->tileLinkCount; ++i) {
    ZR_Chain_Item& link = element->tileLinks[i];
    link.chain->remove(&link);
  }
  element->tileLinks.reset();
  element->tileLinkCount = 0;
  // A window must not keep pointing at an element that may be deleted next.
  if (window->hovered == element) window->hovered = nullptr;
  if (window->captured == element) window->captured = nullptr;
}
}  // namespace

ZR_Win::ZR_Win(int32_t w, int32_t h)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      columns(tileSpan(width)),
      rows(tileSpan(height)),
      tiles(new ZR_Chain[static_cast<size_t>(columns) * rows]) {
  tileBuffer.create(kTileSize, kTileSize);
  scratchBuffer.create(kTileSize, kTileSize);
}

ZR_Win::~ZR_Win() {
  while (widgets.count > 0) detach(static_cast<ZR_Win_Element*>(widgets.first()->data));
}

void ZR_Win::invalidate(const ZR_Rect& rect) { (void)rect; }

void ZR_Win::requestRefresh() {
  if (!refreshRequested_.exchange(true, std::memory_order_acq_rel)) wake();
}

// The request is cleared before the refresh runs, so one made during it is not lost.
void ZR_Win::refreshIfRequested() {
  if (refreshRequested_.exchange(false, std::memory_order_acq_rel) && client_) client_->refresh();
}

void ZR_Win::attach(ZR_Win* window, ZR_Win_Element* element) {
  if (element->window) detach(element);
  if (!window) return;
  window->widgets.insert(&element->windowLink);
  // The tiles the rectangle overlaps now; a widget moved later must be attached again.
  const ZR_Rect span =
      element->rect().intersect({0, 0, window->columns * kTileSize, window->rows * kTileSize});
  if (!span.empty()) {
    const int32_t c0 = span.left / kTileSize, c1 = (span.right - 1) / kTileSize;
    const int32_t r0 = span.top / kTileSize, r1 = (span.bottom - 1) / kTileSize;
    element->tileLinkCount = (c1 - c0 + 1) * (r1 - r0 + 1);
    element->tileLinks.reset(new ZR_Chain_Item[element->tileLinkCount]);
    ZR_Chain_Item* link = element->tileLinks.get();
    for (int32_t r = r0; r <= r1; ++r) {
      for (int32_t c = c0; c <= c1; ++c, ++link) {
        link->data = element;
        window->tiles[r * window->columns + c].insert(link);
      }
    }
  }
  element->window = window;
}

bool ZR_Win::paint(const ZR_Rect& rect, Target& target) {
  if (!paintLock_.lock(kPaintTimeoutMs)) return false;
  const ZR_Rect area = rect.intersect({0, 0, width, height});
  if (!area.empty()) {
    for (int32_t r = (area.bottom - 1) / kTileSize; r >= area.top / kTileSize; --r) {
      for (int32_t c = area.left / kTileSize; c <= (area.right - 1) / kTileSize; ++c)
        composeTile(c, r, area, target);
    }
  }
  paintLock_.unlock();
  return true;
}

void ZR_Win::composeTile(int32_t column, int32_t row, const ZR_Rect& rect, Target& target) {
  const ZR_Rect square = ZR_Rect{0, 0, kTileSize, kTileSize}.offset(column * kTileSize, row * kTileSize);
  const ZR_Rect area = square.intersect(rect);
  if (clearEachTile_) {
    for (int32_t y = area.top; y < area.bottom; ++y) {
      std::fill_n(tileBuffer.row(y - square.top) + (area.left - square.left), area.width(), ZR_Pix_A32{});
    }
  }
  tile(column, row).forEach<ZR_Win_Element>([&](ZR_Win_Element* element) {
    const ZR_Rect overlap = element->rect().intersect(area);
    if (overlap.empty()) return;
    const ZR_Rect part = overlap.offset(-element->left, -element->top);
    const int32_t dx = overlap.left - square.left;
    const int32_t dy = overlap.top - square.top;
    if (element->enabled && element != hovered) {
      element->drawVisible(tileBuffer, dx, dy, part);
    } else {
      drawTransformed(*element, part, dx, dy);
    }
  });
  target.copy(area, area.left - square.left, area.top - square.top);
}

// Highlighting scales alpha: translucent pixels get more opaque, and pixels that would pass 255
// keep their alpha and get brighter colours instead. Disabling scales alpha down only.
void ZR_Win::drawTransformed(ZR_Win_Element& element, const ZR_Rect& part, int32_t dx, int32_t dy) {
  const double factor = element.enabled ? kHoverFactor : kDisabledFactor;
  for (int32_t y = dy; y < dy + part.height(); ++y)
    std::fill_n(scratchBuffer.row(y) + dx, part.width(), ZR_Pix_A32{});
  element.drawVisible(scratchBuffer, dx, dy, part);
  const auto scale = [factor](uint8_t c) { return static_cast<uint8_t>(std::min(c * factor, 255.0)); };
  for (int32_t y = dy; y < dy + part.height(); ++y) {
    ZR_Pix_A32* source = scratchBuffer.row(y) + dx;
    ZR_Pix_A32* target = tileBuffer.row(y) + dx;
    for (int32_t x = 0; x < part.width(); ++x) {
      ZR_Pix_A32& p = source[x];
      const double alpha = p.a * factor;
      if (alpha > 255) {
        p.r = scale(p.r);
        p.g = scale(p.g);
        p.b = scale(p.b);
      } else {
        p.a = static_cast<uint8_t>(alpha);
      }
      ZR_blend(target[x], p);
    }
  }
}

ZR_Win_Element* ZR_Win::hitTest(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
  const ZR_Chain& chain = tile(x / kTileSize, y / kTileSize);
  for (ZR_Chain_Item* link = chain.last(); link != &chain.head; link = link->prev) {
    ZR_Win_Element* element = static_cast<ZR_Win_Element*>(link->data);
    if (element->visible && element->rect().contains(x, y) &&
        element->hit(x - element->left, y - element->top)) {
      return element;
    }
  }
  return nullptr;
}

void ZR_Win::onMouseMove(int32_t x, int32_t y) {
  if (captured) {
    captured->drag(x - captured->left, y - captured->top);
    return;
  }
  if (width == 0 || height == 0) return;
  ZR_Win_Element* found = hitTest(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
  if (found == hovered) return;
  if (found && !found->hoverable()) found = nullptr;
  ZR_Win_Element* previous = hovered;
  hovered = found;
  // The old one is repainted plain, the new one highlighted.
  if (previous) invalidateElement(previous);
  if (found) invalidateElement(found);
}

void ZR_Win::onButtonDown(int32_t x, int32_t y) {
  if (!hovered || !hovered->enabled) return;
  captured = hovered;
  captured->press(x - captured->left, y - captured->top);
}

void ZR_Win::onButtonUp() {
  ZR_Win_Element* released = captured;
  captured = nullptr;
  if (released) released->release();
}
