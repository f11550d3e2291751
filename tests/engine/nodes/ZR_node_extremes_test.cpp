// Every option of every node given extreme values through commands, each followed by blocks of
// extreme samples: nothing may trap, hang, or read or write outside a buffer. The sanitizer builds
// (address, undefined with float-cast-overflow, thread) make any such fault a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "TestGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"

namespace {

struct ExtremeValue {
  const char* name;
  char kind;  // 'f': passed as %f, 'i': as %i, 'q': no value (a query whose result is dropped)
  double real;
  int32_t integer;
};

const ExtremeValue kValues[] = {
    {"nan", 'f', std::numeric_limits<double>::quiet_NaN(), 0},
    {"inf", 'f', std::numeric_limits<double>::infinity(), 0},
    {"minus_inf", 'f', -std::numeric_limits<double>::infinity(), 0},
    {"1e30", 'f', 1e30, 0},
    {"minus_1e30", 'f', -1e30, 0},
    {"int32_max", 'i', 0, INT32_MAX},
    {"int32_min", 'i', 0, INT32_MIN},
    {"zero", 'i', 0, 0},
    {"minus_one", 'i', 0, -1},
    {"query", 'q', 0, 0},
};

// A node row: its name, the command that creates it from buffers (each %o a new buffer that
// follows the block length), and the options to try, separated by spaces.
struct NodeRow {
  const char* name;
  const char* create;
  const char* options;
};

const NodeRow kNodes[] = {
    {"deline",
     "ZR_Effect_Deline -i %o -clock 44100 -g 0 -go %o -gf 0.9 -d 0 -dt 9 -da 1.0 -d 0 -dt 0.001 -da 0.5",
     "i g go ga gf gc d dt da mode clock on"},
    {"deline_two_groups",
     "ZR_Effect_Deline -i %o -mode sbn -g 0 -go %o -gf 1.0 -d 0 -dt 0 -da 1.0 -g 0 -go %o -d 0",
     "g ga gf gc d dt da clock"},
    {"fourier_transform", "ZR_Fourier_Transform -i %o -s 4 -win sin", "i w d win s mode clock on"},
    {"fourier_transform_backward", "ZR_Fourier_Transform -i %o -d backward -s 10", "i w d win s on"},
    {"fourier_noisegate", "ZR_Fourier_Noisegate -i %o -s %o -o1 %o -o2 %o -a 1",
     "i o1 o2 s a w mode clock on"},
};

constexpr int32_t kBlock = 512;

// Full-scale patterns, in the order they are fed.
std::vector<std::vector<int32_t>> extremeBlocks() {
  std::vector<int32_t> alternating(kBlock);
  for (int32_t i = 0; i < kBlock; ++i) alternating[static_cast<size_t>(i)] = i % 2 ? INT32_MIN : INT32_MAX;
  return {std::vector<int32_t>(kBlock, INT32_MAX), std::vector<int32_t>(kBlock, INT32_MIN), alternating,
          testNoise(kBlock, 13, INT32_MAX), std::vector<int32_t>(kBlock, -1)};
}

std::vector<std::string> words(const char* text) {
  std::istringstream in(text);
  std::vector<std::string> result;
  for (std::string word; in >> word;) result.push_back(word);
  return result;
}

class NodeExtremes : public EngineTest, public testing::WithParamInterface<NodeRow> {};

TEST_P(NodeExtremes, ExtremeOptionsAndSamplesAreSafe) {
  const NodeRow& row = GetParam();
  const std::string create = row.create;
  size_t buffers = 0;
  for (size_t at = create.find("%o"); at != std::string::npos; at = create.find("%o", at + 2)) ++buffers;
  ASSERT_LE(buffers, 4u);
  const std::vector<std::vector<int32_t>> blocks = extremeBlocks();
  for (const std::string& option : words(row.options)) {
    for (const ExtremeValue& value : kValues) {
      SCOPED_TRACE(option + " " + value.name);
      TestGraph graph(kBlock);
      std::vector<ZR_Buffer*> b;
      for (size_t k = 0; k < buffers; ++k) b.push_back(graph.buffer());
      b.resize(4, nullptr);
      ZR_Object* node = graph.make<ZR_Object>(row.create, b[0], b[1], b[2], b[3]);
      graph.end();
      ASSERT_NE(node, nullptr);
      const std::string command = "%o -" + option +
                                  (value.kind == 'q'   ? " %"
                                   : value.kind == 'f' ? " %f"
                                                       : " %i");
      if (value.kind == 'f')
        ZR_exec(command.c_str(), node, value.real);
      else if (value.kind == 'i')
        ZR_exec(command.c_str(), node, value.integer);
      else
        ZR_exec(command.c_str(), node);
      for (const std::vector<int32_t>& x : blocks) {
        for (size_t k = 0; k < buffers; ++k)
          if (b[k]->count >= kBlock) std::copy(x.begin(), x.end(), b[k]->main);
        graph.process(kBlock);
        graph.process(kBlock / 3);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Nodes, NodeExtremes, testing::ValuesIn(kNodes),
                         [](const testing::TestParamInfo<NodeRow>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
