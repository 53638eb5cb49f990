// The aircraft's radio receivers as the gauges see them: the tuned frequencies read from the
// radios' token variables, what the navigation aids give there (host/sim/nav/navaids.h), written
// back as the receivers' token variables.
#pragma once

#include <cstdint>

#include "host/sim/nav/navaids.h"
#include "host/sim/radio_tuning.h"
#include "host/sim/sim_state.h"

namespace gaugehost::nav {

// A packed radio variable as the whole number it holds, 0 when it holds none.
uint32_t packed_var(const SimState& sim, uint32_t id);

// The frequencies the radios hold in packed decimal, as their tuners read them: COM and NAV in
// MHz (COM1's 0x1827 is the 25 kHz channel 118.275), ADF in kHz.
double vhf_frequency_mhz(uint32_t packed, const radio::Band& band);
double adf_frequency_khz(uint32_t packed, uint32_t extended);

struct Receivers {
  NavReception nav1;
  NavReception nav2;
  AdfReception adf;
  MarkerKind marker = MarkerKind::none;
};

// What the receivers get at this position, from the tuned frequencies and courses in `sim`.
Receivers receive_all(const NavaidDatabase& db, const SimState& sim, const Antenna& aircraft);

// Writes the receivers' variables: deviations, flags, bearings, glide slopes, ADF, marker.
void write_receivers(SimState& sim, const Receivers& receivers);

}  // namespace gaugehost::nav
