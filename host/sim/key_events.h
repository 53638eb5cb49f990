// The key events the host answers: for each event id the library sends, what it does to the
// aircraft. This file's table is the one place where an event's number appears in the host; the
// systems model reads only the effect, its target and its amount.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace gaugehost {

enum class Effect {
  panel_window,   // opens, closes or toggles the panel window named by the value (the session's)
  toggle,         // target: 0 becomes 1, anything else 0
  set_to,         // target = amount
  set_scaled,     // target = value (a signed 32-bit number) x amount, held to its range
  set_angle,      // target = value in degrees, wrapped into 0 to 360
  step,           // target + amount, held to its range
  step_angle,     // target + amount degrees, wrapped into 0 to 360
  toggle_lever,   // target: up (0) becomes down (16384), down becomes up
  vhf_mhz,        // target: a packed COM or NAV frequency; whole MHz + amount, wrapping
  vhf_channel,    // target: a packed COM or NAV frequency; decimals + amount channels, wrapping
  adf_step,       // the ADF frequency + amount tenths of kHz, held to the tuner's range
  adf_set,        // the ADF frequency = the value's packed digits (tenths of kHz)
  code_digit,     // transponder digit number `target` (0 units) + amount, 0 to 7 wrapping
  ident_audio,    // receiver `target` (an IdentReceiver) ident audio = amount
  starter,        // engages the starter, which then runs the start by itself
  flaps_step,     // the flaps handle + amount detents
  parachute,      // deploys the stowed drag chute, drops a deployed one
  not_simulated,  // recorded, and its note logged once
};

enum IdentReceiver : uint32_t { kIdentNav1, kIdentNav2, kIdentAdf };

struct KeyEventInfo {
  uint32_t id;
  const char* name;
  Effect effect;
  uint32_t target;  // a Token, a digit place or an IdentReceiver, as the effect says
  double amount;
  const char* note;  // for not_simulated: why
};

// Every event of the table, in ascending order of id.
std::span<const KeyEventInfo> key_event_table();
// The entry of an event, or null for one the host does not know.
const KeyEventInfo* find_key_event(uint32_t id);

// What a panel-window event does to the window its value names.
enum class WindowAction { open, close, toggle };
std::optional<WindowAction> panel_window_action(uint32_t id);

}  // namespace gaugehost
