#pragma once

#include <glm/vec3.hpp>
#include <string>

#include "MeshBuilder.h"

// Writes `<dir>/<name>.obj` and `<dir>/<name>.mtl`: one object with one material of diffuse
// colour `diffuse`. Each face gets its own position, texture coordinate and normal entries,
// so an importer without post-processing yields three fresh vertices per face. Without
// `withNormalsAndUvs` the faces carry positions only. False on I/O error.
bool writeObj(const std::string& dir, const std::string& name, const MeshBuilder& mesh,
              const glm::vec3& diffuse, bool withNormalsAndUvs);
