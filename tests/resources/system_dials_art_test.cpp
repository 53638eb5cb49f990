// The engine and system dials' artwork agrees with their needle tables. Marks are given in the
// tables' units: degrees Rankine, pounds per square foot, pounds per hour.
#include <gtest/gtest.h>

#include "tests/resources/dial_checks.h"

namespace {

using crv5::testing::Graduations;
using crv5::testing::NeedleBitmap;
using crv5::testing::NeedleReach;
using crv5::testing::Scale;

constexpr double rankine(double celsius) { return celsius * 1.8 + 491.67; }
constexpr double psf(double bars) { return bars * 2087.91; }
constexpr double pounds(double kilograms) { return kilograms / 0.4536; }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    SystemDials, Graduations,
    ::testing::Values(
        Scale{"EGT_Indicator", 2000, 2010, rankine(0), rankine(800), 180, 125, 4},            // every 100 degrees C
        Scale{"Fuel_Flow", 2070, 2080, pounds(0), pounds(500), pounds(100), 112, 8},           // the opened-out low end
        Scale{"Fuel_Pressure", 1470, 1480, psf(0), psf(30), psf(10), 79, 6, 0},               // right needle
        Scale{"Fuel_Pressure", 1470, 1480, psf(0), psf(30), psf(10), 79, 6, 1},               // left needle
        Scale{"Hydraulic_Pressure", 1020, 1030, psf(0), psf(300), psf(100), 79, 6, 0},
        Scale{"Hydraulic_Pressure", 1020, 1030, psf(0), psf(300), psf(100), 79, 6, 1},
        Scale{"Triple_Indicator", 2440, 2450, rankine(0), rankine(120), 36, 119, 3, 0},     // temperature, every 20
        Scale{"Triple_Indicator", 2440, 2450, psf(0), psf(20), psf(10), 119, 3, 1},          // oil pressure
        Scale{"Triple_Indicator", 2440, 2450, psf(0), psf(3), psf(1), 119, 3, 2},            // fuel pressure
        Scale{"Voltmeter", 4130, 4140, 0, 30, 10, 63, 5},
        Scale{"Spoilers_Position", 3340, 3350, 0, 16384, 4096, 64, 5}),
    crv5::testing::scale_name);

// Fuel flow over its compressed upper range, every 500 kg/h.
INSTANTIATE_TEST_SUITE_P(SystemDialsHighFlow, Graduations,
                         ::testing::Values(Scale{"Fuel_Flow", 2070, 2080, pounds(1000), pounds(1500), pounds(500), 112, 3}),
                         crv5::testing::scale_name);

// The fuel flow and the two pressure dials' needles are shorter than their tables' radius: their
// marks run in to meet the tips instead (the Graduations above probe inside the tips' reach).
INSTANTIATE_TEST_SUITE_P(SystemDials, NeedleReach,
                         ::testing::Values(NeedleBitmap{"EGT_Indicator", 2010},
                                           NeedleBitmap{"Triple_Indicator", 2450},
                                           NeedleBitmap{"Voltmeter", 4140},
                                           NeedleBitmap{"Spoilers_Position", 3350}),
                         crv5::testing::needle_name);
// clang-format on

}  // namespace
