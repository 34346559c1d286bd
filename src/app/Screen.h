#pragma once

#include "app/FrameInput.h"

// The window's size now, in screen coordinates (the pointer's units) and in framebuffer pixels
// (the picture's), which differ on high-density displays. Zero while minimised.
struct SurfaceSize {
    int windowWidth = 0, windowHeight = 0;
    int framebufferWidth = 0, framebufferHeight = 0;
};

// What a frame needs of the window: its size, the frame's input, presenting the frame, and the
// input after presenting (for the quit test). The window is one; a test scripts its own.
class Screen {
  public:
    virtual ~Screen() = default;
    // The snapshot for a new frame: its presses are not counted again in the next one.
    virtual FrameInput takeInput() = 0;
    // The state now, with the presses counted since the last takeInput.
    virtual FrameInput snapshot() const = 0;
    // Presents the frame, then collects the window's pending events.
    virtual void swapBuffers() = 0;
    // The size the window has now, which need not be the size asked for: window managers
    // maximise and tile, and fullscreen takes the screen's own mode.
    virtual SurfaceSize size() const = 0;
};
