#pragma once

// A tracked, playing sound: the handle the game keeps for its looped music.
// Volume is in [0, 1]; a change is heard at once. Owned by the SoundEngine that returned it.
class Sound {
  public:
    float getVolume() const;
    void setVolume(float volume);

  private:
    friend class SoundEngine;

    // Kept exactly as last set (clamped to [0, 1]) so that the caller's 0.1 steps add up the
    // way it computes them; the mixer only gets the nearest of its 129 levels.
    float volume_ = 1.0f;
    // Only the handle of the music now on the mixer's one music stream drives its volume;
    // a handle whose music was replaced keeps its value but is no longer heard.
    bool drivesMusic_ = false;
};
