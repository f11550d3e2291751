#include "cmd/ZR_message_box.h"

#include <atomic>

#include "cmd/ZR_platform.h"

static std::atomic<ZR_message_sink> messageSink{nullptr};

ZR_message_sink ZR_set_message_sink(ZR_message_sink sink) { return messageSink.exchange(sink); }

void ZR_message_box(const char* text, const char* caption) {
  if (ZR_message_sink sink = messageSink.load()) {
    sink(text, caption);
    return;
  }
  ZR_platform_message_box(text, caption);
}
