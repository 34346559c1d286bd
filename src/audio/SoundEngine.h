#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/Sound.h"
#include "io/Report.h"

struct Mix_Chunk;
struct _Mix_Music;

// Decodes a whole effect (a WAV file's bytes) for the open mixer; nullptr on failure, with the
// mixer's reason in Mix_GetError.
Mix_Chunk* decodeEffect(const std::string& bytes);
// Prepares music (an MP3 file's bytes) for streaming from `bytes`, which must outlive it;
// nullptr on failure, with the reason in Mix_GetError.
_Mix_Music* openMusic(const std::string& bytes);

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
    // Played, or silent for the reason reported (a file not yet asked for counts as played).
    LoadState state(const std::string& file) const;

  private:
    explicit SoundEngine(bool device) : device_(device) {}
    Mix_Chunk* effect(const std::string& file);
    Sound* playMusic(const std::string& file, bool looped, bool startPaused);
    void reportOnce(const std::string& file, const char* reason);

    bool device_;
    std::map<std::string, int> playCounts_;
    // Effects are decoded whole on first use and kept for the engine's lifetime.
    std::map<std::string, Mix_Chunk*> effects_;
    // Files already reported as unplayable, with the reason: never loaded or reported again.
    std::map<std::string, std::string> unplayable_;
    // The one streamed music the mixer can play at a time, and every handle given out, which
    // stay valid (though silent once replaced) until the engine goes.
    _Mix_Music* music_ = nullptr;
    std::unique_ptr<std::string> musicBytes_; // what music_ streams from
    std::vector<std::unique_ptr<Sound>> handles_;
};
