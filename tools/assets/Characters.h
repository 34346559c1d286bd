#pragma once

#include "MeshBuilder.h"

// Characters in mesh units: the game scales them by 0.05 and tilts +Y onto the surface normal.
// Both stand on their origin, reach about 1.6 to 2 units up and stay within 0.9 units of
// their vertical axis, so two of them 5.5 degrees apart (1.9 mesh units) never touch.

// A round blue fighter with a helmeted head, eyes looking up at the camera, feet and a crest.
MeshBuilder playerMesh();
// A crimson spiky blob with two horns and big yellow eyes; kept under 600 triangles since
// it is drawn once per enemy.
MeshBuilder enemyMesh();
// A golden glove, radius about 1, floating 1.3 units above its origin so that it clears the
// ground at every scale (the fist's origin sits on the surface).
MeshBuilder fistMesh();
