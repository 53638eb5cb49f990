// The panel-window toggle buttons: small square buttons that show and hide the aircraft's other
// panel windows. Three send a fixed key event that the host answers itself (ATC window,
// kneeboard, map). The other twelve differ only in their picture and their help text; a click
// does what the gauge's parameter text says (its commands: common/parameter_text.h): "o", "c" and
// "t" open, close and toggle panel windows, "p" sends 0x10153 once (p0), 0x100c6 n times (n > 0)
// or 0x100c7 -n times (n < 0); at installation "b" and "h" set the picture and help text, and
// the first time only, "a" closes a panel window. Without parameter text a click toggles the main
// panel window.
//
// Reads: the gauge's parameter text and user-data word. Writes: the user-data word (1 once set
// up), the button's bitmap and its help id. Sends: 0x103cb, 0x103cc, 0x103ca with a panel id;
// 0x10153, 0x100c6, 0x100c7; or the panel-window toggle service with 0. The fixed buttons' areas
// name 0x1001c, 0x10154, 0x10380.
#include "controls/window_toggles.h"

#include <iterator>

#include "common/parameter_text.h"
#include "mechanics/family.h"

namespace crv5::window_toggles {

namespace {

constexpr uint32_t kOpenPanel = 0x103cb;
constexpr uint32_t kClosePanel = 0x103cc;
constexpr uint32_t kTogglePanel = 0x103ca;
constexpr uint32_t kPanelCommandZero = 0x10153;      // "p0"
constexpr uint32_t kPanelCommandForward = 0x100c6;   // "p" n > 0, n times
constexpr uint32_t kPanelCommandBackward = 0x100c7;  // "p" n < 0, -n times

constexpr uint32_t kMainPanel = 0;

bool has_text(const char* parameters) { return parameters != nullptr && *parameters != '\0'; }

// Sends `event` with the panel a command names, unless it names none.
void send_for_panel(uint32_t event, const char* value) {
  const int32_t panel = parameter_text::read_panel(value).id;
  if (panel >= 0) send_event(event, static_cast<uint32_t>(panel));
}

// Every command `letter` of the text, each found in the text after the one before.
void send_each(const char* parameters, char letter, uint32_t event) {
  for_each_command(parameters, letter, [&](const char* found) { send_for_panel(event, found + 1); });
}

void send_panel_command(const char* parameters) {
  const parameter_text::PanelSteps steps = parameter_text::panel_steps(parameters);
  if (!steps.given) return;
  if (steps.count == 0) send_event(kPanelCommandZero, 0);
  for (int64_t i = 0; i < steps.count; ++i) send_event(kPanelCommandForward, 0);
  for (int64_t i = 0; i < -steps.count; ++i) send_event(kPanelCommandBackward, 0);
}

}  // namespace

void act_on_click(const char* parameters) {
  if (!has_text(parameters)) {
    toggle_panel_window(kMainPanel);
    return;
  }
  send_each(parameters, 'o', kOpenPanel);
  send_each(parameters, 'c', kClosePanel);
  send_each(parameters, 't', kTogglePanel);
  send_panel_command(parameters);
}

void install(GaugeHeader& gauge) {
  const char* parameters = gauge.parameters;
  if (has_text(parameters)) {
    bool picture_ok = true;
    if (const parameter_text::ButtonPicture picture = parameter_text::button_picture(parameters);
        picture.given) {
      ElementHeader* button = gauge.elements ? gauge.elements[0] : nullptr;
      picture_ok = button && picture.valid;
      if (picture_ok) button->resource_id = picture.bitmap;
    }
    const char* h = picture_ok ? find_command(parameters, 'h') : nullptr;
    if (h && gauge.mouse_rects)
      gauge.mouse_rects[0].help_id = parameter_text::read_help_id(h + 1);
  }
  if (gauge.user_data != 0) return;
  if (has_text(parameters)) {
    if (const char* a = find_command(parameters, 'a')) send_for_panel(kClosePanel, a + 1);
  }
  gauge.user_data = 1;
}

}  // namespace crv5::window_toggles

