#include "decode/MeshData.h"

#include <algorithm>
#include <assimp/DefaultLogger.hpp>
#include <assimp/IOSystem.hpp>
#include <assimp/Importer.hpp>
#include <assimp/LogStream.hpp>
#include <assimp/MemoryIOWrapper.h>
#include <assimp/material.h>
#include <assimp/scene.h>
#include <climits>
#include <cstring>
#include <map>
#include <set>

#include "decode/MeshScene.h"
#include "io/DataFile.h"

namespace {

// Meshes are numbered in messages as the scene stores them.
std::string meshList(const std::vector<unsigned>& indices) {
    std::string text = indices.size() == 1 ? "mesh " : "meshes ";
    for (size_t i = 0; i < indices.size(); ++i) {
        text += (i ? ", " : "") + std::to_string(indices[i]);
    }
    return text;
}

std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    // The reason ends the sentence that carries it.
    while (!text.empty() && (text.back() == ' ' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

void setProblem(std::string* problem, const std::string& text) {
    if (problem) {
        *problem = text;
    }
}

aiColor4D diffuseColour(const aiScene& scene, const aiMesh& mesh) {
    aiColor4D colour(0.0f, 0.0f, 0.0f, 0.0f);
    if (scene.mMaterials == nullptr || mesh.mMaterialIndex >= scene.mNumMaterials ||
        scene.mMaterials[mesh.mMaterialIndex] == nullptr) {
        return colour;
    }
    aiColor4D found(0.0f, 0.0f, 0.0f, 0.0f);
    // A material without a diffuse colour keeps (0, 0, 0, 0).
    if (aiGetMaterialColor(scene.mMaterials[mesh.mMaterialIndex], AI_MATKEY_COLOR_DIFFUSE,
                           &found) == AI_SUCCESS) {
        colour = found;
    }
    return colour;
}

void put4(std::vector<float>& out, size_t k, float a, float b, float c, float d) {
    out[4 * k + 0] = a;
    out[4 * k + 1] = b;
    out[4 * k + 2] = c;
    out[4 * k + 3] = d;
}

// While it lives, collects the importer's warnings and errors about materials (a material
// library that cannot be opened, a material it does not define), which the importer otherwise
// only logs. The first one is kept.
class MaterialLog {
  public:
    explicit MaterialLog(std::string& first) : stream_(new Stream(first)) {
        created_ = Assimp::DefaultLogger::isNullLogger();
        if (created_) {
            Assimp::DefaultLogger::create("", Assimp::Logger::NORMAL, 0);
        }
        Assimp::DefaultLogger::get()->attachStream(stream_,
                                                   Assimp::Logger::Warn | Assimp::Logger::Err);
    }
    ~MaterialLog() {
        if (created_) {
            Assimp::DefaultLogger::kill(); // deletes the attached stream
        } else {
            Assimp::DefaultLogger::get()->detachStream(stream_,
                                                       Assimp::Logger::Warn | Assimp::Logger::Err);
            delete stream_;
        }
    }
    MaterialLog(const MaterialLog&) = delete;
    MaterialLog& operator=(const MaterialLog&) = delete;

  private:
    struct Stream : Assimp::LogStream {
        explicit Stream(std::string& first) : first_(first) {}
        void write(const char* message) override {
            if (first_.empty() && std::strstr(message, "material") != nullptr) {
                const char* text = std::strstr(message, "OBJ: ");
                first_ = text ? text : message;
            }
        }
        std::string& first_;
    };
    Stream* stream_;
    bool created_ = false;
};

// Far larger than any of the game's meshes (the planet's is under 3 MB) or material libraries.
constexpr size_t kMaxMeshBytes = 256u * 1024 * 1024;
constexpr size_t kMaxMaterialBytes = 1024 * 1024;

// Why the importer must not see `text`, or "" when it may. It reads only the statements the
// game's meshes and materials are made of, printable and in an order that makes sense: the
// importer writes through a null material on a texture map before any newmtl (found by
// fuzzing), and what it does with other odd input is not ours to know.
std::string refusedStatement(const std::string& text, bool materialLibrary) {
    static const std::set<std::string> meshStatements = {"v", "vt", "vn",     "f",     "o",
                                                         "g", "s",  "usemtl", "mtllib"};
    static const std::set<std::string> materialStatements = {
        "newmtl", "Ka",    "Kd",       "Ks",       "Ke",     "Ns",     "Ni",
        "d",      "Tr",    "Tf",       "illum",    "map_Ka", "map_Kd", "map_Ks",
        "map_Ns", "map_d", "map_bump", "map_Bump", "bump",   "disp"};
    const auto& allowed = materialLibrary ? materialStatements : meshStatements;
    bool inMaterial = false;
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue; // a comment may hold any text but a control character
        }
        const std::string where = "line " + std::to_string(number) + ": ";
        for (char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 ? c != '\t' : c == 0x7f || (c & 0x80)) {
                return where + "a character that is not printable text";
            }
        }
        std::vector<std::string> words;
        for (size_t at = first; at < line.size();) {
            const size_t stop = std::min(line.find_first_of(" \t", at), line.size());
            words.push_back(line.substr(at, stop - at));
            at = std::min(line.find_first_not_of(" \t", stop), line.size());
        }
        const std::string& keyword = words[0];
        if (allowed.count(keyword) == 0) {
            return where + "\"" + keyword + "\" is not a statement the game reads";
        }
        // A name, a material library or a texture: one plain file name, no options.
        const bool named = keyword == "mtllib" || keyword == "usemtl" || keyword == "newmtl" ||
                           keyword.rfind("map_", 0) == 0 || keyword == "bump" || keyword == "disp";
        if (named && (words.size() != 2 || words[1][0] == '-' ||
                      words[1].find_first_of("/\\") != std::string::npos)) {
            return where + "\"" + keyword + "\" takes one plain name";
        }
        if (materialLibrary && keyword != "newmtl" && !inMaterial) {
            return where + "\"" + keyword + "\" comes before any newmtl";
        }
        inMaterial = inMaterial || keyword == "newmtl";
    }
    return "";
}

