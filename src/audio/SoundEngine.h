#pragma once

#include <map>
#include <memory>
#include <string>

#include "audio/Sound.h"

struct Mix_Chunk;

// The game's sound operations over SDL2_mixer: effects fired and forgotten, and looped,
// tracked music. When no output device can be opened the engine stays usable but silent:
// every play is still counted (tests observe gates and kills through the counts) and a
// tracked play returns no handle.
class SoundEngine {
public:
    // Opens the default output device; says so in one line on standard error when it cannot.
    static std::unique_ptr<SoundEngine> create();
    // An engine that never opens a device, for tests of the rules that play sounds.
    static std::unique_ptr<SoundEngine> createSilent();
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Starts `file` at once, mixed over what already plays, and returns at once.
    // With `track` the engine keeps the sound and returns its handle (owned by the engine);
    // otherwise, and whenever nothing could be played, it returns nullptr.
    Sound* play2D(const std::string& file, bool looped, bool startPaused, bool track);

    // How many times `file` was asked to play, whether or not it could be heard.
    int playCount(const std::string& file) const;
    bool hasDevice() const { return device_; }

private:
    // (the audio implementation's own members)
};
