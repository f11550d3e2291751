#include "ProductGraph.h"

#include <algorithm>
#include <cstring>

#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"
#include "engine/nodes/ZR_Effect_Bapass.h"
#include "engine/nodes/ZR_Effect_Copy.h"
#include "engine/nodes/ZR_Effect_Lopass.h"

ProductGraph::ProductGraph(int32_t rate, float cutoff, int32_t blockSize)
    : blockSize(blockSize), graph(blockSize) {
  input = graph.make<ZR_Buffer>("ZR_Buffer -t %o", "buf_i");
  filter = graph.make<ZR_Buffer>("ZR_Buffer -t %o", "lpf_buffer");
  inputCopy = graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o", input, filter);
  lopass = graph.make<ZR_Effect_Lopass>("ZR_Effect_Lopass -i %o -o %o", input, filter);
  bapass = graph.make<ZR_Effect_Bapass>("ZR_Effect_Bapass -i %o -o %o -q .618 -mode sub", input, filter);
  output = graph.make<ZR_Buffer>("ZR_Buffer -t %o", "buf_o");
  outputCopy = graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o", filter, output);
  graph.end();
  for (ZR_Effect* node : {static_cast<ZR_Effect*>(inputCopy), static_cast<ZR_Effect*>(lopass),
                          static_cast<ZR_Effect*>(bapass), static_cast<ZR_Effect*>(outputCopy)})
    ZR_exec("ZR_Effect %o -clock %i", node, rate);
  setCutoff(cutoff);
}

void ProductGraph::setCutoff(float cutoff) {
  ZR_Soundpipe::Edit edit(graph.pipe());
  ZR_exec("%o -f %f", lopass, static_cast<double>(cutoff));
  ZR_exec("%o -f %f", bapass, static_cast<double>(cutoff));
}

void ProductGraph::setOn(bool on) {
  ZR_exec("ZR_Effect %o -on %i", lopass, on ? 1 : 0);
  ZR_exec("ZR_Effect %o -on %i", bapass, on ? 1 : 0);
}

void ProductGraph::block(const int32_t* in, int32_t* out, int32_t n) {
  std::memcpy(input->main, in, static_cast<size_t>(n) * sizeof(int32_t));
  graph.process(n);
  std::memcpy(out, output->main, static_cast<size_t>(n) * sizeof(int32_t));
}

std::vector<int32_t> ProductGraph::run(const std::vector<int32_t>& in) {
  std::vector<int32_t> out(in.size());
  for (size_t done = 0; done < in.size(); done += static_cast<size_t>(blockSize)) {
    const int32_t n =
        static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(blockSize), in.size() - done));
    block(in.data() + done, out.data() + done, n);
  }
  return out;
}
