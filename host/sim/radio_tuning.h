// The receivers' tuning arithmetic: frequencies and codes as the packed-decimal token values hold
// them, and the steps the radio heads ask for. Pure functions of the values, so that they can be
// tested apart from the model.
#pragma once

#include <cstdint>
#include <optional>

namespace gaugehost::radio {

// A VHF band: whole megahertz from `low_mhz` to `high_mhz`, channels `spacing_khz` apart.
struct Band {
  int low_mhz;
  int high_mhz;
  int spacing_khz;
};
inline constexpr Band kComBand{118, 136, 25};
inline constexpr Band kNavBand{108, 117, 50};

// A VHF frequency: whole megahertz and the kilohertz above it (a multiple of the spacing).
struct Frequency {
  int mhz = 0;
  int khz = 0;
  bool operator==(const Frequency&) const = default;
};

// The frequency a packed value holds (digits: tens and units of megahertz above 100, tenths,
// hundredths), put into the band: megahertz outside it, or digits that are no decimal digits,
// are held to the band's ends, and the two decimals go to the nearest channel whose first two
// decimals they are (the COM head's 27 is 275 kHz, 22 is 225 kHz).
Frequency decode_vhf(uint32_t packed, const Band& band);
// The packed value of a frequency: its decimals truncated to two digits (118.275 MHz is 0x1827).
uint32_t pack_vhf(Frequency frequency);
// Whole megahertz up or down by `delta`, wrapping from one end of the band to the other.
Frequency step_mhz(Frequency frequency, int delta, const Band& band);
// Decimals up or down by `delta` channels, wrapping within the megahertz (.975 up gives .000).
Frequency step_channel(Frequency frequency, int delta, const Band& band);

// The ADF receiver, in tenths of kilohertz, within its tuner's range of 200.0 to 1750.0 kHz.
inline constexpr int kAdfLowTenths = 2000;
inline constexpr int kAdfHighTenths = 17500;
// The frequency that tokens 16 (hundreds, tens and units of kHz) and 18 (0x100 at 1000 kHz and
// above, plus the tenths) hold, held to the range.
int decode_adf(uint32_t packed, uint32_t extended);
struct AdfPacked {
  uint32_t packed = 0;
  uint32_t extended = 0;
  bool operator==(const AdfPacked&) const = default;
};
AdfPacked pack_adf(int tenths);
// Tuned up or down by `delta_tenths`, stopping at the ends of the range.
int step_adf(int tenths, int delta_tenths);
// The ADF set event's value: the frequency's digits down to the tenths as packed decimal (410.0
// kHz is 0x4100, 1234.5 kHz 0x12345); nothing when a digit is no decimal digit. Held to the range.
std::optional<int> adf_from_set_value(uint32_t value);

// Transponder codes: four digits of 0 to 7, packed four bits each (7700 is 0x7700). A digit
// beyond 7 counts as 7.
uint32_t normalise_code(uint32_t packed);
// Digit `place` (0 units, 1 tens, 2 hundreds, 3 thousands) up or down by one, 7 up giving 0.
uint32_t step_code_digit(uint32_t packed, int place, int delta);

// Packed decimal helpers: the digits of a number and back; nothing for a digit beyond 9.
std::optional<uint32_t> from_packed_decimal(uint32_t packed);
uint32_t to_packed_decimal(uint32_t number);

}  // namespace gaugehost::radio
