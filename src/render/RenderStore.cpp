#include "render/RenderStore.h"

#include <chrono>

namespace {

// Adds the seconds of its own lifetime to `total`.
class Stopwatch {
  public:
    explicit Stopwatch(double& total) : total_(total), start_(Clock::now()) {}
    ~Stopwatch() { total_ += std::chrono::duration<double>(Clock::now() - start_).count(); }
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

  private:
    using Clock = std::chrono::steady_clock;
    double& total_;
    Clock::time_point start_;
};

} // namespace

RenderStore::RenderStore() = default;

RenderStore::~RenderStore() = default;

const ShaderProgram& RenderStore::program(const std::string& basePath, const char* output) {
    return program(basePath + ".vert", basePath + ".frag", output);
}

const ShaderProgram& RenderStore::program(const std::string& vertexPath,
                                          const std::string& fragmentPath, const char* output) {
    std::unique_ptr<ShaderProgram>& built = programs_[{vertexPath, fragmentPath}];
    if (!built) {
        const Stopwatch stopwatch(seconds_.programs);
        built = std::make_unique<ShaderProgram>(
            vertexPath, fragmentPath, [this](const std::string& file) { return shaderFile(file); });
        built->bindOutputAndRelink(output);
    }
    return *built;
}

const DataFile& RenderStore::shaderFile(const std::string& path) {
    auto found = shaderFiles_.find(path);
    if (found == shaderFiles_.end()) {
        found = shaderFiles_.emplace(path, readShaderFile(path)).first;
    }
    return found->second;
}

const MeshBuffers& RenderStore::mesh(const std::string& path, bool withNormals, bool withTexCoords,
                                     MeshLayout layout) {
    const MeshKey key{path, withNormals, withTexCoords};
    std::unique_ptr<MeshBuffers>& built = meshes_[{key, layout}];
    if (!built) {
        const Stopwatch stopwatch(seconds_.meshes);
        auto found = decoded_.find(key);
        if (found == decoded_.end()) {
            Decoded fresh;
            fresh.data = readMeshFile(path, withNormals, withTexCoords, &fresh.problem);
            if (!fresh.problem.empty()) {
                reportOnce(path, ReportStream::Err, fresh.problem);
            }
            found = decoded_.emplace(key, std::move(fresh)).first;
        }
        built = std::make_unique<MeshBuffers>(found->second.data, layout, found->second.problem);
    }
    return *built;
}

const Texture& RenderStore::texture(const std::string& path) {
    std::unique_ptr<Texture>& built = textures_[path];
    if (!built) {
        const Stopwatch stopwatch(seconds_.textures);
        built = std::make_unique<Texture>(path);
    }
    return *built;
}
