// gaugecheck.exe: the host's check runner for the 32-bit Windows module, without drawing, audio
// output or web page. It loads CRV5_Instr.gau with LoadLibrary, offers the four services, and runs
// check files exactly as `gaugehost check` does; the module's sounds go to DirectSound, and the
// recording dsound.dll beside it lets `expect sounds` see them.
//
//   gaugecheck [--module PATH] [--sound recording|none] check FILE...
//   gaugecheck [--module PATH] calls
//
// Every call into the module goes through a thunk that checks the module's function popped its
// own arguments (__stdcall); `calls` calls every function the module's records name that way.
//
// Like fs9.exe, it has a main window of class FS98MAIN, where the module's sound player attaches
// its DirectSound device.
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "host/audio/audio.h"
#include "host/check/check_runner.h"
#include "host/loader/module.h"
#include "windows/gaugecheck/every_callback.h"
#include "windows/gaugecheck/recorded_sounds.h"

namespace {

constexpr char kMainWindowClass[] = "FS98MAIN";

const char kUsage[] =
    "usage: gaugecheck [--module PATH] [--sound recording|none] check FILE...\n"
    "       gaugecheck [--module PATH] calls\n"
    "Runs check files against the 32-bit Windows module (CRV5_Instr.gau beside gaugecheck.exe\n"
    "unless --module names another). --sound none offers no sound device; both need the\n"
    "recording dsound.dll beside gaugecheck.exe for the sounds to be checked.\n";

// The simulator's main window, hidden: what the module's sound player looks up.
HWND make_main_window() {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kMainWindowClass;
  RegisterClassA(&window_class);
  return CreateWindowExA(0, kMainWindowClass, "gaugecheck", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64,
                         nullptr, nullptr, window_class.hInstance, nullptr);
}

int run(std::vector<std::string> args) {
  namespace audio = gaugehost::audio;
  std::filesystem::path module = gaugehost::default_module_path();
  while (args.size() >= 2 && (args[0] == "--module" || args[0] == "--sound")) {
    if (args[0] == "--module") {
      module = args[1];
    } else if (args[1] == "recording") {
      audio::set_backend(audio::Backend::recording);
    } else if (args[1] == "none") {
      audio::set_backend(audio::Backend::no_device);
    } else {
      std::cerr << "gaugecheck: --sound takes recording or none, not \"" << args[1] << "\"\n";
      return 2;
    }
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() == 1 && args[0] == "calls")
    return gaugehost::call_every_function(module, std::cout);
  if (args.size() < 2 || args[0] != "check") {
    std::cerr << kUsage;
    return 2;
  }
  if (!make_main_window())
    std::cerr << "gaugecheck: no main window could be made; the module's sounds stay silent\n";
  const std::vector<std::filesystem::path> files(args.begin() + 1, args.end());
  const gaugehost::CheckTotals totals = gaugehost::run_check_files(files, module, std::cout);
  if (const std::string problems = audio::take_late_problems(); !problems.empty()) {
    std::cout << "the module's DirectSound calls went wrong: " << problems << "\n";
    return std::max(totals.exit_status(), 1);
  }
  return totals.exit_status();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "gaugecheck: " << error.what() << "\n";
    return 2;
  }
}
