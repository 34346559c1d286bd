#pragma once

#include "app/Screen.h"

// A screen whose input the test sets before each frame; presenting does nothing.
struct ScriptedScreen : Screen {
    FrameInput in;
    FrameInput takeInput() override { return in; }
    FrameInput snapshot() const override { return in; }
    void swapBuffers() override {}
};
