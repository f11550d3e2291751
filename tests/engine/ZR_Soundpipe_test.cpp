#include "engine/ZR_Soundpipe.h"

#include <gtest/gtest.h>

#include <vector>

#include "CountingEffect.h"
#include "TestGraph.h"
#include "classes/ZR_exec.h"
#include "engine/ZR_Buffer.h"

namespace {

using Soundpipe = EngineTest;

std::vector<ZR_Effect*> chainOrder(ZR_Soundpipe* pipe) {
  std::vector<ZR_Effect*> order;
  pipe->effects.forEach<ZR_Effect>([&](ZR_Effect* e) { order.push_back(e); });
  return order;
}

TEST_F(Soundpipe, ANewSoundpipeIsCurrentAtOnce) {
  TestGraph graph(512);
  EXPECT_EQ(ZR_Soundpipe::current, graph.pipe());
  int32_t blockLength = 0;
  ZR_exec("%o -bl", graph.pipe(), &blockLength);
  EXPECT_EQ(blockLength, 512);
}

TEST_F(Soundpipe, BeginAndEndReportWhetherTheyChangedTheCurrentOne) {
  TestGraph first(8);
  int32_t result = -1;
  ZR_exec("%o -b", first.pipe(), &result);
  EXPECT_EQ(result, 0) << "already current";
  {
    TestGraph second(8);
    ZR_exec("%o -e", first.pipe(), &result);
    EXPECT_EQ(result, 0) << "not current";
    EXPECT_EQ(ZR_Soundpipe::current, second.pipe());
    ZR_exec("%o -e", second.pipe(), &result);
    EXPECT_EQ(result, 1);
    ZR_exec("%o -b 1", first.pipe());
    EXPECT_EQ(ZR_Soundpipe::current, first.pipe()) << "\"b\" acts with a value too";
  }
  EXPECT_EQ(ZR_Soundpipe::current, first.pipe()) << "deleting another soundpipe leaves the current one";
}

TEST_F(Soundpipe, TheWordCurrentSelectsTheCurrentSoundpipe) {
  TestGraph graph(8);
  ZR_Soundpipe* same = nullptr;
  ZR_exec("ZR_Soundpipe current", &same);
  EXPECT_EQ(same, graph.pipe());
  graph.end();
  same = nullptr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(ZR_exec("ZR_Soundpipe current", &same), ZR_ERROR_COMMAND_NOT_FOUND);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("created no object"), std::string::npos);
  EXPECT_EQ(same, nullptr) << "with none current nothing is made";
}

TEST_F(Soundpipe, EffectsCreatedBeforeAnInsertionPointKeepTheirOrder) {
  TestGraph graph(8);
  CountingEffect* x = new CountingEffect;
  ZR_exec("%o -be %o", graph.pipe(), x);
  CountingEffect* a = new CountingEffect;
  CountingEffect* b = new CountingEffect;
  CountingEffect* c = new CountingEffect;
  EXPECT_EQ(chainOrder(graph.pipe()), (std::vector<ZR_Effect*>{a, b, c, x}));
  void* point = nullptr;
  ZR_exec("%o -be", graph.pipe(), &point);
  EXPECT_EQ(point, x);
  delete x;
  EXPECT_EQ(graph.pipe()->insertionPoint, nullptr) << "a deleted insertion point is forgotten";
  CountingEffect* d = new CountingEffect;
  EXPECT_EQ(chainOrder(graph.pipe()), (std::vector<ZR_Effect*>{a, b, c, d}));
  for (ZR_Effect* e : {a, b, c, d}) delete e;
}

TEST_F(Soundpipe, OnlyAMemberCanBeTheInsertionPoint) {
  TestGraph other(8);
  CountingEffect* stranger = new CountingEffect;
  TestGraph graph(8);
  ZR_exec("%o -be %o", graph.pipe(), stranger);
  EXPECT_EQ(graph.pipe()->insertionPoint, nullptr);
  ZR_exec("%o -be %o", graph.pipe(), graph.pipe());
  EXPECT_EQ(graph.pipe()->insertionPoint, nullptr) << "a soundpipe is not an effect";
  delete stranger;
}

TEST_F(Soundpipe, ProcessPreparesOnceAndRunsTheChainInOrder) {
  TestGraph graph(4);
  ZR_Buffer* buffer = graph.buffer();
  CountingEffect* add = new CountingEffect(buffer, 3);
  CountingEffect* twice = new CountingEffect(buffer, 10);
  graph.process(4);
  graph.process(4);
  EXPECT_EQ(add->prepares, 1);
  EXPECT_EQ(add->processes, 2);
  EXPECT_EQ(twice->processes, 2);
  EXPECT_EQ(buffer->main[0], 26);
  EXPECT_EQ(graph.pipe()->process(), 0);
  delete add;
  delete twice;
}

TEST_F(Soundpipe, AnEffectThatStaysOffIsNeitherPreparedNorProcessed) {
  TestGraph graph(4);
  CountingEffect* node = new CountingEffect;
  ZR_exec("ZR_Effect %o -on 0", node);
  graph.process(4);  // the switch-off block: one more run, then reset
  EXPECT_EQ(node->processes, 1);
  EXPECT_EQ(node->resets, 1);
  graph.process(4);
  graph.process(4);
  EXPECT_EQ(node->processes, 1);
  EXPECT_EQ(node->prepares, 1);
  EXPECT_EQ(node->resets, 1);
  delete node;
}

TEST_F(Soundpipe, ClearZeroesEveryBufferAndResetsEveryEffectOnce) {
  TestGraph graph(4);
  ZR_Buffer* a = graph.buffer();
  ZR_Buffer* b = graph.buffer();
  CountingEffect* first = new CountingEffect(a, 5);
  CountingEffect* second = new CountingEffect(b, 6);
  graph.process(4);
  graph.pipe()->clear();
  for (ZR_Buffer* buffer : {a, b})
    for (int32_t i = 0; i < buffer->count; ++i) ASSERT_EQ(buffer->main[i], 0);
  EXPECT_EQ(first->resets, 1);
  EXPECT_EQ(second->resets, 1);
  delete first;
  delete second;
}

TEST_F(Soundpipe, DeletedFirstItLetsGoOfItsMembers) {
  ZR_Soundpipe* pipe = nullptr;
  ZR_exec("ZR_Soundpipe", &pipe);
  ZR_Buffer* buffer = nullptr;
  ZR_exec("ZR_Buffer", &buffer);
  CountingEffect* node = new CountingEffect(buffer);
  ZR_exec("%o -delete", pipe);
  EXPECT_EQ(ZR_Soundpipe::current, nullptr);
  EXPECT_EQ(node->soundpipe, nullptr);
  EXPECT_EQ(buffer->link.chain, nullptr);
  delete node;  // must not touch the freed lists
  ZR_exec("%o -delete", buffer);
}

}  // namespace
