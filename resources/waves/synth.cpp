#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace waves {
namespace {

size_t sample_at(double seconds) { return static_cast<size_t>(std::lround(seconds * kSampleRate)); }

// Coefficient of a one-pole low-pass filter with the given cut-off.
double lowpass_coefficient(double cutoff) {
  return 1.0 - std::exp(-2.0 * std::numbers::pi * cutoff / kSampleRate);
}

}  // namespace

double Noise::next() {
  // xorshift32: a full-period generator with no state beyond one word.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_ / 2147483647.5 - 1.0;
}

void add_ring(Signal& signal, double start, double frequency, double amplitude, double decay) {
  for (size_t i = sample_at(start); i < signal.size(); ++i) {
    double t = i / kSampleRate - start;
    const double phase = 2.0 * std::numbers::pi * frequency * t;
    signal[i] += amplitude * std::exp(-t / decay) * std::sin(phase);
  }
}

void add_burst(Signal& signal, Noise& noise, double start, double amplitude, double decay,
               double cutoff) {
  const double k = lowpass_coefficient(cutoff);
  double filtered = 0.0;
  for (size_t i = sample_at(start); i < signal.size(); ++i) {
    double t = i / kSampleRate - start;
    filtered += k * (noise.next() - filtered);
    signal[i] += amplitude * std::exp(-t / decay) * filtered;
  }
}

void add_friction(Signal& signal, Noise& noise, double start, double end, double rise, double fall,
                  double amplitude, double cutoff) {
  const double k = lowpass_coefficient(cutoff);
  double filtered = 0.0;
  const size_t last = std::min(sample_at(end), signal.size());
  for (size_t i = sample_at(start); i < last; ++i) {
    double t = i / kSampleRate;
    double envelope = std::min({1.0, (t - start) / rise, (end - t) / fall});
    filtered += k * (noise.next() - filtered);
    signal[i] += amplitude * std::max(0.0, envelope) * filtered;
  }
}

void finish(Signal& signal, double seconds) {
  if (signal.empty()) return;
  double mean = 0.0;
  for (double s : signal) mean += s;
  mean /= static_cast<double>(signal.size());
  for (double& s : signal) s -= mean;

  const size_t fade = std::min(sample_at(seconds), signal.size());
  for (size_t n = 0; n < fade; ++n) {
    double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * n / fade);  // 0 at the very end
    signal[signal.size() - 1 - n] *= gain;
  }
}

void normalize(Signal& signal, double peak) {
  double largest = 0.0;
  for (double s : signal) largest = std::max(largest, std::abs(s));
  if (largest == 0.0) return;
  for (double& s : signal) s *= peak / largest;
}

std::vector<int16_t> to_pcm16(const Signal& signal) {
  std::vector<int16_t> samples;
  samples.reserve(signal.size());
  for (double s : signal)
    samples.push_back(static_cast<int16_t>(std::clamp(std::lround(s * 32767.0), -32768L, 32767L)));
  return samples;
}

std::vector<uint8_t> to_pcm8(const Signal& signal) {
  // 8-bit wave samples are unsigned, silence at 128.
  std::vector<uint8_t> samples;
  samples.reserve(signal.size());
  for (double s : signal)
    samples.push_back(static_cast<uint8_t>(std::clamp(128L + std::lround(s * 127.0), 0L, 255L)));
  return samples;
}

}  // namespace waves
