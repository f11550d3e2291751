#include "app/ZR_Application_Params.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "app/ZR_Application.h"
#include "app/ZR_Preset.h"
#include "classes/ZR_exec.h"
#include "engine/ZR_Soundpipe.h"

// Every apply skips the nodes its application does not have; the widgets follow on the window
// thread (ZR_Application::refresh).

void ZR_Application_State::apply(void* data) {
  auto* app = static_cast<ZR_Application*>(data);
  if (!app) return;
  // The button writes an integer; hosts keep seeing an on/off parameter.
  if (currentKind() != ZR_KIND_ONOFF) setKind(ZR_KIND_ONOFF);
  const int32_t v = word();
  {
    ZR_Soundpipe::Edit edit(app->soundpipe());
    for (int32_t slot : {ZR_Application::kLowpass, ZR_Application::kBandpass})
      if (ZR_Object* node = app->graph[slot]) ZR_exec("ZR_Effect %o -on %i", node, v);
  }
  app->markDirty(ZR_Application::kState);
}

float ZR_Application_Frequency::cutoff(float v) const {
  const float mn = static_cast<float>(minimum);
  const float mx = static_cast<float>(maximum);
  float p = (v - mn) / (mx - mn);
  p = p * p;
  return (mx - mn) * p + mn;
}

void ZR_Application_Frequency::displayText(char* text, size_t size) const {
  if (size == 0) return;
  const double f = cutoff(real());
  // Fewer decimals until the text fits: rounding may carry into one more whole digit. A cutoff
  // whose whole hertz do not fit (only a preset's wild knob value gives one) is not cut to a
  // plausible smaller number.
  char digits[64];
  for (int decimals = 6; decimals >= 0; --decimals) {
    const int length = std::snprintf(digits, sizeof digits, "%.*f", decimals, f);
    if (length >= 0 && static_cast<size_t>(length) < size) {
      std::memcpy(text, digits, static_cast<size_t>(length) + 1);
      return;
    }
  }
  std::snprintf(text, size, "%s", "Huge!");
}

// Both filters take the cutoff in one edit: the product is their difference, which cancels only
// when both run at the same cutoff in the same block.
void ZR_Application_Frequency::apply(void* data) {
  auto* app = static_cast<ZR_Application*>(data);
  if (!app) return;
  const float f = cutoff(real());
  {
    ZR_Soundpipe::Edit edit(app->soundpipe());
    for (int32_t slot : {ZR_Application::kLowpass, ZR_Application::kBandpass})
      if (ZR_Object* node = app->graph[slot]) ZR_exec("%o -f %f", node, static_cast<double>(f));
  }
  app->markDirty(ZR_Application::kFrequency);
}

void ZR_Application_Save::changed(void* data) {
  auto* app = static_cast<ZR_Application*>(data);
  if (!app) return;
  app->showButton(ZR_Application::kSaveButton, 1);
  if (const char* path = app->presetDialog->save()) ZR_Preset::save(*app, path);
  app->showButton(ZR_Application::kSaveButton, 0);
  app->forgetMouse();
}

void ZR_Application_Load::changed(void* data) {
  auto* app = static_cast<ZR_Application*>(data);
  if (!app) return;
  app->showButton(ZR_Application::kLoadButton, 1);
  if (const char* path = app->presetDialog->open()) ZR_Preset::load(*app, path);
  app->showButton(ZR_Application::kLoadButton, 0);
  app->forgetMouse();
}
