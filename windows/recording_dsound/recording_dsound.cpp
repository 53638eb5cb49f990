// The recording dsound.dll (see recording_dsound.h). Devices and buffers are kept after their
// release, marked dead, so that a call on a released object is caught as a problem instead of
// reaching freed memory; the process is a short test run.
#include "windows/recording_dsound/recording_dsound.h"

#include <dsound.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr unsigned char kUnwritten = 0xA5;  // what a new buffer holds before the module copies in

struct Recorder {
  std::vector<std::unique_ptr<RecordedPlay>> plays;
  std::vector<std::vector<unsigned char>> play_bytes;
  std::string problems;
  int32_t failing = kRecordingFailNothing;
  uint32_t live = 0;
};

Recorder& recorder() {
  static Recorder instance;
  return instance;
}

void problem(const std::string& text) {
  std::string& problems = recorder().problems;
  if (!problems.empty()) problems += "; ";
  problems += text;
}

bool failing(RecordingStep step) { return recorder().failing == step; }

// A call on an object (`kind`: "buffer" or "device") that the player has already released.
bool usable_object(bool alive, const char* kind, const char* call) {
  if (alive) return true;
  problem(std::string(call) + " on a released " + kind);
  return false;
}

// A call the player never makes.
HRESULT unexpected_call(const char* kind, const char* call) {
  problem(std::string("unexpected ") + kind + " call " + call);
  return DSERR_UNSUPPORTED;
}

bool playable(const WAVEFORMATEX& f) {
  const bool pcm = f.wFormatTag == WAVE_FORMAT_PCM && (f.wBitsPerSample == 8 || f.wBitsPerSample == 16);
  const bool adpcm = f.wFormatTag == 2 /* Microsoft ADPCM */ && f.wBitsPerSample == 4;
  return (pcm || adpcm) && (f.nChannels == 1 || f.nChannels == 2) && f.nBlockAlign > 0 &&
         f.nSamplesPerSec >= 100 && f.nSamplesPerSec <= 200000;
}

class Device;

class Buffer final : public IDirectSoundBuffer {
 public:
  Buffer(Device* device, const WAVEFORMATEX& format, DWORD bytes)
      : device_(device), format_(format), bytes_(bytes, kUnwritten) {
    ++recorder().live;
  }

  bool alive() const { return references_ > 0; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    if (!usable("AddRef")) return 0;
    return ++references_;
  }
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* part1, LPDWORD part1_bytes,
                                 LPVOID* part2, LPDWORD part2_bytes, DWORD flags) override {
    if (!usable("Lock")) return DSERR_INVALIDCALL;
    if (locked_) problem("a buffer was locked twice");
    if (!part1 || !part1_bytes || flags != 0 || offset >= bytes_.size() || bytes == 0 ||
        bytes > bytes_.size())
      return DSERR_INVALIDPARAM;
    if (failing(kRecordingLock)) return DSERR_GENERIC;
    const DWORD first = std::min<DWORD>(bytes, DWORD(bytes_.size()) - offset);
    *part1 = bytes_.data() + offset;
    *part1_bytes = first;
    if (part2) *part2 = bytes > first ? bytes_.data() : nullptr;
    if (part2_bytes) *part2_bytes = bytes - first;
    locked_ = true;
    lock_part1_ = *part1;
    return DS_OK;
  }

  HRESULT STDMETHODCALLTYPE Unlock(LPVOID part1, DWORD part1_bytes, LPVOID, DWORD) override {
    if (!usable("Unlock")) return DSERR_INVALIDCALL;
    if (!locked_ || part1 != lock_part1_) {
      problem("a buffer was unlocked without its lock");
      return DSERR_INVALIDPARAM;
    }
    if (failing(kRecordingUnlock)) return DSERR_GENERIC;
    locked_ = false;
    const auto* begin = static_cast<const unsigned char*>(part1);
    if (std::all_of(begin, begin + part1_bytes, [](unsigned char c) { return c == kUnwritten; }))
      problem("a buffer was unlocked without the wave copied in");
    filled_ = true;
    return DS_OK;
  }

  HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override {
    if (!usable("SetCurrentPosition")) return DSERR_INVALIDCALL;
    if (position >= bytes_.size()) return DSERR_INVALIDPARAM;
    if (failing(kRecordingPosition)) return DSERR_GENERIC;
    return DS_OK;
  }

  HRESULT STDMETHODCALLTYPE Play(DWORD reserved, DWORD priority, DWORD flags) override {
    if (!usable("Play")) return DSERR_INVALIDCALL;
    if (locked_) problem("a buffer was played while locked");
    if (!filled_) problem("a buffer was played before the wave was copied in");
    if (reserved != 0 || priority != 0 || (flags & ~DWORD(DSBPLAY_LOOPING)) != 0)
      return DSERR_INVALIDPARAM;
    if (failing(kRecordingPlay)) return DSERR_BUFFERLOST;
    Recorder& r = recorder();
    r.play_bytes.push_back(bytes_);
    auto play = std::make_unique<RecordedPlay>();
    *play = {format_.wFormatTag, format_.nChannels, format_.nSamplesPerSec, format_.nBlockAlign,
             format_.wBitsPerSample, r.play_bytes.back().data(), DWORD(bytes_.size())};
    r.plays.push_back(std::move(play));  // moving the byte vectors keeps their data in place
    return DS_OK;
  }

  // Calls the player never makes: answered as a plain DirectSound would, and noted.
  HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS) override { return unexpected("GetCaps"); }
  HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD, LPDWORD) override {
    return unexpected("GetCurrentPosition");
  }
  HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override {
    return unexpected("GetFormat");
  }
  HRESULT STDMETHODCALLTYPE GetVolume(LPLONG) override { return unexpected("GetVolume"); }
  HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override { return unexpected("GetPan"); }
  HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override { return unexpected("GetFrequency"); }
  HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD) override { return unexpected("GetStatus"); }
  HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override {
    return unexpected("Initialize");
  }
  HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX) override { return unexpected("SetFormat"); }
  HRESULT STDMETHODCALLTYPE SetVolume(LONG) override { return unexpected("SetVolume"); }
  HRESULT STDMETHODCALLTYPE SetPan(LONG) override { return unexpected("SetPan"); }
  HRESULT STDMETHODCALLTYPE SetFrequency(DWORD) override { return unexpected("SetFrequency"); }
  HRESULT STDMETHODCALLTYPE Stop() override { return unexpected("Stop"); }
  HRESULT STDMETHODCALLTYPE Restore() override { return unexpected("Restore"); }

 private:
  bool usable(const char* call) { return usable_object(alive(), "buffer", call); }
  HRESULT unexpected(const char* call) { return unexpected_call("buffer", call); }

  Device* device_;
  WAVEFORMATEX format_;
  std::vector<unsigned char> bytes_;
  ULONG references_ = 1;
  bool locked_ = false;
  bool filled_ = false;
  void* lock_part1_ = nullptr;
};

