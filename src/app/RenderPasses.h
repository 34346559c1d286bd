#pragma once

class ShadowMap;
class World;

// The frame's four passes, alternating between the shadow map and the window:
//   1. shadow map, cleared: depth of the player and the enemies (front faces culled);
//   2. window, cleared: the planet in colour, shadowed by the player and the enemies only;
//   3. shadow map, not cleared: the planet's depth added, so the map holds every caster;
//   4. window: sun, player and enemies in colour, shadowed by everything.
// Leaves the window framebuffer bound, the W x H viewport and back faces culled. Never
// changes the depth test, blending or polygon mode.
void renderFrame(const ShadowMap& shadowMap, const World& world, int width, int height);
