#pragma once

// One snapshot of the keys, buttons and pointer, taken once per frame after the events of
// the previous swap were processed. Every decision of a frame reads this one snapshot.
struct FrameInput {
    bool w = false, a = false, s = false, d = false;
    bool plus = false, minus = false;
    bool f2 = false, f3 = false, f9 = false, m = false, n = false;
    bool escape = false;
    bool leftButton = false, rightButton = false;
    int mouseX = 0, mouseY = 0;  // window pixels, origin top-left, y down
    bool windowOpen = true;
};
