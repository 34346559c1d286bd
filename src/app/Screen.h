#pragma once

#include "app/FrameInput.h"

// What a frame needs of the window: the frame's input, presenting the frame, and the input
// after presenting (for the quit test). The window is one; a test scripts its own.
class Screen {
  public:
    virtual ~Screen() = default;
    // The snapshot for a new frame: its presses are not counted again in the next one.
    virtual FrameInput takeInput() = 0;
    // The state now, with the presses counted since the last takeInput.
    virtual FrameInput snapshot() const = 0;
    // Presents the frame, then collects the window's pending events.
    virtual void swapBuffers() = 0;
};
