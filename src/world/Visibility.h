#pragma once

#include <glm/glm.hpp>

// Which enemies a frame can leave out, judged from bounding balls. Every answer errs toward
// drawing: a body left out must be one that would not have changed a pixel.

// True when the ball (centre, radius) lies wholly behind the planet as seen from `eye`, an
// eye outside the planet: beyond the horizon plane and inside the cone of sight lines that
// touch the planet.
bool hiddenBehindPlanet(const glm::vec3& eye, const glm::vec3& centre, float radius);

// True when nothing the camera could see would show the ball's shadow: it lies wholly on the
// planet's night side and the planet hides it from the shadow light.
bool castsNoVisibleShadow(const glm::vec3& centre, float radius);

// True when the ball's shadow from the shadow light cannot fall on anything `eye` sees that the
// sun lights, given that nothing which takes shadows stands further than `reach` from the
// planet's centre.
bool shadowOutOfSight(const glm::vec3& eye, const glm::vec3& centre, float radius, float reach);
