// The recording dsound.dll: a DirectSound of the project's own that the Windows check runs put
// beside gaugecheck.exe (and that Wine takes instead of its own with WINEDLLOVERRIDES=dsound=n).
// It keeps each sound buffer in memory, records each buffer's wave format and its bytes at every
// accepted play, checks that the module's calls come in the player's order (device, cooperative
// level, buffer, lock, copy, unlock, play, release) and can be told to fail any step, as a
// machine's DirectSound may.
//
// Its controls are exported functions, found with GetProcAddress (RecordingControls below).
#pragma once

#include <windows.h>

#include <cstdint>

extern "C" {

// One accepted play call: the buffer's wave format and its bytes at that moment.
struct RecordedPlay {
  uint16_t format_tag;
  uint16_t channels;
  uint32_t samples_per_second;
  uint16_t block_align;
  uint16_t bits_per_sample;
  const unsigned char* data;  // valid until the next RecordingReset
  uint32_t size;
};

// The steps a test may make fail (every call of that step fails until told otherwise).
enum RecordingStep : int32_t {
  kRecordingFailNothing = -1,
  kRecordingCreate = 0,      // DirectSoundCreate
  kRecordingCooperative,     // SetCooperativeLevel
  kRecordingBuffer,          // CreateSoundBuffer
  kRecordingLock,            // Lock
  kRecordingUnlock,          // Unlock
  kRecordingPosition,        // SetCurrentPosition
  kRecordingPlay,            // Play
  kRecordingStepCount,
};

using RecordingResetFn = void (*)();                         // forget plays and problems
using RecordingPlayCountFn = uint32_t (*)();
using RecordingPlayFn = const RecordedPlay* (*)(uint32_t index);
using RecordingFailFn = void (*)(int32_t step);              // a RecordingStep
using RecordingProblemsFn = const char* (*)();               // "" while the calls are in order
using RecordingLiveObjectsFn = uint32_t (*)();               // devices and buffers not released

}  // extern "C"

// The recording dsound.dll's controls, when the dsound.dll this process loads is the recorder.
struct RecordingControls {
  RecordingResetFn reset = nullptr;
  RecordingPlayCountFn play_count = nullptr;
  RecordingPlayFn play = nullptr;
  RecordingFailFn fail = nullptr;
  RecordingProblemsFn problems = nullptr;
  RecordingLiveObjectsFn live_objects = nullptr;

  // Loads dsound.dll (kept loaded) and finds the controls; false when it is another DirectSound.
  bool load() {
    HMODULE dsound = LoadLibraryA("dsound.dll");
    if (!dsound) return false;
    reset = find<RecordingResetFn>(dsound, "RecordingReset");
    play_count = find<RecordingPlayCountFn>(dsound, "RecordingPlayCount");
    play = find<RecordingPlayFn>(dsound, "RecordingPlay");
    fail = find<RecordingFailFn>(dsound, "RecordingFail");
    problems = find<RecordingProblemsFn>(dsound, "RecordingProblems");
    live_objects = find<RecordingLiveObjectsFn>(dsound, "RecordingLiveObjects");
    return reset && play_count && play && fail && problems && live_objects;
  }

 private:
  template <typename Fn>
  static Fn find(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
};
