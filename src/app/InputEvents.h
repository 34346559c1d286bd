#pragma once

#include "app/FrameInput.h"

// Counts the presses that the window library reports as events between two frames. Polling
// alone sees only the state at the snapshot: a key pressed and released between two frames,
// or the second of two quick presses, would be lost at a low frame rate.
class InputEvents {
  public:
    // A key or mouse-button event with the window library's codes and modifier bits; key
    // repeats are no presses.
    void key(int key, int action, int mods = 0);
    void button(int button, int action);
    // The presses counted since the last take, without clearing them.
    const Presses& pending() const { return pending_; }
    // The presses counted since the last take; counting starts again from zero.
    Presses take();
    // The presses of F11 and Alt+Enter since the last call, which switch between the window
    // and fullscreen; counting starts again from zero.
    int takeFullscreenSwitches();

  private:
    Presses pending_;
    int fullscreenSwitches_ = 0;
};
