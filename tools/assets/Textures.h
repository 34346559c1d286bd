#pragma once

#include <glm/vec3.hpp>

#include "Image.h"

// Colour of the planet's surface in the unit direction `d`: seas, coasts, grass, forest,
// rock, snow and polar ice, from 3D noise so that it is seamless everywhere.
glm::vec3 planetColour(const glm::vec3& d);
// The planet's longitude/latitude texture (width = 2 x height), as the planet mesh maps it.
Image planetTexture(int width);
// The skins, laid out as CharacterLayout says.
Image playerSkin();
Image enemySkin();
