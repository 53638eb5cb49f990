// The panel.cfg reader on any text: it reads the panel (with warnings) or stops with one HostError
// when it has no window; it never reads outside the text, overflows a number or throws anything
// else.
#include <string_view>

#include "host/base/host_error.h"
#include "host/panel/panel_config.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const gaugehost::PanelConfig config = gaugehost::parse_panel_config(text, "fuzz.cfg");
    for (const gaugehost::WindowConfig& window : config.windows) {
      if (window.title.empty()) __builtin_trap();  // every window has a title
      for (const gaugehost::GaugePlacement& gauge : window.gauges)
        if (gauge.w && (*gauge.w < 1 || *gauge.w > gaugehost::kMaxWindowPixels)) __builtin_trap();
    }
    for (const gaugehost::PanelProblem& warning : config.warnings)
      if (warning.line < 1 || warning.problem.empty()) __builtin_trap();
  } catch (const gaugehost::HostError&) {
  }
  return 0;
}