class Device final : public IDirectSound {
 public:
  Device() { ++recorder().live; }

  bool alive() const { return references_ > 0; }
  void buffer_released() { --live_buffers_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    if (!usable("AddRef")) return 0;
    return ++references_;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    if (!usable("Release")) return 0;
    if (--references_ == 0) {
      if (live_buffers_ > 0) problem("a device was released before its buffers");
      --recorder().live;
    }
    return references_;
  }

  HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override {
    if (!usable("SetCooperativeLevel")) return DSERR_INVALIDCALL;
    if (buffers_made_ > 0) problem("the cooperative level was set after a buffer was made");
    if (!window || !IsWindow(window) || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
      return DSERR_INVALIDPARAM;
    if (failing(kRecordingCooperative)) return DSERR_GENERIC;
    level_set_ = true;
    return DS_OK;
  }

  HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description, LPLPDIRECTSOUNDBUFFER out,
                                              IUnknown* outer) override {
    if (!usable("CreateSoundBuffer")) return DSERR_INVALIDCALL;
    if (!out) return DSERR_INVALIDPARAM;
    *out = nullptr;
    if (!level_set_) {
      problem("a buffer was made before the cooperative level was set");
      return DSERR_PRIOLEVELNEEDED;
    }
    if (outer) return DSERR_NOAGGREGATION;
    if (!description || (description->dwSize != sizeof(DSBUFFERDESC) && description->dwSize != 20) ||
        !description->lpwfxFormat || description->dwBufferBytes < DSBSIZE_MIN ||
        description->dwBufferBytes > DSBSIZE_MAX)
      return DSERR_INVALIDPARAM;
    const WAVEFORMATEX& format = *description->lpwfxFormat;
    if (!playable(format) || description->dwBufferBytes % format.nBlockAlign != 0)
      return DSERR_BADFORMAT;
    if (failing(kRecordingBuffer)) return DSERR_OUTOFMEMORY;
    ++buffers_made_;
    ++live_buffers_;
    *out = new Buffer(this, format, description->dwBufferBytes);
    return DS_OK;
  }

  HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS) override { return unexpected("GetCaps"); }
  HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER) override {
    return unexpected("DuplicateSoundBuffer");
  }
  HRESULT STDMETHODCALLTYPE Compact() override { return unexpected("Compact"); }
  HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override {
    return unexpected("GetSpeakerConfig");
  }
  HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override {
    return unexpected("SetSpeakerConfig");
  }
  HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return unexpected("Initialize"); }

 private:
  bool usable(const char* call) { return usable_object(alive(), "device", call); }
  HRESULT unexpected(const char* call) { return unexpected_call("device", call); }

  ULONG references_ = 1;
  bool level_set_ = false;
  int buffers_made_ = 0;
  int live_buffers_ = 0;
};

ULONG STDMETHODCALLTYPE Buffer::Release() {
  if (!usable("Release")) return 0;
  if (--references_ == 0) {
    if (!device_->alive()) problem("a buffer was released after its device");
    device_->buffer_released();
    --recorder().live;
  }
  return references_;
}

}  // namespace

extern "C" {

HRESULT WINAPI DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* out, IUnknown* outer) {
  if (!out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  if (device || outer) return DSERR_INVALIDPARAM;  // the player asks for the default device
  if (failing(kRecordingCreate)) return DSERR_NODRIVER;
  *out = new Device;
  return DS_OK;
}

void RecordingReset() {
  Recorder& r = recorder();
  r.plays.clear();
  r.play_bytes.clear();
  r.problems.clear();
}

uint32_t RecordingPlayCount() { return uint32_t(recorder().plays.size()); }

const RecordedPlay* RecordingPlay(uint32_t index) {
  const Recorder& r = recorder();
  return index < r.plays.size() ? r.plays[index].get() : nullptr;
}

void RecordingFail(int32_t step) { recorder().failing = step; }

const char* RecordingProblems() { return recorder().problems.c_str(); }

uint32_t RecordingLiveObjects() { return recorder().live; }

}  // extern "C"
