#include "instruments/navigation_state.h"

namespace crv5 {

int32_t compass_mode = 0;
int32_t previous_compass_mode = 0;
double card_heading = 0;
double heading_to_align = 0;

int32_t rmi_nav1_selected = 1;

double adf_indicator_bearing = 0;

}  // namespace crv5
