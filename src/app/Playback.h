#pragma once

#include <cstddef>
#include <string>

#include "app/Replay.h"

class Shell;
class World;

// Whether a frame that took the clock from `before` to `after` seconds ends a whole second
// of game time: the frames after which a recording keeps a check.
bool endsASecond(double before, double after);

// A digest of what the game is made of: the player's place, facing, lives, punch and
// cool-down, the camera, the kills, and each enemy's id, place, life, height and state.
std::uint64_t worldState(const World& world);

// A recorded game played back through the shell: each recorded frame's commands and time, in
// order, so that the world goes exactly as it went. At each check the world is compared with
// the recording; the first difference is told once, with the frame and the game time.
class Playback {
  public:
    Playback(Replay replay, std::string name);

    // Plays every recorded frame that is due once `seconds` of the recording have been
    // watched: the recorded pace, whatever the frame rate of the watching.
    void playUntil(Shell& shell, double seconds);
    // Every frame, as fast as it goes.
    void playAll(Shell& shell) { playUntil(shell, kEverything); }

    bool finished() const { return next_ == replay_.frames.size(); }
    bool diverged() const { return diverged_; }
    const Replay& replay() const { return replay_; }

  private:
    static constexpr double kEverything = 1e300;
    void check(Shell& shell);
    // The recorded result against the world's at the last frame.
    void checkEnd(Shell& shell);
    // Tells, once, that the world differs after frame next_.
    void differs(const Shell& shell);

    Replay replay_;
    std::string name_;
    std::size_t next_ = 0;      // the next frame to play
    std::size_t nextCheck_ = 0; // the next check to compare
    double played_ = 0.0;       // seconds of the recording played so far
    bool diverged_ = false;
};
