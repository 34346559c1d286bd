#pragma once

#include <glm/vec3.hpp>

// Smooth 3D value noise in [-1, 1]. Sampling it on the sphere gives textures without a seam
// at the date line, because neighbouring texels at u = 0 and u = 1 are neighbouring points.
float valueNoise(const glm::vec3& p, unsigned seed);
// Fractal sum of `octaves` noise layers, each twice the frequency and half the weight;
// normalised back to about [-1, 1].
float fractalNoise(const glm::vec3& p, int octaves, unsigned seed);
