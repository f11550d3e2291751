#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "classes/ZR_exec.h"
#include "cmd/ZR_Object.h"
#include "engine/ZR_Build_Scope.h"

class ZR_Buffer;
class ZR_Soundpipe;

/// A graph built by commands for a test: a soundpipe that is current until end(), and everything
/// made through it, deleted by "-delete" commands in reverse order of creation. The test builds
/// within a build scope for the graph's whole life, as every builder does.
class TestGraph {
 public:
  /// "ZR_Soundpipe -bl %i -b": the soundpipe becomes current with this block length.
  explicit TestGraph(int32_t blockLength);
  ~TestGraph();
  TestGraph(const TestGraph&) = delete;
  TestGraph& operator=(const TestGraph&) = delete;

  /// Runs a creating command; the new object is reported through the first argument, then args
  /// follow in the order of the command's placeholders. Fails the test when nothing was created.
  template <typename T, typename... Args>
  T* make(const char* command, Args... args) {
    ZR_Object* object = nullptr;
    EXPECT_EQ(ZR_exec(command, &object, args...), ZR_OK) << command;
    EXPECT_NE(object, nullptr) << command;
    if (object) objects_.push_back(object);
    return static_cast<T*>(object);
  }
  /// "ZR_Buffer": a buffer following the block length (while the soundpipe is current).
  ZR_Buffer* buffer();
  /// "ZR_Soundpipe %o -e": ends graph building.
  void end();

  /// Sets the block length and runs one block.
  void process(int32_t blockLength);

  ZR_Soundpipe* pipe() const { return pipe_; }

 private:
  ZR_Build_Scope building_;
  ZR_Soundpipe* pipe_ = nullptr;
  std::vector<ZR_Object*> objects_;
};

/// Engine tests leave no soundpipe current: the current soundpipe is one global for the program.
class EngineTest : public testing::Test {
 protected:
  void TearDown() override;
};
