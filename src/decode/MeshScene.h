#pragma once

#include <string>

#include "decode/MeshData.h"

struct aiScene;

// Flattens an imported scene as readMeshFile does; `source` names the file in messages.
// A null scene counts as unreadable, with `readError` as the importer's reason.
MeshData flattenScene(const aiScene* scene, const std::string& source, const char* readError,
                      bool withNormals, bool withTexCoords, std::string* problem);
