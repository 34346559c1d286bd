#pragma once

// A tracked, playing sound: the handle the game keeps for its looped music.
// Volume is in [0, 1]; a change is heard at once. Owned by the SoundEngine that returned it.
class Sound {
public:
    float getVolume() const;
    void setVolume(float volume);
    // (private section: the audio implementation's own)
};
