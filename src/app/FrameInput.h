#pragma once

// A gamepad in the window library's standard layout, as read at the snapshot. Sticks run from
// -1 to 1 with y growing downwards (up is -1); triggers from 0 (released) to 1 (fully in).
// Without a gamepad every field keeps its resting value.
struct GamepadInput {
    float leftX = 0.0f, leftY = 0.0f, rightX = 0.0f, rightY = 0.0f;
    float leftTrigger = 0.0f, rightTrigger = 0.0f;
    bool a = false, b = false, back = false, start = false;
    bool leftShoulder = false, rightShoulder = false;
    bool up = false, down = false, left = false, right = false; // the d-pad
};

// How often each on-press key and each button went down since the previous frame's snapshot,
// counted from the window's events, so that presses shorter than a frame are not lost.
struct Presses {
    int f2 = 0, f3 = 0, f9 = 0, m = 0, n = 0, escape = 0;
    int p = 0, enter = 0, space = 0;
    int leftButton = 0, rightButton = 0;
};

// One snapshot of the keys, buttons, pointer and gamepad, taken once per frame after the events
// of the previous swap were processed. Every decision of a frame reads this one snapshot.
struct FrameInput {
    bool w = false, a = false, s = false, d = false;
    bool plus = false, minus = false;
    bool f2 = false, f3 = false, f9 = false, m = false, n = false;
    bool escape = false;
    bool p = false, enter = false, space = false;
    bool leftButton = false, rightButton = false;
    int mouseX = 0, mouseY = 0; // window pixels, origin top-left, y down
    bool windowOpen = true;
    bool focused = true;    // the window has the keyboard's focus
    bool iconified = false; // minimised
    Presses presses;
    GamepadInput pad;
};
