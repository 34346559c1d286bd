#pragma once

#include "MeshBuilder.h"

// The ground: a cube-sphere of radius exactly 1 with position = normal and longitude/latitude
// texture coordinates (u = 0.5 + atan2(z, x) / 2pi, v = 0.5 + asin(y) / pi).
MeshBuilder planetMesh(int cellsPerEdge);

// Longitude/latitude texture coordinates of a unit direction, as the planet mesh uses them.
glm::vec2 planetUv(const glm::vec3& direction);

// The sun: a disc of radius 1 in the mesh's YZ plane, facing -x (towards the planet), stored so
// that its vertex list read as ONE triangle fan is the disc: centre first, then the rim
// counter-clockwise seen from -x, closing on its first rim point. `rimPoints` + 2 must be a
// multiple of 3 so that the same list is also a valid triangle file.
MeshBuilder sunMesh(int rimPoints);
