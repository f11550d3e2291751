// The wave device's seam over winmm, on the first input and the first output device.
#include <windows.h>

#include <mmsystem.h>

#include <cstddef>

#include "win32/ZR_Wave_Api.h"

// The device hands its own headers to the system, so they must be WAVEHDRs in all but name.
static_assert(sizeof(ZR_Wave_Header) == sizeof(WAVEHDR));
static_assert(offsetof(ZR_Wave_Header, data) == offsetof(WAVEHDR, lpData));
static_assert(offsetof(ZR_Wave_Header, length) == offsetof(WAVEHDR, dwBufferLength));
static_assert(offsetof(ZR_Wave_Header, recorded) == offsetof(WAVEHDR, dwBytesRecorded));
static_assert(offsetof(ZR_Wave_Header, user) == offsetof(WAVEHDR, dwUser));
static_assert(offsetof(ZR_Wave_Header, flags) == offsetof(WAVEHDR, dwFlags));
static_assert(offsetof(ZR_Wave_Header, loops) == offsetof(WAVEHDR, dwLoops));
static_assert(offsetof(ZR_Wave_Header, next) == offsetof(WAVEHDR, lpNext));
static_assert(ZR_Wave_Api::kInputData == WIM_DATA);
static_assert(ZR_Wave_Api::kDone == WHDR_DONE);
static_assert(ZR_Wave_Api::kLoop == (WHDR_BEGINLOOP | WHDR_ENDLOOP));

namespace {

constexpr DWORD kProbeFlags = WAVE_MAPPED | WAVE_FORMAT_DIRECT;
constexpr DWORD kStreamFlags = CALLBACK_FUNCTION | WAVE_MAPPED | WAVE_FORMAT_DIRECT;

WAVEFORMATEX waveFormat(const ZR_Wave_Format& f) {
  WAVEFORMATEX w = {};
  w.wFormatTag = WAVE_FORMAT_PCM;
  w.nChannels = f.channels;
  w.nSamplesPerSec = f.rate;
  w.nAvgBytesPerSec = f.bytesPerSecond;
  w.nBlockAlign = f.blockAlign;
  w.wBitsPerSample = f.bits;
  w.cbSize = 0;
  return w;
}

// The instance data carries the device's handler.
void CALLBACK inProc(HWAVEIN, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
  reinterpret_cast<ZR_Wave_Api::Handler>(instance)(message, param1);
}

// Output completions need no handling: the input handler looks at the headers' done flags.
void CALLBACK outProc(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {}

WAVEHDR* hdr(ZR_Wave_Header* h) { return reinterpret_cast<WAVEHDR*>(h); }
HWAVEIN in(void* h) { return static_cast<HWAVEIN>(h); }
HWAVEOUT out(void* h) { return static_cast<HWAVEOUT>(h); }

class Winmm final : public ZR_Wave_Api {
 public:
  bool inOpen(void** handle, const ZR_Wave_Format& format, Handler handler) override {
    WAVEFORMATEX w = waveFormat(format);
    HWAVEIN h = nullptr;
    const MMRESULT r = handler ? waveInOpen(&h, 0, &w, reinterpret_cast<DWORD_PTR>(&inProc),
                                            reinterpret_cast<DWORD_PTR>(handler), kStreamFlags)
                               : waveInOpen(&h, 0, &w, 0, 0, kProbeFlags);
    *handle = h;
    return r == MMSYSERR_NOERROR;
  }
  bool inClose(void* h) override { return waveInClose(in(h)) == MMSYSERR_NOERROR; }
  bool inPrepare(void* h, ZR_Wave_Header* header) override {
    return waveInPrepareHeader(in(h), hdr(header), sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
  }
  bool inAdd(void* h, ZR_Wave_Header* header) override {
    return waveInAddBuffer(in(h), hdr(header), sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
  }
  bool inStart(void* h) override { return waveInStart(in(h)) == MMSYSERR_NOERROR; }
  bool inStop(void* h) override { return waveInStop(in(h)) == MMSYSERR_NOERROR; }
  bool inReset(void* h) override { return waveInReset(in(h)) == MMSYSERR_NOERROR; }
  bool outOpen(void** handle, const ZR_Wave_Format& format, bool streaming) override {
    WAVEFORMATEX w = waveFormat(format);
    HWAVEOUT h = nullptr;
    const MMRESULT r = streaming
                           ? waveOutOpen(&h, 0, &w, reinterpret_cast<DWORD_PTR>(&outProc), 0, kStreamFlags)
                           : waveOutOpen(&h, 0, &w, 0, 0, kProbeFlags);
    *handle = h;
    return r == MMSYSERR_NOERROR;
  }
  bool outClose(void* h) override { return waveOutClose(out(h)) == MMSYSERR_NOERROR; }
  bool outPrepare(void* h, ZR_Wave_Header* header) override {
    return waveOutPrepareHeader(out(h), hdr(header), sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
  }
  bool outWrite(void* h, ZR_Wave_Header* header) override {
    return waveOutWrite(out(h), hdr(header), sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
  }
  bool outReset(void* h) override { return waveOutReset(out(h)) == MMSYSERR_NOERROR; }
  void sleep(unsigned ms) override { Sleep(ms); }
};

}  // namespace

ZR_Wave_Api& ZR_Wave_Api::system() {
  static Winmm winmm;
  return winmm;
}
