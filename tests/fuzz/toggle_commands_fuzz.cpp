// The panel-window buttons on any parameter text: the first byte picks one of the twelve
// programmable buttons, the rest up to a zero byte is its parameter text. Installation (its
// picture, help text and first-time close) and a click run as a host runs them; the button's
// bitmap stays one of its pictures and every panel event names a panel id of 0 or more.
#include <array>
#include <iterator>
#include <string>

#include "common/parameter_text.h"
#include "module/gauges.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/test_host.h"

namespace {

GaugeHeader* const kButtons[] = {
    &gauge_Autopilot_Toggle,   &gauge_Close_Subpanel,      &gauge_Compass_Toggle,
    &gauge_Electricity_Toggle, &gauge_GPS_Toggle,          &gauge_IFR_Panel_Toggle,
    &gauge_Invisible_Toggle,   &gauge_Radios_Toggle,       &gauge_Starter_Toggle,
    &gauge_Throttle_Toggle,    &gauge_Landing_View_Toggle, &gauge_VFR_Panel_Toggle,
};
static_assert(std::size(kButtons) == 12);

// A "p" count beyond this sends that many key events, as the button is meant to; the click is
// left out so that each input stays quick.
constexpr int64_t kLongestPanelCommand = 1000;

MouseRect* click_area(GaugeHeader& gauge) {
  for (MouseRect* rect = gauge.mouse_rects; rect && rect->kind != kMouseEnd; ++rect)
    if (rect->kind == kMouseChild && rect->function) return rect;
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // Each button's picture and help text as loaded: what installation may change.
  static const auto loaded = [] {
    std::array<std::pair<int32_t, int32_t>, std::size(kButtons)> as_loaded;
    for (size_t i = 0; i < std::size(kButtons); ++i)
      as_loaded[i] = {kButtons[i]->elements[0]->resource_id, kButtons[i]->mouse_rects[0].help_id};
    return as_loaded;
  }();
  const size_t which = data[0] % std::size(kButtons);
  GaugeHeader& gauge = *kButtons[which];
  const auto [loaded_bitmap, loaded_help] = loaded[which];
  gauge.elements[0]->resource_id = loaded_bitmap;
  gauge.mouse_rects[0].help_id = loaded_help;
  gauge.user_data = 0;

  const std::string parameters(reinterpret_cast<const char*>(data + 1), size - 1);
  gauge.parameters = size == 1 ? nullptr : parameters.c_str();
  crv5::testing::TestHost host;  // at most kLongestPanelCommand events an input

  gauge.callback(&gauge, kServicePreInstall, 0);
  const int32_t bitmap = gauge.elements[0]->resource_id;
  if (bitmap != loaded_bitmap && (bitmap < 100 || bitmap > 190 || bitmap % 10 != 0))
    __builtin_trap();
  if (gauge.user_data != 1) __builtin_trap();

  const char* p = crv5::find_command(gauge.parameters, 'p');
  const int64_t count = p ? crv5::read_int(p + 1) : 0;
  if (count <= kLongestPanelCommand && -count <= kLongestPanelCommand) {
    if (MouseRect* area = click_area(gauge)) {
      ClickRecord click{{8, 8}, &gauge, area};
      area->function(&click, kMouseLeftSingle);
    }
  }
  for (const crv5::testing::KeyEvent& e : host.events)  // no panel event names a negative id
    if (e.id >= 0x103ca && e.id <= 0x103cc && e.value > 0x7FFFFFFFu) __builtin_trap();
  gauge.parameters = nullptr;
  return 0;
}
