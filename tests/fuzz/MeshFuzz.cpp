// readMeshMemory on arbitrary bytes as an .obj: the four arrays always match the vertex count,
// whatever the importer made of the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/Mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem;
    const MeshData mesh = readMeshMemory(data, size, "obj", true, true, &problem);
    const size_t floats = static_cast<size_t>(mesh.vertexCount) * 4;
    if (mesh.vertexCount < 0 || mesh.positions.size() != floats || mesh.colours.size() != floats ||
        mesh.normals.size() != floats || mesh.texCoords.size() != floats) {
        std::abort();
    }
    return 0;
}
