#include "TestGraph.h"

#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"

TestGraph::TestGraph(int32_t blockLength) {
  int32_t began = 0;
  EXPECT_EQ(ZR_exec("ZR_Soundpipe -bl %i -b", &pipe_, blockLength, &began), ZR_OK);
  EXPECT_EQ(began, 0) << "a new soundpipe is current already";
}

TestGraph::~TestGraph() {
  end();
  for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) ZR_exec("%o -delete", *it);
  ZR_exec("%o -delete", pipe_);
}

ZR_Buffer* TestGraph::buffer() { return make<ZR_Buffer>("ZR_Buffer"); }

void TestGraph::end() {
  int32_t ended = 0;
  ZR_exec("ZR_Soundpipe %o -e", pipe_, &ended);
}

void TestGraph::process(int32_t blockLength) {
  ZR_Soundpipe::m_bl(pipe_, ZR_value::integer(blockLength));
  pipe_->process();
}

void EngineTest::TearDown() {
  EXPECT_EQ(ZR_Soundpipe::current, nullptr) << "a test left a graph being built";
}
