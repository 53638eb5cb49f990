// The sounds of the Windows check runner: the module plays through DirectSound, and the recording
// dsound.dll beside gaugecheck.exe (windows/recording_dsound) records each play. A play is told
// to be WAVE N by finding the buffer's bytes inside the WAVE resources of the modules loaded in
// the process, as gaugehost does on Linux.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "host/audio/audio.h"
#include "host/base/host_error.h"
#include "host/loader/library.h"
#include "windows/gaugecheck/recorded_sounds.h"
#include "windows/recording_dsound/recording_dsound.h"

namespace gaugehost::audio {
namespace {

struct Recording {
  bool loaded = false;
  RecordingControls controls;
  std::string late_problems;
};

Recording& recording() {
  static Recording instance = [] {
    Recording r;
    r.loaded = r.controls.load();
    return r;
  }();
  return instance;
}

RecordingControls& recorder(const char* why) {
  Recording& r = recording();
  if (!r.loaded)
    throw HostError(std::string(why) +
                    " needs the recording dsound.dll beside gaugecheck.exe (under Wine: "
                    "WINEDLLOVERRIDES=dsound=n)");
  return r.controls;
}

BOOL CALLBACK collect_id(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::vector<int32_t>*>(ids)->push_back(int32_t(uintptr_t(name)));
  return TRUE;
}

bool holds(std::span<const unsigned char> resource, const unsigned char* data, uint32_t size) {
  return size > 0 && resource.size() >= size &&
         std::search(resource.begin(), resource.end(), data, data + size) != resource.end();
}

// The id of the first WAVE resource, over every loaded module, that holds the bytes; 0 if none.
int32_t wave_id_of(const RecordedPlay& play) {
  std::vector<HMODULE> modules(1024);
  DWORD needed = 0;
  if (!EnumProcessModules(GetCurrentProcess(), modules.data(),
                          DWORD(modules.size() * sizeof(HMODULE)), &needed))
    return 0;
  modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
  for (HMODULE module : modules) {
    std::vector<int32_t> ids;
    EnumResourceNamesA(module, "WAVE", collect_id, reinterpret_cast<LONG_PTR>(&ids));
    for (int32_t id : ids)
      if (holds(library_resource(uintptr_t(module), "WAVE", id), play.data, play.size)) return id;
  }
  return 0;
}

}  // namespace

void set_backend(Backend backend) {
  switch (backend) {
    case Backend::recording:
      if (recording().loaded) recording().controls.fail(kRecordingFailNothing);
      break;
    case Backend::no_device:
      recorder("--sound none").fail(kRecordingCreate);
      break;
    case Backend::silent:
      throw HostError("gaugecheck offers no silent sound output");
  }
}

std::vector<int32_t> take_played() {
  RecordingControls& controls = recorder("expect sounds");
  if (const std::string problems = controls.problems(); !problems.empty()) {
    controls.reset();
    throw HostError("the module's DirectSound calls went wrong: " + problems);
  }
  std::vector<int32_t> played;
  for (uint32_t i = 0; i < controls.play_count(); ++i)
    played.push_back(wave_id_of(*controls.play(i)));
  controls.reset();
  return played;
}

// Problems of a session's last calls (its gauges' releases) are kept for the end of the run.
void reset() {
  Recording& r = recording();
  if (!r.loaded) return;
  if (const std::string problems = r.controls.problems(); !problems.empty())
    r.late_problems += (r.late_problems.empty() ? "" : "; ") + problems;
  r.controls.reset();
}

std::string take_late_problems() {
  reset();
  return std::exchange(recording().late_problems, {});
}

}  // namespace gaugehost::audio
