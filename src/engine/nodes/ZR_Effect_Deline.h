#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "cmd/ZR_Chain.h"
#include "engine/ZR_Effect.h"

class ZR_Buffer;
class ZR_Effect_Deline_Group;
class ZR_Effect_Deline_Group_Delay;

/// A network of delay taps around one shared ring memory: groups of taps, each group summing its
/// taps into its own output and back into the memory. Before every block the groups and taps are
/// compiled into a flat word program that the kernel walks per sample.
///
/// Commands edit the groups and taps while blocks may run: an edit holds the node (a flag the
/// command thread waits for), and the audio thread compiles only when it can take the flag at
/// once; otherwise it runs the program it compiled last. The audio thread never waits.
class ZR_Effect_Deline : public ZR_Effect {
 public:
  static constexpr int32_t kCapacity = 16384;  // program words
  static constexpr int32_t kGroupWords = 4;    // per group
  static constexpr int32_t kTapWords = 2;      // per tap
  static constexpr int32_t kMaxGroups = kCapacity / kGroupWords;

  /// A node without groups and input, position 0, the memory cleared. [building thread] Allocates.
  ZR_Effect_Deline();
  /// Frees every group and its taps. [building thread]
  ~ZR_Effect_Deline() override;

  /// [audio] No allocation, no locks.
  void process() override;
  /// Compiles the groups and taps unless an edit holds the node. [audio] No allocation, never waits.
  void prepare() override;
  /// Nothing to do: the program is compiled before every block with the clock of that block.
  void recompute() override {}
  /// Clears the memory; the position, groups and taps stay. [the thread that runs blocks]
  void reset() override;

  /// Holds the node for an edit of its groups and taps, waiting for a compile in progress.
  /// [command thread] Blocks for at most one compile.
  class Edit {
   public:
    explicit Edit(ZR_Effect_Deline& node);
    ~Edit();
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;

   private:
    ZR_Effect_Deline& node_;
  };

  /// A new group with the defaults, appended and made current; null when the program has no room
  /// for it. [command thread, while the node is held]
  ZR_Effect_Deline_Group* addGroup();
  /// A new tap appended to the current group and made its current tap; null without a current
  /// group or when the program has no room. [command thread, while the node is held]
  ZR_Effect_Deline_Group_Delay* addTap();

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Chain groups;             // links of ZR_Effect_Deline_Group, in creation order
  ZR_Effect_Deline_Group* currentGroup = nullptr;
  int32_t programLength = 0;  // words the groups and taps take: 4 per group, 2 per tap

  // The audio thread's side: the ring, its write index and the program it runs.
  std::unique_ptr<int32_t[]> memory;
  int32_t position = 0;
  std::unique_ptr<int32_t[]> program;
  int32_t compiledLength = 0;
  int32_t compiledGroups = 0;
  std::unique_ptr<ZR_Buffer*[]> compiledOutputs;  // per group slot of the program
  std::unique_ptr<int32_t*[]> outputArrays;       // the slots' arrays in this block

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  /// "g": none given, or the object 0, a new group; an object, that group if it is one of this
  /// node's. The 0 lets one command build a network: a query in the middle of a command takes a
  /// pointer argument for its result.
  static ZR_value m_g(ZR_Object* object, ZR_value value);
  static ZR_value m_go(ZR_Object* object, ZR_value value);
  static ZR_value m_ga(ZR_Object* object, ZR_value value);
  static ZR_value m_gf(ZR_Object* object, ZR_value value);
  static ZR_value m_gc(ZR_Object* object, ZR_value value);
  /// "d": none given, or the object 0, a new tap in the current group; an object, that tap if it
  /// is one of this node's (its group becomes current too).
  static ZR_value m_d(ZR_Object* object, ZR_value value);
  static ZR_value m_dt(ZR_Object* object, ZR_value value);
  static ZR_value m_da(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 private:
  void compile();

  std::atomic<bool> editing_{false};
};
