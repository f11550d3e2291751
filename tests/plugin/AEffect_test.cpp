#include "plugin/AEffect.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "VstProbeEffect.h"
#include "VstTestHost.h"

namespace {

// The published offsets: pointer-sized fields move on 64-bit targets, the rest follow.
struct FieldOffset {
  const char* field;
  size_t offset32;
  size_t offset64;
  size_t actual;
};

TEST(AEffect, FieldsSitAtThePublishedOffsets) {
  const FieldOffset fields[] = {
      {"magic", 0, 0, offsetof(AEffect, magic)},
      {"dispatcher", 4, 8, offsetof(AEffect, dispatcher)},
      {"process", 8, 16, offsetof(AEffect, process)},
      {"setParameter", 12, 24, offsetof(AEffect, setParameter)},
      {"getParameter", 16, 32, offsetof(AEffect, getParameter)},
      {"numPrograms", 20, 40, offsetof(AEffect, numPrograms)},
      {"numParams", 24, 44, offsetof(AEffect, numParams)},
      {"numInputs", 28, 48, offsetof(AEffect, numInputs)},
      {"numOutputs", 32, 52, offsetof(AEffect, numOutputs)},
      {"flags", 36, 56, offsetof(AEffect, flags)},
      {"resvd1", 40, 64, offsetof(AEffect, resvd1)},
      {"resvd2", 44, 72, offsetof(AEffect, resvd2)},
      {"initialDelay", 48, 80, offsetof(AEffect, initialDelay)},
      {"realQualities", 52, 84, offsetof(AEffect, realQualities)},
      {"offQualities", 56, 88, offsetof(AEffect, offQualities)},
      {"ioRatio", 60, 92, offsetof(AEffect, ioRatio)},
      {"object", 64, 96, offsetof(AEffect, object)},
      {"user", 68, 104, offsetof(AEffect, user)},
      {"uniqueID", 72, 112, offsetof(AEffect, uniqueID)},
      {"version", 76, 116, offsetof(AEffect, version)},
      {"processReplacing", 80, 120, offsetof(AEffect, processReplacing)},
      {"processDoubleReplacing", 84, 128, offsetof(AEffect, processDoubleReplacing)},
      {"future", 88, 136, offsetof(AEffect, future)},
  };
  const bool wide = sizeof(void*) == 8;
  for (const FieldOffset& f : fields) EXPECT_EQ(f.actual, wide ? f.offset64 : f.offset32) << f.field;
  EXPECT_EQ(sizeof(AEffect), wide ? 192u : 144u);
}

// The dispatcher's value and reply and the host callback's value and reply are pointer-sized: a 64-bit
// host passes pointers through them.
static_assert(sizeof(VstIntPtr) == sizeof(void*));
static_assert(std::is_same_v<AEffectDispatcherProc,
                             VstIntPtr (*)(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float)>);
static_assert(std::is_same_v<audioMasterCallback, AEffectDispatcherProc>);

// An effect that answers the vendor-specific call with the value it was given, turned around.
class WideEchoEffect : public VstProbeEffect {
 public:
  using VstProbeEffect::VstProbeEffect;
  VstIntPtr vendorSpecific(VstInt32, VstIntPtr value, void*, float) override { return ~value; }
};

TEST(AEffect, PointerSizedWordsCrossTheRecordAndTheCallbackWhole) {
  // Alternate bits over the whole word: the high half too on 64-bit targets.
  const VstIntPtr wide = static_cast<VstIntPtr>(~static_cast<uintptr_t>(0) / 3);  // 0x5555...
  VstTestHost host;
  host.replies[audioMasterVendorSpecific] = ~wide;
  WideEchoEffect effect(VstTestHost::callback);
  AEffect* record = effect.getAeffect();
  EXPECT_EQ(record->dispatcher(record, effVendorSpecific, 0, wide, nullptr, 0.0f), ~wide);
  EXPECT_EQ(effect.hostVendorSpecific(0, wide, nullptr, 0.0f), ~wide);
  ASSERT_EQ(host.callsOf(audioMasterVendorSpecific).size(), 1u);
  EXPECT_EQ(host.callsOf(audioMasterVendorSpecific)[0].value, wide);
}

TEST(AEffect, FourCharacterCodesPutTheFirstCharacterHigh) {
  EXPECT_EQ(kEffectMagic, 0x56737450);
  EXPECT_EQ(vstFourCC('x', '4', '4', 'e'), 0x78343465);
}

TEST(AEffect, KeyAndSpeakerRecordsHaveTheirSizes) {
  EXPECT_EQ(sizeof(VstSpeakerProperties), 112u);
  EXPECT_EQ(offsetof(VstSpeakerArrangement, speakers), 8u);
  EXPECT_EQ(sizeof(ERect), 8u);
  EXPECT_EQ(offsetof(VstKeyCode, virt), 4u);
  EXPECT_EQ(offsetof(VstKeyCode, modifier), 5u);
}

}  // namespace
