// Building blocks of the synthesized clicks: a signal is a run of samples in [-1, 1] at 22050
// samples per second, made by adding decaying tones and bursts of noise.
#pragma once

#include <cstdint>
#include <vector>

namespace waves {

constexpr double kSampleRate = 22050.0;

using Signal = std::vector<double>;

// A repeatable noise source (the same bytes on every build), values in [-1, 1].
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  double next();

 private:
  uint32_t state_;
};

// Adds a sine that starts at `start` seconds with `amplitude` and dies away exponentially with
// the time constant `decay` seconds: the ring of a struck metal or plastic part.
void add_ring(Signal& signal, double start, double frequency, double amplitude, double decay);

// Adds a burst of noise from `start` seconds that dies away with the time constant `decay`,
// low-passed at `cutoff` hertz (duller for lower cut-offs): the scrape or impact itself.
void add_burst(Signal& signal, Noise& noise, double start, double amplitude, double decay,
               double cutoff);

// Adds low-passed noise under an envelope that rises over `rise` seconds from `start`, holds,
// and falls over `fall` seconds to end at `end`: friction while a part moves.
void add_friction(Signal& signal, Noise& noise, double start, double end, double rise, double fall,
                  double amplitude, double cutoff);

// Removes any constant offset and fades the last `seconds` to silence, so the click ends cleanly.
void finish(Signal& signal, double seconds);

// Scales the signal so that its largest magnitude is `peak`.
void normalize(Signal& signal, double peak);

// Samples for the wave files, rounded and limited to the sample range.
std::vector<int16_t> to_pcm16(const Signal& signal);
std::vector<uint8_t> to_pcm8(const Signal& signal);

}  // namespace waves
