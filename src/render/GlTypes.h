#pragma once

// The GL names the world's and the player's headers pass around, without GL's headers: GL
// declares its name type the same way, so the two declarations agree.
using GLuint = unsigned int;
