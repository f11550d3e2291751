#include "app/ZR_Preset.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "app/ZR_Application.h"
#include "cmd/ZR_message_box.h"

namespace {

constexpr ZR_Application::ParamIndex kStored[] = {ZR_Application::kState, ZR_Application::kFrequency};

const char* report(const char* message) {
  if (message) ZR_message_box(message, "Error");
  return message;
}

const char* readFrom(std::FILE* file, ZR_Application& app) {
  if (std::fseek(file, 0, SEEK_END) != 0 || std::ftell(file) != ZR_Preset::kFileSize)
    return "Bad content in preset file.";
  char header[256] =
      {};  // zeros after the header end the comparison even when the file's zero byte is missing
  static_assert(ZR_Product::presetHeaderSize <= sizeof header, "the header fits its buffer");
  if (std::fseek(file, 0, SEEK_SET) != 0 ||
      std::fread(header, 1, ZR_Product::presetHeaderSize, file) != ZR_Product::presetHeaderSize)
    return "Cannot read header in preset file.";
  if (std::strcmp(header, ZR_Product::productString) != 0) return "Wrong header in preset file.";
  int32_t words[std::size(kStored)];
  for (int32_t& word : words)
    if (std::fread(&word, 1, sizeof word, file) != sizeof word) return "Cannot read params from preset file.";
  // Any State and any knob number are taken, but not a knob value that is no number at all: it
  // would reach the host as a NaN parameter while the filter kept its old cutoff.
  float knob;
  std::memcpy(&knob, &words[1], sizeof knob);
  if (!std::isfinite(knob)) return "Bad content in preset file.";
  for (size_t i = 0; i < std::size(kStored); ++i) {
    ZR_Application::Param& param = *app.param(kStored[i]);
    param.setWord(words[i]);
    param.changed(&app);
  }
  return nullptr;
}

// Unbuffered, so a write that fails (a full disk, a size limit) fails at its own step.
const char* writeTo(std::FILE* file, ZR_Application& app) {
  std::setvbuf(file, nullptr, _IONBF, 0);
  if (std::fwrite(ZR_Product::productString, 1, ZR_Product::presetHeaderSize, file) !=
      ZR_Product::presetHeaderSize)
    return "Cannot write header to preset file.";
  for (ZR_Application::ParamIndex index : kStored) {
    const int32_t word = app.param(index)->word();
    if (std::fwrite(&word, 1, sizeof word, file) != sizeof word) return "Cannot write params to preset file.";
  }
  return nullptr;
}

}  // namespace

const char* ZR_Preset::load(ZR_Application& app, const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return report("Cannot open this file.");
  const char* message = readFrom(file, app);
  std::fclose(file);
  return report(message);
}

const char* ZR_Preset::save(ZR_Application& app, const char* path) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return report("Cannot open preset file.");
  const char* message = writeTo(file, app);
  if (std::fclose(file) != 0 && !message) message = "Cannot write params to preset file.";
  return report(message);
}