std::string directoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

// Everything the importer may read: the mesh and, beside it, its material libraries; each a
// regular file of bounded size, read once. The importer asks for nothing else (no other
// folder, no other kind of file), and what it gets has been checked first.
class MeshFiles : public Assimp::IOSystem {
  public:
    // The mesh is `meshBytes`, already read. A material library comes from `materials` when
    // it is given (none if it is empty), else from the file beside the mesh.
    MeshFiles(const std::string& meshPath, const std::string& meshBytes,
              const std::string* materials)
        : directory_(directoryOf(meshPath)), inMemory_(materials != nullptr) {
        files_[meshPath] = meshBytes;
        if (materials != nullptr) {
            memoryMaterials_ = *materials;
        }
    }

    bool Exists(const char* file) const override { return fetch(file) != nullptr; }
    char getOsSeparator() const override { return '/'; }

    Assimp::IOStream* Open(const char* file, const char* mode) override {
        const std::string* bytes = fetch(file);
        if (bytes == nullptr || mode == nullptr || mode[0] != 'r') {
            return nullptr;
        }
        return new Assimp::MemoryIOStream(reinterpret_cast<const uint8_t*>(bytes->data()),
                                          bytes->size());
    }
    void Close(Assimp::IOStream* stream) override { delete stream; }

    // Why a material library was refused, or "".
    const std::string& refusal() const { return refusal_; }

  private:
    // The bytes of `file` if the importer may read it, else nullptr. A refusal looks to the
    // importer like a missing file, which it reports as such.
    const std::string* fetch(const char* file) const {
        if (file == nullptr) {
            return nullptr;
        }
        const std::string path(file);
        auto known = files_.find(path);
        if (known != files_.end()) {
            return &known->second;
        }
        if (refused_.count(path) != 0 || !isMaterialLibrary(path)) {
            return nullptr;
        }
        refused_.insert(path);
        std::string bytes;
        if (inMemory_) {
            if (memoryMaterials_.empty()) {
                return nullptr;
            }
            bytes = memoryMaterials_;
        } else {
            DataFile read = readDataFile(path, kMaxMaterialBytes);
            if (!read.ok()) {
                return nullptr;
            }
            bytes = std::move(read.bytes);
        }
        const std::string refusal = refusedStatement(bytes, true);
        if (!refusal.empty()) {
            // The first is the library the mesh names; the importer then tries a default.
            const size_t slash = path.rfind('/');
            if (refusal_.empty()) {
                refusal_ = path.substr(slash == std::string::npos ? 0 : slash + 1) + " " + refusal;
            }
            return nullptr;
        }
        refused_.erase(path);
        return &(files_[path] = std::move(bytes));
    }

    // A plain .mtl name in the mesh's own folder.
    bool isMaterialLibrary(const std::string& path) const {
        const size_t slash = path.rfind('/');
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
        return folder == directory_ && name.size() > 4 &&
               name.compare(name.size() - 4, 4, ".mtl") == 0;
    }

    std::string directory_;
    bool inMemory_;
    std::string memoryMaterials_;
    mutable std::map<std::string, std::string> files_;
    mutable std::set<std::string> refused_;
    mutable std::string refusal_;
};