namespace crv5::window_toggles {
namespace {

// The programmable buttons' click: the gauge is found through the click record; none means no
// parameter text.
Bool32 CRV5_CALL parameter_click(ClickRecord* click, uint32_t) {
  act_on_click(click && click->gauge ? click->gauge->parameters : nullptr);
  return false;
}

void CRV5_CALL parameter_service(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
  if (service_id == kServicePreInstall && gauge) install(*gauge);
}

// A window button: the family's records, with the installation as the gauge callback of those
// whose click reads the parameter text.
template <auto& Table, size_t I>
struct WindowButton : family::MemberRecords<Table, I, kCoverFlags> {
  static constexpr GaugeCallback callback =
      family::names_function(Table[I].on_click) ? parameter_service : nullptr;
};

constexpr PixBox kButtonFace = {3, 3, 13, 13};

// clang-format off
constexpr family::Member kWindowButtons[] = {
    // Fixed: the host sends the area's key event.
    {.gauge = GaugeId::ATC_Toggle,          .base = 90,  .click = kButtonFace, .event = 0x1001c,                                                        .help_id = 43924},
    {.gauge = GaugeId::Kneeboard_Toggle,    .base = 70,  .click = kButtonFace, .event = 0x10154,                                                        .help_id = 43923},
    {.gauge = GaugeId::Map_Toggle,          .base = 80,  .click = kButtonFace, .event = 0x10380,                                                        .help_id = 43919},
    // Programmable by their parameter text.
    {.gauge = GaugeId::Autopilot_Toggle,    .base = 210, .click = kButtonFace, .on_click = parameter_click, .tooltip = "Display/Hide the Autopilot subpanel"},
    {.gauge = GaugeId::Close_Subpanel,      .base = 110, .click = kButtonFace, .on_click = parameter_click, .tooltip = "Close the subpanel"},
    {.gauge = GaugeId::Compass_Toggle,      .base = 100, .click = kButtonFace, .on_click = parameter_click,                                         .help_id = 43913},
    {.gauge = GaugeId::Electricity_Toggle,  .base = 190, .click = kButtonFace, .on_click = parameter_click, .tooltip = "Display/Hide the Electrical subpanel"},
    {.gauge = GaugeId::GPS_Toggle,          .base = 120, .click = kButtonFace, .on_click = parameter_click,                                         .help_id = 43911},
    {.gauge = GaugeId::IFR_Panel_Toggle,    .base = 130, .click = kButtonFace, .on_click = parameter_click, .tooltip = "Display/Hide the main IFR panel"},
    {.gauge = GaugeId::Invisible_Toggle,    .base = 180, .click = kButtonFace, .on_click = parameter_click},
    {.gauge = GaugeId::Radios_Toggle,       .base = 160, .click = kButtonFace, .on_click = parameter_click,                                         .help_id = 43910},
    {.gauge = GaugeId::Starter_Toggle,      .base = 200, .click = kButtonFace, .on_click = parameter_click, .tooltip = "Display/Hide the Starter subpanel"},
    {.gauge = GaugeId::Throttle_Toggle,     .base = 170, .click = kButtonFace, .on_click = parameter_click,                                         .help_id = 43912},
    {.gauge = GaugeId::Landing_View_Toggle, .base = 150, .click = kButtonFace, .on_click = parameter_click, .tooltip = "Hide/Display the Landing panel"},
    {.gauge = GaugeId::VFR_Panel_Toggle,    .base = 140, .click = kButtonFace, .on_click = parameter_click, .tooltip = "Display/Hide the main VFR panel"},
};
// clang-format on
static_assert(std::size(kWindowButtons) == 15, "three fixed buttons and twelve programmable ones");

}  // namespace
}  // namespace crv5::window_toggles

#define CRV5_WINDOW_BUTTON(name) \
  CRV5_FAMILY_MEMBER(crv5::window_toggles::WindowButton, crv5::window_toggles::kWindowButtons, name)
CRV5_WINDOW_BUTTON(ATC_Toggle);
CRV5_WINDOW_BUTTON(Kneeboard_Toggle);
CRV5_WINDOW_BUTTON(Map_Toggle);
CRV5_WINDOW_BUTTON(Autopilot_Toggle);
CRV5_WINDOW_BUTTON(Close_Subpanel);
CRV5_WINDOW_BUTTON(Compass_Toggle);
CRV5_WINDOW_BUTTON(Electricity_Toggle);
CRV5_WINDOW_BUTTON(GPS_Toggle);
CRV5_WINDOW_BUTTON(IFR_Panel_Toggle);
CRV5_WINDOW_BUTTON(Invisible_Toggle);
CRV5_WINDOW_BUTTON(Radios_Toggle);
CRV5_WINDOW_BUTTON(Starter_Toggle);
CRV5_WINDOW_BUTTON(Throttle_Toggle);
CRV5_WINDOW_BUTTON(Landing_View_Toggle);
CRV5_WINDOW_BUTTON(VFR_Panel_Toggle);
