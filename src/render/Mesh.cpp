#include "render/Mesh.h"

#include "decode/MeshData.h"
#include "io/Report.h"
#include "render/ShaderProgram.h"

namespace {

// Points `name` of `program` at `buffer`, 4 floats per vertex, tightly packed. The location
// is used as it comes: a name the program lacks gives -1, which GL rejects with an error.
void bindAttribute(GLuint program, const char* name, GLuint buffer) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLint location = glGetAttribLocation(program, name);
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), 4, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void upload(GLuint buffer, const std::vector<float>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)),
                 data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
}

} // namespace

ShaderProgram* Mesh::load(ShaderProgram* program, const std::string& path, int& vertexCount,
                          GLuint buffers[4], GLuint& vao, bool withNormals, bool withTexCoords,
                          std::string* problemOut) {
    std::string problem;
    const MeshData data = readMeshFile(path, withNormals, withTexCoords, &problem);
    if (!problem.empty()) {
        reportOnce(path, ReportStream::Err, problem);
    }
    if (problemOut != nullptr) {
        *problemOut = problem;
    }
    vertexCount = data.vertexCount;

    const GLuint programName = program ? program->program : 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    // All four names always exist so that every owner frees the same set.
    glGenBuffers(4, buffers);

    upload(buffers[0], data.positions);
    bindAttribute(programName, "in_position", buffers[0]);
    upload(buffers[1], data.colours);
    bindAttribute(programName, "in_color", buffers[1]);
    if (withNormals) {
        upload(buffers[2], data.normals);
        bindAttribute(programName, "in_normal", buffers[2]);
    }
    if (withTexCoords) {
        upload(buffers[3], data.texCoords);
        bindAttribute(programName, "in_texture_coords", buffers[3]);
    }

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
    return program;
}
