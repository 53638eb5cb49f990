// The flight instruments' dials agree with their needles: each major mark where the needle points
// for its value, each needle reaching its marks. (The airspeed dial's marks stand where the
// knots scale turns the pointer; its figures are checked in the rendered cockpit.)
#include <gtest/gtest.h>

#include "tests/resources/dial_checks.h"

namespace {

using crv5::testing::Graduations;
using crv5::testing::NeedleBitmap;
using crv5::testing::NeedleReach;
using crv5::testing::Scale;

constexpr double fpm(double feet_per_minute) { return feet_per_minute * 256 / 60 / 3.28084; }

INSTANTIATE_TEST_SUITE_P(
    FlightInstruments, Graduations,
    ::testing::Values(
        // Altimeter: a mark every 100 feet, a turn per 1000.
        Scale{"Altimeter", 1050, 1060, 0, 900, 100, 120, 3},
        // Cabin altitude: every 5000 feet from 10000 (the schedule's crowded start aside).
        Scale{"Cabin_Altitude", 2250, 2260, 10000, 40000, 5000, 80, 4.5},
        // Vertical speed: every 1000 ft/min to 4000, climbing and descending.
        Scale{"Vertical_Speed", 310, 320, fpm(-4000), fpm(4000), fpm(1000), 124, 2},
        // Accelerometer: every g from -5 to +10.
        Scale{"Accelerometer", 1140, 1150, -5 * 624, 10 * 624, 624, 108, 2}),
    crv5::testing::scale_name);

INSTANTIATE_TEST_SUITE_P(FlightInstruments, NeedleReach,
                         ::testing::Values(NeedleBitmap{"Airspeed_Machmeter", 1260},
                                           NeedleBitmap{"Cabin_Altitude", 2260},
                                           NeedleBitmap{"Vertical_Speed", 320},
                                           NeedleBitmap{"Accelerometer", 1150},
                                           NeedleBitmap{"Accelerometer", 1160}),
                         crv5::testing::needle_name);

}  // namespace
