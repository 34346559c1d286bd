// openMusic on arbitrary bytes, played to the end through SDL_mixer: SDL's disk output writes
// to /dev/null as fast as the decoder goes, so every frame of the input is decoded.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzAudio.h"
#include "audio/SoundEngine.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    openFuzzAudio("disk");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Mix_Music* music = openMusic(bytes);
    if (music == nullptr)
        return 0;
    if (Mix_PlayMusic(music, 0) == 0) {
        for (int ms = 0; ms < 2000 && Mix_PlayingMusic(); ++ms)
            SDL_Delay(1);
    }
    Mix_FreeMusic(music);
    return 0;
}
