#pragma once

#include <cstdlib>

#include "audio/SoundEngine.h"

// Opens the game's sound engine once on SDL's `driver`, for the whole fuzzing run; without a
// device nothing would be decoded, so the run stops at once.
inline void openFuzzAudio(const char* driver) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    static const auto engine = SoundEngine::create();
    if (!engine->hasDevice())
        std::abort();
}
