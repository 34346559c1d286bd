#pragma once

// frame/<N>: the game's whole frame (the four render passes, the HUD, the swap, glFinish) at
// 1280 x 720 in a hidden window, with N landed enemies. Registers nothing and says why when
// no GL 3.3 core context can be made (no X display).
void registerFrameBenchmarks();
