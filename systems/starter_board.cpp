// Starter_Board: the engine start panel. A guarded fuel valve switch, a guarded ignition switch,
// left and right fuel pump switches, a start-ready lamp and the starter push-button. The switches
// are the library's own states (shared with the start-state gauges) and reach the simulator
// through key events; the lamp's callback decides when the start conditions are met and arms the
// button, which then engages the simulator's starter while it is held. Every switch movement
// plays WAVE 10.
//
// Reads: tokens 558 (throttle, 0 to 1), 563 (starter engaged, 0/1), 625 (turbine speed, percent),
// 759 (electrical voltage), 891 (fuel pump, 0 off), 895 (fuel valve, 0 closed); the starter-board
// states.
// Writes: fuel_valve_switch_state, ignition_switch_state, ignition_switch_on, left_fuel_pump_on,
// right_fuel_pump_on, start_ready.
// Sends: 0x103be (toggle the fuel valve), 0x1017f (fuel lever), 0x10324 (toggle the fuel pump),
// 0x102fc (engage the starter); plays WAVE 10.

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "module/text.h"
#include "sound/sound_player.h"
#include "systems/aircraft_state.h"
#include "mechanics/lamps.h"
#include "systems/engine_controls.h"

namespace starter_board {
using namespace crv5;
using namespace crv5::engine;

// Token variables.
constexpr uint32_t kStarterEngaged = 563;
constexpr uint32_t kVoltage = 759;

// Key events.
constexpr uint32_t kEngageStarter = 0x102fc;

// fuel_valve_switch_state values.
enum FuelValveSwitch : int32_t {
  kValveGuardedOff = 0,
  kValveGuardedOn = 1,
  kValveOpenOff = 2,
  kValveOpenOn = 3,
};
// ignition_switch_state values.
enum IgnitionSwitch : int32_t {
  kIgnitionGuarded = 0,
  kIgnitionOpenOff = 1,
  kIgnitionOpenOn = 2,
};

sound::GaugeSound click_sound{.wave_id = 10};

double CRV5_CALL right_pump_picture(ElementIcon*);
double CRV5_CALL left_pump_picture(ElementIcon*);
double CRV5_CALL fuel_valve_picture(ElementIcon*);
double CRV5_CALL ignition_picture(ElementIcon*);
double CRV5_CALL start_ready_lamp(ElementIcon*);

extern ElementIcon right_pump, left_pump, fuel_valve, ignition, ready_lamp, starter_button;

// Each element is the child of the one before it.
constexpr GaugeHeader* kBoard = &gauge_Starter_Board;
// clang-format off
ElementStaticImage board   = static_image({.gauge = kBoard, .bitmap = 4210, .position = {0, 0},                                                                     .flags = kCoverFlags,                                 .next = children<&right_pump>});
ElementIcon right_pump     = icon({        .gauge = kBoard, .bitmap = 4240, .position = {159, 117}, .source = kFuelPump,       .callback = right_pump_picture, .images = 2, .flags = kSwitchFlags, .failures = kZeroOnFailure21, .next = children<&left_pump>});
ElementIcon left_pump      = icon({        .gauge = kBoard, .bitmap = 4240, .position = {37, 117},  .source = kFuelPump,       .callback = left_pump_picture,  .images = 2, .flags = kSwitchFlags, .failures = kZeroOnFailure21, .next = children<&fuel_valve>});
ElementIcon fuel_valve     = icon({        .gauge = kBoard, .bitmap = 4220, .position = {33, 42},   .source = kFuelValve,      .callback = fuel_valve_picture, .images = 4, .flags = kSwitchFlags,                               .next = children<&ignition>});
ElementIcon ignition       = icon({        .gauge = kBoard, .bitmap = 4250, .position = {56, 205},                             .callback = ignition_picture,   .images = 3, .flags = kSwitchFlags,                               .next = children<&ready_lamp>});
ElementIcon ready_lamp     = icon({        .gauge = kBoard, .bitmap = 4230, .position = {180, 47},  .source = kTurbineSpeed,   .callback = start_ready_lamp,   .images = 1, .flags = kLampFlags,   .failures = kZeroOnFailure21, .next = children<&starter_button>});
ElementIcon starter_button = icon({        .gauge = kBoard, .bitmap = 4260, .position = {97, 201},  .source = kStarterEngaged,                                 .images = 2, .flags = kSwitchFlags, .failures = kZeroOnFailure21});
// clang-format on

// --- Tooltips -----------------------------------------------------------------------------------

const char* on_off(int32_t state) { return state != 0 ? "on" : "off"; }

const char* CRV5_CALL ignition_text(CRV5_TOOLTIP_PARAMS) {
  switch (ignition_switch_state) {
    case kIgnitionGuarded: return ignition_switch_on != 0 ? "protected and on" : "protected and off";
    case kIgnitionOpenOff: return "off";
    case kIgnitionOpenOn: return "on";
    default: return "protected";
  }
}
const char* CRV5_CALL left_pump_text(CRV5_TOOLTIP_PARAMS) { return on_off(left_fuel_pump_on); }
const char* CRV5_CALL right_pump_text(CRV5_TOOLTIP_PARAMS) { return on_off(right_fuel_pump_on); }
const char* CRV5_CALL fuel_valve_text(CRV5_TOOLTIP_PARAMS) {
  switch (fuel_valve_switch_state) {
    case kValveGuardedOff: return "protected and off";
    case kValveGuardedOn: return "protected and on";
    case kValveOpenOff: return "off";
    case kValveOpenOn: return "on";
    default: return "protected";
  }
}

// One argument list serves all four tooltips; each uses the placeholder it names.
const TooltipArg switch_texts[] = {
    tooltip_text(ignition_text),    // %1
    tooltip_text(left_pump_text),   // %2
    tooltip_text(right_pump_text),  // %3
    tooltip_text(fuel_valve_text),  // %4
};
const TooltipText ignition_tooltip = tooltip("Ignition switch (%1!s!)", switch_texts);
const TooltipText left_pump_tooltip = tooltip("Left fuel pump switch (%2!s!)", switch_texts);
const TooltipText right_pump_tooltip = tooltip("Right fuel pump switch (%3!s!)", switch_texts);
const TooltipText fuel_valve_tooltip = tooltip("Fuel valve switch (%4!s!)", switch_texts);

// --- Mouse list ---------------------------------------------------------------------------------

Bool32 CRV5_CALL ignition_click(ClickRecord*, uint32_t mouse_flags);
Bool32 CRV5_CALL fuel_valve_click(ClickRecord*, uint32_t mouse_flags);
Bool32 CRV5_CALL starter_click(ClickRecord*, uint32_t mouse_flags);
Bool32 CRV5_CALL left_pump_click(ClickRecord*, uint32_t mouse_flags);
Bool32 CRV5_CALL right_pump_click(ClickRecord*, uint32_t mouse_flags);

MouseRect mouse[] = {
    mouse_parent(),
    //            box (x, y, w, h)        help id
    mouse_parent({56, 205, 35, 85}),      mouse_tooltip(&ignition_tooltip),   mouse_parent_end(),
    mouse_parent({37, 117, 75, 39}),      mouse_tooltip(&left_pump_tooltip),  mouse_parent_end(),
    mouse_parent({159, 117, 75, 39}),     mouse_tooltip(&right_pump_tooltip), mouse_parent_end(),
    mouse_parent({33, 42, 100, 48}),      mouse_tooltip(&fuel_valve_tooltip), mouse_parent_end(),
    mouse_parent({180, 47, 36, 36}, 42060),                                   mouse_parent_end(),
    mouse_parent({97, 201, 77, 77}, 43877),                                   mouse_parent_end(),
    //           box (x, y, w, h)     cursor       flags         function
    mouse_child({56, 205, 35, 85},   kCursorHand, kLeftOrRight,     ignition_click),
    mouse_child({33, 42, 100, 48},   kCursorHand, kLeftOrRight,     fuel_valve_click),
    mouse_child({97, 201, 77, 77},   kCursorHand, kLeftHeld,        starter_click),
    mouse_child({37, 117, 75, 39},   kCursorHand, kMouseLeftSingle, left_pump_click),
    mouse_child({159, 117, 75, 39},  kCursorHand, kMouseLeftSingle, right_pump_click),
    mouse_parent_end(),
    mouse_end(),
};

// --- Element callbacks --------------------------------------------------------------------------

double switch_image(int32_t on) { return on != 0 ? 1.0 : 0.0; }

double CRV5_CALL right_pump_picture(ElementIcon*) { return switch_image(right_fuel_pump_on); }
double CRV5_CALL left_pump_picture(ElementIcon*) { return switch_image(left_fuel_pump_on); }
double CRV5_CALL fuel_valve_picture(ElementIcon*) { return fuel_valve_switch_state; }
double CRV5_CALL ignition_picture(ElementIcon*) { return ignition_switch_state; }

// The start-ready rule. The lamp lights while every start condition holds with the turbine at 25
// percent or below; between 25 and 45 percent it is dark but a start in progress stays armed;
// above 45 percent, or with the fuel valve or the ignition off, the starter is disarmed.
double CRV5_CALL start_ready_lamp(ElementIcon* lamp) {
  const double turbine = lamp->source.value.f;
  const double voltage = read_var(kVoltage);
  const double valve = read_var(kFuelValve);
  const double throttle = read_var(kThrottle);

  if (valve == 0.0 || ignition_switch_on == 0 || turbine > 45) {
    start_ready = 0;
    return lamps::kLampDark;
  }
  const bool conditions_met = turbine <= 25 && valve > 0 && throttle >= 0 && throttle <= 0.3 &&
                              voltage > 20 && left_fuel_pump_on != 0 && right_fuel_pump_on != 0;
  if (!conditions_met) return lamps::kLampDark;
  start_ready = 1;
  return lamps::kLampLit;
}

// --- Mouse functions ----------------------------------------------------------------------------

// Right click opens or closes the guard; left click, with the guard open, moves the valve. The
// position shown is always the simulator's valve at the click.
Bool32 CRV5_CALL fuel_valve_click(ClickRecord*, uint32_t mouse_flags) {
  const bool valve_open = read_var(kFuelValve) != 0.0;
  if (mouse_flags & kMouseRightSingle) {
    const bool guard_closed = fuel_valve_switch_state < kValveOpenOff;
    if (guard_closed) {
      fuel_valve_switch_state = valve_open ? kValveOpenOn : kValveOpenOff;
    } else {
      fuel_valve_switch_state = valve_open ? kValveGuardedOn : kValveGuardedOff;
    }
    sound::gauge_sound_play(click_sound);
  } else if (mouse_flags & kMouseLeftSingle) {
    const bool guard_open =
        fuel_valve_switch_state == kValveOpenOff || fuel_valve_switch_state == kValveOpenOn;
    if (!guard_open) return false;
    fuel_valve_switch_state = valve_open ? kValveOpenOff : kValveOpenOn;
    send_event(kToggleFuelValve);
    sound::gauge_sound_play(click_sound);
  }
  return false;
}

// Left click, with the guard open, moves the switch and sets the fuel lever; right click opens
// or closes the guard, which keeps the switch's position.
Bool32 CRV5_CALL ignition_click(ClickRecord*, uint32_t mouse_flags) {
  const bool guard_open = ignition_switch_state > kIgnitionGuarded;
  if (mouse_flags & kMouseLeftSingle) {
    if (!guard_open) return false;
    const bool switching_off = ignition_switch_on != 0;
    ignition_switch_state = switching_off ? kIgnitionOpenOff : kIgnitionOpenOn;
    ignition_switch_on = switching_off ? 0 : 1;
    sound::gauge_sound_play(click_sound);
    send_event(kSetFuelLever, switching_off ? kFuelLeverCutOff : kFuelLeverOpen);
  } else if (mouse_flags & kMouseRightSingle) {
    if (guard_open) {
      ignition_switch_state = kIgnitionGuarded;
    } else {
      ignition_switch_state = ignition_switch_on != 0 ? kIgnitionOpenOn : kIgnitionOpenOff;
    }
    sound::gauge_sound_play(click_sound);
  }
  return false;
}

// The simulator's single pump runs only while both switches are on: switching one on starts it
// when the other is on, switching either off stops it.
void flip_pump(int32_t& pump_on, int32_t other_pump_on, uint32_t mouse_flags) {
  const double pump = read_var(kFuelPump);
  if (!(mouse_flags & kMouseLeftSingle)) return;
  if (pump_on == 0) {
    pump_on = 1;
    sound::gauge_sound_play(click_sound);
    if (pump == 0.0 && other_pump_on != 0) send_event(kToggleFuelPump);
  } else {
    pump_on = 0;
    sound::gauge_sound_play(click_sound);
    if (pump == 1.0) send_event(kToggleFuelPump);
  }
}

Bool32 CRV5_CALL left_pump_click(ClickRecord*, uint32_t mouse_flags) {
  flip_pump(left_fuel_pump_on, right_fuel_pump_on, mouse_flags);
  return false;
}

Bool32 CRV5_CALL right_pump_click(ClickRecord*, uint32_t mouse_flags) {
  flip_pump(right_fuel_pump_on, left_fuel_pump_on, mouse_flags);
  return false;
}

// Called on the click and again while the button is held; silent.
Bool32 CRV5_CALL starter_click(ClickRecord*, uint32_t) {
  const double voltage = read_var(kVoltage);
  if (start_ready == 1 && voltage > 20) send_event(kEngageStarter);
  return false;
}

// --- Gauge callback -----------------------------------------------------------------------------

// Pre-install shows the simulator's valve with the guard closed, then sets up the click.
void CRV5_CALL starter_board_service(GaugeHeader*, int32_t service_id, uintptr_t extra_data) {
  if (service_id == kServicePreInstall) {
    fuel_valve_switch_state = truncate_to_int(read_var(kFuelValve));
  }
  sound::gauge_sound_service(click_sound, service_id, extra_data);
}

}  // namespace starter_board

GaugeHeader gauge_Starter_Board = crv5::gauge_header(
    crv5::GaugeId::Starter_Board, crv5::element_list<&starter_board::board>, starter_board::mouse,
    starter_board::starter_board_service);
