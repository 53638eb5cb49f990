#include "mechanics/drum.h"

#include <algorithm>
#include <cmath>

namespace crv5::drums {

double drum_position(double value, double step, double roll, double period) {
  if (!std::isfinite(value) || !(step > 0) || !(roll > 0) || !(period > 0)) return 0;
  const double base = std::floor(value / step) * step;
  const double rest = value - base;
  const double rolled = std::max(0.0, (rest - step + roll) * (step / roll));
  const double position = (base + rolled) - std::floor((base + rolled) / period) * period;
  return std::clamp(position, 0.0, period);
}

double drum_on_record(const ElementMovingImage& drum, double value) {
  return drum_position(value, drum.x.min, drum.x.max, std::max(drum.y.min, drum.y.max));
}

}  // namespace crv5::drums
