// What the Windows check runner adds to the host's audio records (host/audio/audio.h).
#pragma once

#include <string>

namespace gaugehost::audio {

// Problems the recording dsound.dll found in calls made after the last check of sounds (gauges
// released as a check file ends), since the last call; "" when there were none.
std::string take_late_problems();

}  // namespace gaugehost::audio
