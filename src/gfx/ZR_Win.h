#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_Mutex.h"
#include "gfx/ZR_Pic.h"
#include "gfx/ZR_Pix_A32.h"
#include "gfx/ZR_Rect.h"
#include "gfx/ZR_Win_Element.h"

/// A surface that widgets live on, cut into 64 x 64 tiles. It composes its elements with alpha
/// blending, highlights the one under the mouse, greys out disabled ones and routes the mouse.
/// Attaching, hit testing, the mouse, rendering and composing belong to the window thread; other
/// threads only ask for a refresh, which the window thread runs when it next services the window.
class ZR_Win {
 public:
  static constexpr int32_t kTileSize = 64;
  static constexpr unsigned kPaintTimeoutMs = 1000;
  static constexpr double kHoverFactor = 1.5;     // a hovered element gets brighter
  static constexpr double kDisabledFactor = 0.4;  // a disabled element gets faint

  /// Receives each composed tile: copy the tile buffer's part at (sourceX, sourceY) to area
  /// (window coordinates). Called under the paint lock.
  class Target {
   public:
    virtual void copy(const ZR_Rect& area, int32_t sourceX, int32_t sourceY) = 0;

   protected:
    ~Target() = default;
  };

  /// Whoever owns the widgets: brings them up to date with values that other threads changed.
  class Client {
   public:
    /// [window thread] May render, compose and issue commands.
    virtual void refresh() = 0;

   protected:
    ~Client() = default;
  };

  /// A size of 0 still gives one tile. Allocates the tiles and both 64 x 64 buffers.
  ZR_Win(int32_t w, int32_t h);
  /// Detaches every element that is still attached.
  virtual ~ZR_Win();
  ZR_Win(const ZR_Win&) = delete;
  ZR_Win& operator=(const ZR_Win&) = delete;

  /// Repaints rect (window coordinates). The base window has no screen and does nothing.
  /// [window thread]
  virtual void invalidate(const ZR_Rect& rect);

  /// The client whose refresh runs on requests, or null. [window thread]
  void setClient(Client* client) { client_ = client; }
  /// Asks the window thread to run the client's refresh when it next services the window; asks
  /// made before that are one. [any thread] No allocation, no locks, no drawing.
  void requestRefresh();
  /// Runs the client's refresh if one was asked for since the last run. [window thread]
  void refreshIfRequested();

  /// Composes rect tile by tile (bottom row first) and hands each tile to target. Gives up and
  /// returns false when the paint lock is not obtained within 1000 ms. [any thread] No allocation.
  bool paint(const ZR_Rect& rect, Target& target);

  /// Attaches element to window, or only detaches it for a null window. An attached element is
  /// always detached first, so attaching again re-registers it in the tiles of its current rectangle
  /// (and puts it on top). Detaching clears the window's hovered and captured references to it.
  static void attach(ZR_Win* window, ZR_Win_Element* element);

  /// The topmost visible element whose rectangle holds the point and whose hit accepts it, or null.
  ZR_Win_Element* hitTest(int32_t x, int32_t y) const;

  // Mouse routing (window coordinates); the platform window calls these from its messages.
  void onMouseMove(int32_t x, int32_t y);
  void onButtonDown(int32_t x, int32_t y);
  void onButtonUp();
  void onMouseLeave() { onButtonUp(); }

  /// The chain of tile (column, row): the elements registered there, in stacking order.
  const ZR_Chain& tile(int32_t column, int32_t row) const { return tiles[row * columns + column]; }

  const int32_t width;
  const int32_t height;
  const int32_t columns;
  const int32_t rows;
  ZR_Chain widgets;                    // every attached element, in order of attachment
  ZR_Win_Element* captured = nullptr;  // took the left button; owners may clear it
  ZR_Win_Element* hovered = nullptr;   // knob or button under the mouse; owners may clear it
  std::unique_ptr<ZR_Chain[]> tiles;   // row by row from the top
  ZR_Pic<ZR_Pix_A32> tileBuffer;       // where one tile is composed
  ZR_Pic<ZR_Pix_A32> scratchBuffer;    // where a hovered or disabled element is drawn first

 protected:
  /// Makes the window thread service the window soon (the screen window through its paint
  /// message); the base and the headless window wait until they are next serviced. [any thread]
  virtual void wake() {}

  /// Starts every tile from transparent pixels instead of what the last tile left there, so holes
  /// show and the result does not depend on what was painted before. The screen windows leave it off.
  bool clearEachTile_ = false;
  ZR_Mutex paintLock_;

 private:
  std::atomic<bool> refreshRequested_{false};
  Client* client_ = nullptr;

  void composeTile(int32_t column, int32_t row, const ZR_Rect& rect, Target& target);
  void drawTransformed(ZR_Win_Element& element, const ZR_Rect& part, int32_t dx, int32_t dy);
  void invalidateElement(const ZR_Win_Element* element) { invalidate(element->rect()); }
};
