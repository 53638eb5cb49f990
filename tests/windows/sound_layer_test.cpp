// The click-sound player over the Win32 platform layer, with the waves as this program's own WAVE
// resources (the module's resource script is linked in), run under Wine in two settings:
//
//   sound_layer_test device      a sound device that works (ALSA's null device): DirectSound
//                                itself opens, makes buffers, takes the waves and plays
//   sound_layer_test recording   the recording dsound.dll: the calls in their order, and a
//                                failure at each step (a machine without sound hardware fails
//                                the first) or a missing wave leave the player silent with
//                                nothing left behind
#include <windows.h>

#include <cstring>
#include <string>

#include "module/platform.h"
#include "sound/sound_player.h"
#include "sound/wave_resource.h"
#include "tests/windows/windows_check.h"
#include "windows/recording_dsound/recording_dsound.h"

namespace {

using crv5::sound::GaugeSound;
using crv5::sound::gauge_sound_play;
using crv5::sound::gauge_sound_service;
using crv5::sound::sound_available;

uintptr_t this_module() { return reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)); }

// The click wave of that id among this program's resources, read by the module's own reader
// (the waves' forms are pinned by the host's audio tests).
crv5::sound::WaveResource click_wave(uint16_t id) {
  uint32_t size = 0;
  const void* resource = platform_find_resource(this_module(), "WAVE", id, &size);
  crv5::sound::WaveResource wave;
  CHECK(crv5::sound::read_wave(static_cast<const unsigned char*>(resource), size, &wave));
  return wave;
}

// The simulator's main window, of the class this program's name implies ("sound_layer_test": not
// a "2" fourth, not an upper-case "C" first, so FS98MAIN).
HWND make_main_window() {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "FS98MAIN";
  RegisterClassA(&window_class);
  return CreateWindowExA(0, "FS98MAIN", "sound test", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr,
                         nullptr, window_class.hInstance, nullptr);
}

void install(GaugeSound& gauge) { gauge_sound_service(gauge, kServicePreInstall, this_module()); }
void kill(GaugeSound& gauge) { gauge_sound_service(gauge, kServicePreKill, 0); }

void platform_finds_window_and_name(HWND window) {
  char name[64];
  CHECK(platform_executable_name(name, sizeof name) == std::strlen("sound_layer_test"));
  CHECK(std::string(name) == "sound_layer_test");
  char small[5];
  platform_executable_name(small, sizeof small);
  CHECK(std::string(small) == "soun");
  CHECK(crv5::sound::find_host_window() == reinterpret_cast<uintptr_t>(window));
  CHECK(platform_find_window("MSCFSMAIN") == 0);
}

void resources_come_from_the_given_module_only() {
  uint32_t size = 0;
  const void* wave = platform_find_resource(this_module(), "WAVE", 10, &size);
  CHECK(wave && size == 3872);
  CHECK(platform_find_resource(this_module(), "BITMAP", 60, &size) && size > 40);
  CHECK(platform_find_resource(this_module(), "WAVE", 11, &size) == nullptr);
  CHECK(platform_find_resource(this_module(), "WAVE", 70000, &size) == nullptr);
  const auto kernel = reinterpret_cast<uintptr_t>(GetModuleHandleA("kernel32.dll"));
  CHECK(platform_find_resource(kernel, "WAVE", 10, &size) == nullptr);
  CHECK(platform_find_resource(0, "WAVE", 10, &size) == nullptr);
  // Not the base of any module: refused without touching it.
  CHECK(platform_find_resource(this_module() + 0x10, "WAVE", 10, &size) == nullptr);
  CHECK(platform_find_resource(0x1234, "WAVE", 10, &size) == nullptr);
}

// --- device ---

void real_directsound_plays_the_pcm_clicks() {
  for (const uint16_t id : {10, 20}) {
    GaugeSound gauge{.wave_id = id};
    install(gauge);
    CHECK_MSG(sound_available && gauge.device && gauge.sound, "WAVE " + std::to_string(id));
    CHECK(gauge.size == click_wave(id).data_size);
    gauge_sound_play(gauge);
    gauge_sound_play(gauge);  // still playing: not restarted, and no failure
    CHECK(sound_available && gauge.sound != 0);
    kill(gauge);
    CHECK(gauge.sound == 0 && gauge.device == 0);
  }
}

