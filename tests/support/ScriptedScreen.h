#pragma once

#include "app/Screen.h"

// A screen whose input and size the test sets before each frame; presenting does nothing.
struct ScriptedScreen : Screen {
    FrameInput in;
    SurfaceSize surface{1280, 720, 1280, 720};
    SurfaceSize size() const override { return surface; }
    FrameInput takeInput() override { return in; }
    FrameInput snapshot() const override { return in; }
    void swapBuffers() override {}
};
