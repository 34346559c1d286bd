#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Model files read and flattened on the CPU, with no GL: the fuzz targets and the asset checks
// link this alone.

// A model file flattened on the CPU: four parallel arrays of 4 floats per vertex.
struct MeshData {
    int vertexCount = 0;
    std::vector<float> positions; // (x, y, z, 1)
    std::vector<float> colours;   // diffuse colour of the mesh's material, (0,0,0,0) if none
    std::vector<float> normals;   // (x, y, z, 0); zero-filled when not asked for or missing
    std::vector<float> texCoords; // (u, v, 0, 0); zero-filled when not asked for or missing
};

// Reads and flattens a model file. Problems (unreadable file, no mesh, missing normals or
// texture coordinates that were asked for) are returned as one message naming the path and
// what is missing; the data stays valid (possibly empty).
MeshData readMeshFile(const std::string& path, bool withNormals, bool withTexCoords,
                      std::string* problem);
// The same from bytes in memory; `hint` is the format's file extension ("obj"). A material
// library the mesh names is read from `materials` (none when empty).
MeshData readMeshMemory(const void* bytes, size_t size, const char* hint, bool withNormals,
                        bool withTexCoords, std::string* problem,
                        const std::string& materials = "");
