// readMeshMemory on arbitrary bytes: an .obj, then after the first zero byte the material
// library it may name. The four arrays always match the vertex count, whatever the importer
// made of the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "decode/MeshData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t objSize = split ? size_t(split - data) : size;
    const std::string materials = split ? std::string(split + 1, data + size) : "";
    std::string problem;
    const MeshData mesh = readMeshMemory(data, objSize, "obj", true, true, &problem, materials);
    const size_t floats = static_cast<size_t>(mesh.vertexCount) * 4;
    if (mesh.vertexCount < 0 || mesh.positions.size() != floats || mesh.colours.size() != floats ||
        mesh.normals.size() != floats || mesh.texCoords.size() != floats) {
        std::abort();
    }
    return 0;
}
