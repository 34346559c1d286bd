#pragma once

// Apart from GameSession.h: X11 names a type Screen, as the game does.

// Every game run here is given this seed, unless a test chose its own: where its enemies land is
// the same in every run. The
// five of the start and the first sixteen of the cadence (12 s) land more than 100 degrees from
// the character's start place, so none can come within 6 degrees of it before 5.6 s of play
// have passed, nor into the picture before 3 s (see nearestLandingDegrees).
constexpr const char* kSeed = "35383519";

// The game's own start and spawn cadence run without a window from `seed`: the least angle in
// degrees between the character's start place and where an enemy released by the start or
// within `seconds` of play lands.
double nearestLandingDegrees(const char* seed, double seconds);
