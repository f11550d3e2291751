#include "NodeRig.h"

#include <algorithm>
#include <string>

#include "engine/ZR_Buffer.h"

NodeRig::NodeRig(const char* command, int32_t maxBlock)
    : graph(maxBlock),
      in(graph.buffer()),
      out(graph.buffer()),
      node(graph.make<ZR_Object>(command, in, out)),
      maxBlock(maxBlock) {
  graph.end();
}

std::vector<int32_t> NodeRig::run(const std::vector<int32_t>& x, int32_t block) {
  block = std::min(block, maxBlock);
  std::vector<int32_t> y(x.size());
  for (size_t done = 0; done < x.size();) {
    const int32_t n = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(block), x.size() - done));
    std::copy(x.begin() + done, x.begin() + done + n, in->main);
    graph.process(n);
    std::copy(out->main, out->main + n, y.begin() + done);
    done += static_cast<size_t>(n);
  }
  return y;
}

int32_t NodeRig::integer(const char* option) {
  const std::string command = std::string("%o -") + option;
  int32_t result = 0;
  EXPECT_EQ(ZR_exec(command.c_str(), node, &result), ZR_OK) << command;
  return result;
}

float NodeRig::real(const char* option) {
  const std::string command = std::string("%o -") + option;
  float result = 0;
  EXPECT_EQ(ZR_exec(command.c_str(), node, &result), ZR_OK) << command;
  return result;
}
