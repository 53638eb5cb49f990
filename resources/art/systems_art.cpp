// Artwork of the aircraft systems' gauges.
#include "resources/art/painters.h"
#include "resources/art/style.h"

namespace crv5::art {

void add_systems_painters(Painters&) {}

}  // namespace crv5::art