// Imports `meshBytes`, read from `source`, through MeshFiles.
MeshData importMesh(const std::string& source, const std::string& meshBytes,
                    const std::string* materials, bool withNormals, bool withTexCoords,
                    std::string* problem) {
    const std::string refusal = refusedStatement(meshBytes, false);
    if (!refusal.empty()) {
        return flattenScene(nullptr, source, refusal.c_str(), withNormals, withTexCoords, problem);
    }
    std::string materialProblem;
    const aiScene* scene = nullptr;
    Assimp::Importer importer;
    auto* files = new MeshFiles(source, meshBytes, materials);
    importer.SetIOHandler(files); // the importer owns it
    {
        const MaterialLog log(materialProblem);
        scene = importer.ReadFile(source, 0);
    }
    if (!files->refusal().empty()) {
        materialProblem = files->refusal();
    }
    MeshData data =
        flattenScene(scene, source, importer.GetErrorString(), withNormals, withTexCoords, problem);
    // The importer carries on with a default material; the player should still hear of it
    // when something is drawn with it.
    if (data.vertexCount > 0 && !materialProblem.empty() && problem != nullptr) {
        const std::string note =
            "lacks a material (" + oneLine(materialProblem) + "), the default is used";
        *problem = problem->empty()
                       ? "Mesh file " + source + " " + note + "."
                       : problem->substr(0, problem->size() - 1) + "; it " + note + ".";
    }
    return data;
}

} // namespace

MeshData flattenScene(const aiScene* scene, const std::string& source, const char* readError,
                      bool withNormals, bool withTexCoords, std::string* problem) {
    setProblem(problem, "");
    MeshData data;
    if (scene == nullptr) {
        std::string reason = readError && *readError ? oneLine(readError) : "unknown reason";
        setProblem(problem, "Mesh file " + source + " could not be read: " + reason + ".");
        return data;
    }
    if (scene->mNumMeshes == 0 || scene->mMeshes == nullptr) {
        setProblem(problem, "Mesh file " + source + " holds no mesh.");
        return data;
    }

    size_t total = 0;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        if (scene->mMeshes[m] != nullptr && scene->mMeshes[m]->mVertices != nullptr) {
            total += scene->mMeshes[m]->mNumVertices;
        }
    }
    // The count goes to glDrawArrays as a GLsizei and the byte size of 16 per vertex must fit.
    if (total > static_cast<size_t>(INT_MAX / 16)) {
        setProblem(problem, "Mesh file " + source + " has too many vertices (" +
                                std::to_string(total) + ").");
        return data;
    }

    data.vertexCount = static_cast<int>(total);
    data.positions.assign(total * 4, 0.0f);
    data.colours.assign(total * 4, 0.0f);
    data.normals.assign(total * 4, 0.0f);
    data.texCoords.assign(total * 4, 0.0f);

    std::vector<unsigned> noNormals;
    std::vector<unsigned> noTexCoords;
    size_t k = 0;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        if (mesh == nullptr || mesh->mVertices == nullptr) {
            continue;
        }
        const aiColor4D colour = diffuseColour(*scene, *mesh);
        const bool hasNormals = mesh->mNormals != nullptr;
        const bool hasTexCoords = mesh->mTextureCoords[0] != nullptr;
        if (withNormals && !hasNormals && mesh->mNumVertices > 0) {
            noNormals.push_back(m);
        }
        if (withTexCoords && !hasTexCoords && mesh->mNumVertices > 0) {
            noTexCoords.push_back(m);
        }
        for (unsigned j = 0; j < mesh->mNumVertices; ++j, ++k) {
            const aiVector3D& p = mesh->mVertices[j];
            put4(data.positions, k, p.x, p.y, p.z, 1.0f);
            put4(data.colours, k, colour.r, colour.g, colour.b, colour.a);
            if (withNormals && hasNormals) {
                const aiVector3D& n = mesh->mNormals[j];
                put4(data.normals, k, n.x, n.y, n.z, 0.0f);
            }
            if (withTexCoords && hasTexCoords) {
                const aiVector3D& t = mesh->mTextureCoords[0][j];
                put4(data.texCoords, k, t.x, t.y, 0.0f, 0.0f);
            }
        }
    }

    std::string missing;
    if (!noNormals.empty()) {
        missing = "no normals in " + meshList(noNormals);
    }
    if (!noTexCoords.empty()) {
        missing += (missing.empty() ? "" : " and ") + std::string("no texture coordinates in ") +
                   meshList(noTexCoords);
    }
    if (!missing.empty()) {
        setProblem(problem, "Mesh file " + source + " has " + missing + "; they are zero.");
    }
    return data;
}

MeshData readMeshFile(const std::string& path, bool withNormals, bool withTexCoords,
                      std::string* problem) {
    const DataFile file = readDataFile(path, kMaxMeshBytes);
    if (!file.ok()) {
        // Worded as the importer words a file it cannot open.
        const std::string reason = "Unable to open file \"" + path + "\".";
        return flattenScene(nullptr, path, reason.c_str(), withNormals, withTexCoords, problem);
    }
    return importMesh(path, file.bytes, nullptr, withNormals, withTexCoords, problem);
}

MeshData readMeshMemory(const void* bytes, size_t size, const char* hint, bool withNormals,
                        bool withTexCoords, std::string* problem, const std::string& materials) {
    const std::string source = std::string("<memory>.") + (hint ? hint : "");
    if (bytes == nullptr || size == 0) {
        return flattenScene(nullptr, source, "no data", withNormals, withTexCoords, problem);
    }
    const std::string mesh(static_cast<const char*>(bytes), size);
    return importMesh(source, mesh, &materials, withNormals, withTexCoords, problem);
}
