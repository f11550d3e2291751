// Every option of every node set to extreme values through commands, then blocks of extreme
// samples, with buffers of every kind of length. Nothing may trap, hang or touch memory outside the
// buffers: the sanitizer builds run this program too.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

struct ExtremeValue {
  const char* name;
  bool real;  // given as "%f" (a double, stored as a float), else as "%i"
  double r;
  int32_t i;
};

const ExtremeValue kValues[] = {
    {"nan", true, NAN, 0},
    {"inf", true, INFINITY, 0},
    {"minus_inf", true, -INFINITY, 0},
    {"big", true, 1e30, 0},
    {"minus_big", true, -1e30, 0},
    {"int_min", false, 0, INT32_MIN},
    {"int_max", false, 0, INT32_MAX},
    {"zero", false, 0, 0},
    {"zero_real", true, 0, 0},
    {"minus_one", false, 0, -1},
    {"minus_one_real", true, -1, 0},
};

// A node as a command makes it: every "%o" is a buffer of its own, in order; the options are the
// ones the extremes are applied to.
struct NodeRow {
  const char* name;
  const char* command;
  std::vector<const char*> options;
};

const NodeRow kNodes[] = {
    {"gtzero", "ZR_Effect_Gtzero -i %o -o %o", {"l"}},
    {"ltzero", "ZR_Effect_Ltzero -i %o -o %o", {"l"}},
    {"lgd", "ZR_Effect_Lgd -i %o -o %o", {"i", "o", "c"}},
    {"dist", "ZR_Effect_Dist -i %o -o %o -clock 44100", {"i", "o", "d", "s", "k", "l", "clock"}},
    {"ampdet", "ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100", {"i", "o", "a", "f1", "f2", "clock"}},
    {"oversam", "ZR_Effect_Oversam -i %o -o %o", {"i", "o", "k"}},
    {"gener_white", "ZR_Gener_White -o %o", {"o"}},
    {"gener_exp", "ZR_Gener_Exp -o %o -clock 44100", {"beg", "time", "o", "clock"}},
    {"freqmul", "ZR_Effect_Freqmul -i %o -o %o -clock 44100", {"i", "o", "k", "clock"}},
    {"nefreqmul", "ZR_Effect_Nefreqmul -i %o -o %o -clock 44100", {"i", "o", "k", "rand", "stab", "clock"}},
    {"shift", "ZR_Effect_Shift -i %o -o %o -clock 44100 -s 100", {"i", "o", "s", "p", "clock"}},
    {"nshift", "ZR_Effect_Nshift -i %o -o %o -clock 44100 -s -100", {"i", "o", "s", "p", "clock"}},
    {"deline",
     "ZR_Effect_Deline -i %o -clock 44100 -g 0 -go %o -gf 0.9 -d 0 -dt 9 -da 1.0 -d 0 -dt 0.001 -da 0.5",
     {"i", "g", "go", "ga", "gf", "gc", "d", "dt", "da", "mode", "clock", "on"}},
    {"deline_two_groups",
     "ZR_Effect_Deline -i %o -mode sbn -g 0 -go %o -gf 1.0 -d 0 -dt 0 -da 1.0 -g 0 -go %o -d 0",
     {"g", "ga", "gf", "gc", "d", "dt", "da", "clock"}},
    {"fourier_transform",
     "ZR_Fourier_Transform -i %o -s 4 -win sin",
     {"i", "w", "d", "win", "s", "mode", "clock", "on"}},
    {"fourier_transform_backward",
     "ZR_Fourier_Transform -i %o -d backward -s 10",
     {"i", "w", "d", "win", "s", "on"}},
    {"fourier_noisegate",
     "ZR_Fourier_Noisegate -i %o -s %o -o1 %o -o2 %o -a 1",
     {"i", "o1", "o2", "s", "a", "w", "mode", "clock", "on"}},
};

constexpr int32_t kBlock = 64;

