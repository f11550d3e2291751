// Plays a plug-in file the way a host does, as a small demonstration: loads it, finds its entry by
// export name, prints what it announces, then runs a few seconds of sines through it with the
// filter on and off and prints the levels that come out.
//
//   qorm_testhost [--entry NAME] [--seconds S] PLUGIN
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Signal.h"
#include "TestEffect.h"
#include "TestHost.h"

namespace {

constexpr float kRate = 44100.0f;
constexpr size_t kHostBlock = 512;

double decibels(double level) { return 20.0 * std::log10(level > 1e-12 ? level : 1e-12); }

// Runs seconds of a sine through the effect in host blocks; the output level of the last second.
double levelOut(TestEffect& effect, double frequency, double seconds) {
  const size_t total = static_cast<size_t>(seconds * kRate);
  const size_t lastSecond = total > static_cast<size_t>(kRate) ? total - static_cast<size_t>(kRate) : 0;
  std::vector<float> left, right, tail;
  for (size_t done = 0; done < total; done += kHostBlock) {
    const std::vector<float> block = sine(frequency, 0.5, kRate, kHostBlock, done);
    effect.process(block, left, right);
    if (done >= lastSecond) tail.insert(tail.end(), left.begin(), left.end());
  }
  return rms(tail);
}

int usage() {
  std::fprintf(stderr, "usage: qorm_testhost [--entry NAME] [--seconds S] PLUGIN\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string entry = "VSTPluginMain";
  double seconds = 2.0;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--entry") && i + 1 < argc)
      entry = argv[++i];
    else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
      seconds = std::atof(argv[++i]);
    else if (argv[i][0] != '-' && path.empty())
      path = argv[i];
    else
      return usage();
  }
  if (path.empty() || !(seconds > 0.0)) return usage();

  TestHost host;
  if (!host.load(path, entry)) {
    std::fprintf(stderr, "qorm_testhost: %s\n", host.error().c_str());
    return 1;
  }
  TestEffect effect(host.create());
  if (!effect.record) {
    std::fprintf(stderr, "qorm_testhost: the entry %s created no effect\n", entry.c_str());
    return 1;
  }

  // The plug-in traces every dispatcher call on standard output; the demo's own lines start with "#".
  const std::string name = effect.text(effGetEffectName);
  const std::string product = effect.text(effGetProductString);
  std::printf("# %s (%s), unique id 0x%08X, %d in, %d out, %d parameters\n", name.c_str(), product.c_str(),
              static_cast<unsigned>(effect.record->uniqueID), effect.record->numInputs,
              effect.record->numOutputs, effect.record->numParams);
  effect.dispatch(effSetSampleRate, 0, 0, nullptr, kRate);
  effect.dispatch(effSetBlockSize, 0, kHostBlock);
  effect.dispatch(effOpen);
  effect.dispatch(effMainsChanged, 0, 1);
  effect.setParameter(1, 0.25f);  // the cutoff knob at a quarter: 643.75 Hz
  std::printf("# %s = %s %s\n", effect.text(effGetParamName, 1).c_str(),
              effect.text(effGetParamDisplay, 1).c_str(), effect.text(effGetParamLabel, 1).c_str());

  const double frequencies[] = {100.0, 643.75, 2000.0, 8000.0};
  for (float state : {1.0f, 0.0f}) {
    effect.setParameter(0, state);
    std::printf("# filter %s\n", effect.text(effGetParamDisplay, 0).c_str());
    for (double frequency : frequencies) {
      const double in = 0.5 / std::sqrt(2.0);
      const double out = levelOut(effect, frequency, seconds);
      std::printf("#   %7.2f Hz: in %6.1f dB, out %6.1f dB, gain %6.1f dB\n", frequency, decibels(in),
                  decibels(out), decibels(out / in));
    }
  }
  effect.dispatch(effMainsChanged, 0, 0);
  std::printf("# closed: %d\n", static_cast<int>(effect.close()));
  return 0;
}
