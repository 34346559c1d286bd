#pragma once

#include <vector>

// Short mono effects at kSampleRate, peak-normalised to 0.9 of full scale.
std::vector<float> punchSound();      // the player's swing: a whoosh ending in a thump
std::vector<float> enemyPunchSound(); // an enemy lands a hit: a hard, bright smack
std::vector<float> enemyDieSound();   // an enemy is beaten: a falling, wobbling zap
