#include "audio/Sound.h"

#include <SDL_mixer.h>

#include <cmath>

float Sound::getVolume() const {
    return volume_;
}

void Sound::setVolume(float volume) {
    // Written so that NaN ends up silent rather than passed to the mixer.
    if (!(volume > 0.0f)) {
        volume = 0.0f;
    } else if (volume > 1.0f) {
        volume = 1.0f;
    }
    volume_ = volume;
    if (drivesMusic_) {
        Mix_VolumeMusic(static_cast<int>(std::lround(volume_ * MIX_MAX_VOLUME)));
    }
}