// DirectSound takes no compressed buffers: the ADPCM click (WAVE 30) may be refused, and then the
// module goes silent as after any failure.
void adpcm_click_plays_or_silences() {
  GaugeSound gauge{.wave_id = 30};
  install(gauge);
  CHECK((sound_available && gauge.size == click_wave(30).data_size) ||
        (!sound_available && gauge.sound == 0));
  gauge_sound_play(gauge);
  kill(gauge);
}

// --- recording ---

void calls_come_in_order_and_play_the_waves(RecordingControls& recorder) {
  recorder.reset();
  GaugeSound gauges[3] = {{.wave_id = 10}, {.wave_id = 20}, {.wave_id = 30}};
  for (GaugeSound& gauge : gauges) install(gauge);
  CHECK(sound_available);
  for (GaugeSound& gauge : gauges) gauge_sound_play(gauge);
  CHECK(recorder.play_count() == 3);
  for (uint32_t i = 0; i < 3 && i < recorder.play_count(); ++i) {
    // The buffer holds the wave's format and its data chunk, byte for byte.
    const RecordedPlay& play = *recorder.play(i);
    const crv5::sound::WaveResource wave = click_wave(gauges[i].wave_id);
    const PlatformWaveFormat& f = wave.format;
    CHECK_MSG(play.format_tag == f.format_tag && play.channels == f.channels &&
                  play.bits_per_sample == f.bits_per_sample && play.block_align == f.block_align &&
                  play.samples_per_second == 22050 && play.size == wave.data_size &&
                  std::memcmp(wave.data, play.data, play.size) == 0,
              "WAVE " + std::to_string(gauges[i].wave_id));
  }
  for (GaugeSound& gauge : gauges) kill(gauge);
  CHECK_MSG(std::string(recorder.problems()).empty(), recorder.problems());
  CHECK(recorder.live_objects() == 0);
}

void a_failure_at_any_step_silences_and_leaves_nothing(RecordingControls& recorder) {
  for (int32_t step = 0; step < kRecordingStepCount; ++step) {
    const std::string name = "step " + std::to_string(step);  // as RecordingStep counts them
    sound_available = true;
    recorder.reset();
    recorder.fail(step);
    GaugeSound gauge{.wave_id = 10};
    install(gauge);
    gauge_sound_play(gauge);
    CHECK_MSG(!sound_available, name);
    recorder.fail(kRecordingFailNothing);
    // Silent for the rest of the module's life: a gauge installed later plays nothing.
    GaugeSound later{.wave_id = 20};
    install(later);
    gauge_sound_play(gauge);
    gauge_sound_play(later);
    CHECK_MSG(recorder.play_count() == 0, name);
    kill(gauge);
    kill(later);
    CHECK_MSG(recorder.live_objects() == 0, name + ": devices or buffers left behind");
    CHECK_MSG(std::string(recorder.problems()).empty(), name + ": " + recorder.problems());
  }
}

// A WAVE id the module lacks silences as any failure (a foreign module's handle finds no wave at
// all: the resource lookup above); without the simulator's window no cooperative level is set.
void missing_wave_or_window_silences(RecordingControls& recorder) {
  sound_available = true;
  recorder.reset();
  GaugeSound gauge{.wave_id = 11};
  install(gauge);
  gauge_sound_play(gauge);
  CHECK(!sound_available && gauge.sound == 0 && recorder.play_count() == 0);
  kill(gauge);
  sound_available = true;
  uintptr_t device = 0;
  CHECK(!crv5::sound::create_device(0, &device) && device == 0 && !sound_available);
  CHECK(recorder.live_objects() == 0);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const HWND window = make_main_window();
  CHECK_MSG(window != nullptr, "no main window (Wine needs its null display driver)");
  platform_finds_window_and_name(window);
  resources_come_from_the_given_module_only();
  if (mode == "device") {
    real_directsound_plays_the_pcm_clicks();
    adpcm_click_plays_or_silences();
  } else if (mode == "recording") {
    RecordingControls recorder;
    CHECK_MSG(recorder.load(), "dsound.dll is not the recording one (WINEDLLOVERRIDES=dsound=n)");
    if (recorder.reset) {
      calls_come_in_order_and_play_the_waves(recorder);
      a_failure_at_any_step_silences_and_leaves_nothing(recorder);
      missing_wave_or_window_silences(recorder);
    }
  } else {
    std::printf("usage: sound_layer_test device|recording\n");
    return 2;
  }
  return crv5::windows_test::report(("sound_layer_test " + mode).c_str());
}
