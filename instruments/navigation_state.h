// Module-wide state of the navigation instruments: the Ruzi compass's function selector and card
// heading, the RMI switch's choice of receiver and the ADF indicator's last bearing. Each value
// lives as long as the module; the load values are given beside each.
#pragma once

#include <cstdint>

namespace crv5 {

// Ruzi_Compass function selector: 0 "GM", 1 "D", 2 "Cm".
extern int32_t compass_mode;           // 0 at load
extern int32_t previous_compass_mode;  // the mode before the last change; 0 at load
extern double card_heading;            // degrees the card showed at its last update; 0 at load
extern double heading_to_align;        // copied from card_heading at each card update; 0 at load

// RMI_Switch: 1, the RMI's VOR needle follows NAV1; 0, NAV2.
extern int32_t rmi_nav1_selected;      // 1 at load

// ADF_Indicator: the bearing its needle last read, for its tooltip.
extern double adf_indicator_bearing;   // 0 at load

}  // namespace crv5
