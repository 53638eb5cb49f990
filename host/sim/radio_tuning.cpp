#include "host/sim/radio_tuning.h"

#include <algorithm>

namespace gaugehost::radio {

namespace {

int wrap(int value, int low, int count) { return low + ((value - low) % count + count) % count; }

uint32_t digit(uint32_t packed, int place) { return (packed >> (4 * place)) & 0xF; }

}  // namespace

std::optional<uint32_t> from_packed_decimal(uint32_t packed) {
  uint32_t number = 0;
  for (int place = 7; place >= 0; --place) {
    if (digit(packed, place) > 9) return std::nullopt;
    number = number * 10 + digit(packed, place);
  }
  return number;
}

uint32_t to_packed_decimal(uint32_t number) {
  uint32_t packed = 0;
  for (int place = 0; place < 8 && number > 0; ++place, number /= 10)
    packed |= (number % 10) << (4 * place);
  return packed;
}

Frequency decode_vhf(uint32_t packed, const Band& band) {
  const int tens = int(std::min(digit(packed, 3), 9u)), units = int(std::min(digit(packed, 2), 9u));
  const int decimals = int(std::min(digit(packed, 1), 9u)) * 10 + int(std::min(digit(packed, 0), 9u));
  Frequency frequency;
  frequency.mhz = std::clamp(100 + 10 * tens + units, band.low_mhz, band.high_mhz);
  // Half a hundredth up, then the nearest channel: the first two decimals of a channel truncate
  // its kilohertz, so 27 (270 to 279 kHz) is the channel 275.
  const int channels = 1000 / band.spacing_khz;
  const int channel = (decimals * 10 + 5 + band.spacing_khz / 2) / band.spacing_khz;
  frequency.khz = std::min(channel, channels - 1) * band.spacing_khz;
  return frequency;
}

uint32_t pack_vhf(Frequency frequency) {
  const uint32_t above_100 = uint32_t(std::clamp(frequency.mhz - 100, 0, 99));
  const uint32_t decimals = uint32_t(std::clamp(frequency.khz, 0, 999) / 10);
  return to_packed_decimal(above_100) << 8 | to_packed_decimal(decimals);
}

Frequency step_mhz(Frequency frequency, int delta, const Band& band) {
  frequency.mhz = wrap(frequency.mhz + delta, band.low_mhz, band.high_mhz - band.low_mhz + 1);
  return frequency;
}

Frequency step_channel(Frequency frequency, int delta, const Band& band) {
  const int channels = 1000 / band.spacing_khz;
  frequency.khz = wrap(frequency.khz / band.spacing_khz + delta, 0, channels) * band.spacing_khz;
  return frequency;
}

int decode_adf(uint32_t packed, uint32_t extended) {
  const int whole = (extended >= 0x100 ? 1000 : 0) + int(std::min(digit(packed, 2), 9u)) * 100 +
                    int(std::min(digit(packed, 1), 9u)) * 10 + int(std::min(digit(packed, 0), 9u));
  const int tenths = int(std::min(digit(extended, 0), 9u));
  return std::clamp(whole * 10 + tenths, kAdfLowTenths, kAdfHighTenths);
}

AdfPacked pack_adf(int tenths) {
  tenths = std::clamp(tenths, kAdfLowTenths, kAdfHighTenths);
  const uint32_t whole = uint32_t(tenths / 10);
  return {to_packed_decimal(whole % 1000), (whole >= 1000 ? 0x100u : 0u) + uint32_t(tenths % 10)};
}

int step_adf(int tenths, int delta_tenths) {
  return std::clamp(tenths + delta_tenths, kAdfLowTenths, kAdfHighTenths);
}

std::optional<int> adf_from_set_value(uint32_t value) {
  const std::optional<uint32_t> number = from_packed_decimal(value);
  if (!number) return std::nullopt;
  return int(std::clamp<uint32_t>(*number, kAdfLowTenths, kAdfHighTenths));
}

uint32_t normalise_code(uint32_t packed) {
  uint32_t code = 0;
  for (int place = 0; place < 4; ++place) code |= std::min(digit(packed, place), 7u) << (4 * place);
  return code;
}

uint32_t step_code_digit(uint32_t packed, int place, int delta) {
  const uint32_t code = normalise_code(packed);
  const uint32_t stepped = uint32_t(wrap(int(digit(code, place)) + delta, 0, 8));
  return (code & ~(0xFu << (4 * place))) | stepped << (4 * place);
}

}  // namespace gaugehost::radio
