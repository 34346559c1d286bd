#pragma once

#include <vector>

// The enemy counts every update and frame case runs with.
const std::vector<int>& enemyCounts();

// World::update cases, with the index and with the literal scan, from the same saved state:
// update/<lookup>/<N> after the game's spawning and landing, worst/<lookup> (the scan's worst
// case) and crowded/<lookup> (5,000 enemies after a minute of chasing).
void registerUpdateBenchmarks();
