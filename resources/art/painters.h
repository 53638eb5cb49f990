// The painters of the module's bitmaps, one per drawn resource id. Each paints onto a transparent
// surface of the size the resource script gives.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <map>

namespace crv5::art {

using Painter = std::function<void(cairo_t*)>;
using Painters = std::map<int32_t, Painter>;

// Each family of gauges adds its painters.
void add_turbine_painters(Painters& painters);
void add_systems_painters(Painters& painters);
void add_lamp_painters(Painters& painters);
void add_control_painters(Painters& painters);
void add_drum_painters(Painters& painters);

// Every painter of the module.
Painters all_painters();

}  // namespace crv5::art
