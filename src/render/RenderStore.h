#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "decode/MeshData.h"
#include "render/MeshBuffers.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"

// What the bodies draw with and what is worth making once a run: shader programs by their pair
// of files, meshes by file (in either layout, both from one decoding) and textures by file.
// Each is built at its first request and then shared by reference with every model that asks
// again, in this world and every later one, so a new game reads, decodes and compiles nothing.
// The store outlives every model and deletes each GL name once. A file that fails is reported
// once, at the first request, and its stand-in (program 0, an empty mesh, a magenta texture)
// is shared like the rest.
class RenderStore {
  public:
    // Seconds spent building each kind so far, for the start-up measurement.
    struct BuildSeconds {
        double programs = 0.0;
        double meshes = 0.0;
        double textures = 0.0;
    };

    RenderStore();
    ~RenderStore();
    RenderStore(const RenderStore&) = delete;
    RenderStore& operator=(const RenderStore&) = delete;

    // The program of basePath + ".vert" and ".frag", or of two named stage files, with colour
    // output 0 bound to `output` (a pair always writes the same output).
    const ShaderProgram& program(const std::string& basePath, const char* output);
    const ShaderProgram& program(const std::string& vertexPath, const std::string& fragmentPath,
                                 const char* output);
    // A model file in GPU buffers; the normals and texture coordinates are read when asked for.
    const MeshBuffers& mesh(const std::string& path, bool withNormals, bool withTexCoords,
                            MeshLayout layout = MeshLayout::Flat);
    const Texture& texture(const std::string& path);

    const BuildSeconds& buildSeconds() const { return seconds_; }

  private:
    using MeshKey = std::tuple<std::string, bool, bool>;
    struct Decoded {
        MeshData data;
        std::string problem;
    };

    const DataFile& shaderFile(const std::string& path);

    std::map<std::pair<std::string, std::string>, std::unique_ptr<ShaderProgram>> programs_;
    // A stage file's bytes, kept for the other programs that share the stage.
    std::map<std::string, DataFile> shaderFiles_;
    // Kept decoded so that the second layout of a file costs no second read.
    std::map<MeshKey, Decoded> decoded_;
    std::map<std::pair<MeshKey, MeshLayout>, std::unique_ptr<MeshBuffers>> meshes_;
    std::map<std::string, std::unique_ptr<Texture>> textures_;
    BuildSeconds seconds_;
};
