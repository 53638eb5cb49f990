// Placeholder until the player is written: every gauge is silent.
#include "sound/sound_player.h"

namespace crv5::sound {

bool sound_available = true;

void gauge_sound_service(GaugeSound&, int32_t, uintptr_t) {}
void gauge_sound_play(GaugeSound&) {}

}  // namespace crv5::sound
