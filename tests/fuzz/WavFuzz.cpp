// decodeEffect on arbitrary bytes, through SDL_mixer on SDL's dummy output: a WAV decodes
// whole or is refused, never crashes.
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzAudio.h"
#include "audio/SoundEngine.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    openFuzzAudio("dummy");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Mix_Chunk* chunk = decodeEffect(std::string(reinterpret_cast<const char*>(data), size));
    if (chunk != nullptr)
        Mix_FreeChunk(chunk);
    return 0;
}