// Length settings of the node's buffers, first buffer and the others: following the block, longer
// than eight blocks, shorter than a block, without storage.
const struct {
  int32_t first, others;
} kLayouts[] = {{-1, -1}, {-1, 8 * kBlock + 8}, {-1, 7}, {7, -1}, {0, -1}, {-1, 0}};

std::vector<int32_t> extremeBlock(int which) {
  std::vector<int32_t> x(kBlock);
  for (int32_t i = 0; i < kBlock; ++i) {
    const int32_t alternating = i % 2 ? INT32_MAX : INT32_MIN;
    const int32_t values[] = {1 << 30,   -(1 << 30),  INT32_MIN,
                              INT32_MAX, alternating, i % 3 ? 1 << 30 : -(1 << 30)};
    x[i] = values[which];
  }
  return x;
}

size_t placeholders(const char* command) {
  size_t count = 0;
  for (const char* p = std::strstr(command, "%o"); p; p = std::strstr(p + 2, "%o")) ++count;
  return count;
}

ZR_Object* makeNode(TestGraph& graph, const char* command, const std::vector<ZR_Buffer*>& b) {
  switch (b.size()) {
    case 1:
      return graph.make<ZR_Object>(command, b[0]);
    case 2:
      return graph.make<ZR_Object>(command, b[0], b[1]);
    case 3:
      return graph.make<ZR_Object>(command, b[0], b[1], b[2]);
    default:
      return graph.make<ZR_Object>(command, b[0], b[1], b[2], b[3]);
  }
}

void apply(ZR_Object* node, const char* option, const ExtremeValue& value) {
  const std::string command = std::string("%o -") + option + (value.real ? " %f" : " %i");
  const ZR_error result =
      value.real ? ZR_exec(command.c_str(), node, value.r) : ZR_exec(command.c_str(), node, value.i);
  EXPECT_EQ(result, ZR_OK) << command;
}

// Builds the node with its buffers laid out as given, applies the options (each to the same value),
// and runs the extreme blocks; every option is queried afterwards.
void runExtremes(const NodeRow& row, const std::vector<const char*>& options, const ExtremeValue& value) {
  for (const auto& layout : kLayouts) {
    SCOPED_TRACE(testing::Message() << row.name << " " << value.name << " layout " << layout.first << "/"
                                    << layout.others);
    TestGraph graph(kBlock);
    std::vector<ZR_Buffer*> buffers;
    for (size_t k = 0; k < placeholders(row.command); ++k)
      buffers.push_back(graph.make<ZR_Buffer>("ZR_Buffer -l %i", k == 0 ? layout.first : layout.others));
    ZR_Object* node = makeNode(graph, row.command, buffers);
    graph.end();
    for (const char* option : options) apply(node, option, value);
    for (int which = 0; which < 6; ++which) {
      const std::vector<int32_t> x = extremeBlock(which);
      for (ZR_Buffer* buffer : buffers)
        for (int32_t i = 0; i < buffer->count; ++i) buffer->main[i] = x[static_cast<size_t>(i) % x.size()];
      graph.process(which == 5 ? kBlock / 2 : kBlock);
    }
    for (const char* option : row.options) {
      const std::string query = std::string("%o -") + option + " %";  // a query whose answer is dropped
      EXPECT_EQ(ZR_exec(query.c_str(), node), ZR_OK) << query;
    }
  }
}

class NodeExtremes : public EngineTest, public testing::WithParamInterface<NodeRow> {};

TEST_P(NodeExtremes, EachOptionAtEachExtremeThenExtremeBlocks) {
  for (const char* option : GetParam().options)
    for (const ExtremeValue& value : kValues) runExtremes(GetParam(), {option}, value);
}

TEST_P(NodeExtremes, AllOptionsAtOnceAtEachExtreme) {
  for (const ExtremeValue& value : kValues) runExtremes(GetParam(), GetParam().options, value);
}

INSTANTIATE_TEST_SUITE_P(Nodes, NodeExtremes, testing::ValuesIn(kNodes),
                         [](const testing::TestParamInfo<NodeRow>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
