// What the five radio heads share: the packed-decimal decoders, the digits their read-outs show,
// the main and tone switch pictures, the power lamps, read-out lighting, the tooltip arguments,
// the tuning-knob step with its stop, and the gauge callback's install / update / kill steps.
// Each head binds these to its own state variables, tokens and events.
#pragma once

#include <cmath>
#include <cstdint>

#include "module/gauge.h"
#include "module/records.h"
#include "module/services.h"
#include "mechanics/radio_state.h"
#include "sound/sound_player.h"

namespace crv5::radio {

// --- Packed-decimal decoders ----------------------------------------------------------------
// The host packs the radios' digits four bits each. Every step is unsigned 32-bit arithmetic, so
// a value outside the receivers' bands (a panel designer's) decodes to some finite number
// rather than failing; inside the bands the results are the receivers' own.

// COM whole megahertz from "tens, units, tenths, hundredths" of (frequency - 100 MHz).
constexpr double com_whole_mhz(uint32_t v) {
  if (v >= 0x3000u) return 130.0 + ((v - 0x3000u) >> 8);
  if (v >= 0x2000u) return 120.0 + ((v - 0x2000u) >> 8);
  return 110.0 + ((v - 0x1000u) >> 8);
}

// NAV whole megahertz, packed as the COM frequency.
constexpr double nav_whole_mhz(uint32_t v) {
  if (v >= 0x1000u) return 110.0 + ((v - 0x1000u) >> 8);
  return 100.0 + (v >> 8);
}

// The two decimals of a COM or NAV frequency as 0 to 99 (0x25 gives 25).
constexpr double frequency_fraction(uint32_t v) {
  const uint32_t b = v % 256u;
  return 10.0 * (b / 16u) + (b % 16u);
}

// The ADF frequency in kHz with tenths from its two tokens: `digits` holds hundreds, tens and
// units; `extra` 0x100 for 1000 kHz and above, plus the tenths digit.
constexpr double adf_khz(uint32_t digits, uint32_t extra) {
  const double whole = 1000.0 * (extra >= 0x100u ? 1 : 0) + 100.0 * (digits / 256u) +
                       10.0 * ((digits % 256u) / 16u) + (digits % 16u);
  const uint32_t tenths = extra >= 256u ? extra - 256u : extra;
  return whole + tenths / 10.0;
}

// The four transponder code digits read as a decimal number (0x7700 gives 7700).
constexpr double transponder_code(uint32_t v) {
  return 1000.0 * (v / 4096u) + 100.0 * ((v % 4096u) / 256u) + 10.0 * ((v % 256u) / 16u) +
         (v % 16u);
}

// Rewrites the digits of n in base `from` as digits in base `to`: (4100, 10, 16) gives 0x4100.
// A base below 2 leaves n as it is.
constexpr uint32_t reexpress(uint32_t n, uint32_t from, uint32_t to) {
  if (from < 2) return n;
  if (n / from == 0 && n % from == 0) return 0;
  return reexpress(n / from, from, to) * to + n % from;
}

// --- Read-out digits ------------------------------------------------------------------------

// The digit of `value` at `place` (1, 10, 100, ...): floor((v - 10p floor(v / 10p)) / p).
inline double digit_at(double value, double place) {
  const double decade = 10 * place;
  return std::floor((value - decade * std::floor(value / decade)) / place);
}
// Everything of `value` from `place` up: floor(v / p).
inline double digits_from(double value, double place) { return std::floor(value / place); }

// --- Switches, lamps, lighting --------------------------------------------------------------

constexpr bool is_on(int32_t state) { return state != 0; }
// A switch's toggle: 0 becomes 1, anything else 0.
constexpr int32_t toggled(int32_t state) { return state == 0 ? 1 : 0; }

// A two-image switch: 1 while its state is on, else 0.
template <const int32_t* State>
double CRV5_CALL switch_picture(ElementIcon*) {
  return is_on(*State) ? 1 : 0;
}
// A power lamp: lit (image 0) while the head is on, else hidden.
template <const int32_t* Power>
double CRV5_CALL power_lamp(ElementIcon*) {
  return is_on(*Power) ? 0 : -1;
}

// Read-out lighting, done by a read-out's own callback: luminous while the head is on, and
// drawn again at once.
inline void light_with_power(ElementHeader& element, int32_t power) {
  if (is_on(power)) {
    element.image_flags |= kImageLuminous;
  } else {
    element.image_flags &= ~uint32_t{kImageLuminous};
  }
  element.image_flags &= ~uint32_t{kImageOnScreen};
}

// --- Tooltip arguments ----------------------------------------------------------------------

template <const int32_t* State>
const char* CRV5_CALL state_word(CRV5_TOOLTIP_PARAMS) {
  return is_on(*State) ? "on" : "off";
}
// Whole megahertz plus the decimals, shown by "%1!07.3f!".
template <const double* WholeMhz, const double* Fraction>
double CRV5_CALL frequency_mhz(CRV5_TOOLTIP_PARAMS) {
  return *WholeMhz + *Fraction / 100;
}

// --- Main switch ----------------------------------------------------------------------------

// Turns the head's power over and plays its click.
template <int32_t* Power, sound::GaugeSound* Click>
Bool32 CRV5_CALL main_switch_click(ClickRecord*, uint32_t) {
  *Power = toggled(*Power);
  sound::gauge_sound_play(*Click);
  return false;
}

// --- Tuning knobs ---------------------------------------------------------------------------

// A knob's stop, tested on the value before the step.
enum class Stop {
  kNone,     // no stop
  kAtLeast,  // acts while value >= limit
  kAtMost,   // acts while value <= limit
  kAbove,    // acts while value > limit
  kBelow,    // acts while value < limit
};

// One click of a knob: `event` sent `times` in a row, each with value 0, while the stop allows.
struct Step {
  uint32_t event;
  int32_t times;
  Stop stop = Stop::kNone;
  double limit = 0;
};

// Whether the stop lets a step from `value` go (a value that is not a number never passes one).
constexpr bool allows(Stop stop, double value, double limit) {
  switch (stop) {
    case Stop::kNone: return true;
    case Stop::kAtLeast: return value >= limit;
    case Stop::kAtMost: return value <= limit;
    case Stop::kAbove: return value > limit;
    case Stop::kBelow: return value < limit;
  }
  return false;
}

// Sends the step's events when the stop allows it from `value`; whether it did.
inline bool take_step(const Step& step, double value) {
  if (!allows(step.stop, value, step.limit)) return false;
  for (int32_t i = 0; i < step.times; ++i) send_event(step.event, 0);
  return true;
}

// One half of a tuning knob: what it decodes first, whether it needs power, the value its stop
// tests and its step. The host calls it on a click and again while the button is held.
struct KnobHalf {
  void (*decode)();      // refreshes the decoded values first; null: the read-outs did
  const int32_t* power;  // the head's power state; null: acts unpowered
  const double* value;   // the value the stop tests
  Step step;
};

template <const KnobHalf& Half>
Bool32 CRV5_CALL knob_click(ClickRecord*, uint32_t) {
  if (Half.decode != nullptr) Half.decode();
  if (Half.power != nullptr && !is_on(*Half.power)) return false;
  take_step(Half.step, *Half.value);
  return false;
}

// --- Gauge callback -------------------------------------------------------------------------

// Install: the head's own first steps, then the sound player and its click. Update: the head's
// decoding. Kill: the click and the player released.
template <sound::GaugeSound* Click, void (*Install)() = nullptr, void (*Update)() = nullptr>
void CRV5_CALL head_service(GaugeHeader*, int32_t service_id, uintptr_t extra_data) {
  if constexpr (Install != nullptr) {
    if (service_id == kServicePreInstall) Install();
  }
  if constexpr (Update != nullptr) {
    if (service_id == kServicePreUpdate) Update();
  }
  sound::gauge_sound_service(*Click, service_id, extra_data);
}

}  // namespace crv5::radio
