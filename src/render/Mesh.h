#pragma once

#include <GL/glew.h>
#include <string>

class ShaderProgram;

class Mesh {
  public:
    // Loads `path`, uploads four buffers and builds `vao` bound to `program`'s attributes.
    // Reports a problem once on standard error and gives it in `problem` ("" when none).
    // Returns `program`.
    static ShaderProgram* load(ShaderProgram* program, const std::string& path, int& vertexCount,
                               GLuint buffers[4], GLuint& vao, bool withNormals, bool withTexCoords,
                               std::string* problem = nullptr);
};
