#pragma once

#include <GL/glew.h>
#include <functional>
#include <string>

#include "io/DataFile.h"
#include "io/Report.h"

// Reports one pending OpenGL error, if any, as one line on standard error.
void checkGlError();
// checkGlError with the code taken from `fetch` (glGetError in the game), called once.
void checkGlErrorFrom(GLenum (*fetch)());
// The message checkGlError prints for `code`, or "" for GL_NO_ERROR.
const char* glErrorMessage(GLenum code);

// Reads a stage's source file, bounded; the render store hands programs one that reads each
// file once a run, as two programs may share a stage.
DataFile readShaderFile(const std::string& path);
using ShaderFileReader = std::function<DataFile(const std::string& path)>;

// A vertex + fragment program built from basePath + ".vert" and ".frag". Every failure is
// reported once and leaves `program` at 0, which draws nothing. Owns its GL objects.
class ShaderProgram {
  public:
    explicit ShaderProgram(const std::string& basePath);
    // The same from two named files, for stages that are shared between programs.
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                  const ShaderFileReader& read = readShaderFile);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    GLuint compile(GLenum type, const std::string& source);
    void link();
    void printShaderLog(GLuint shader);
    void printProgramLog(GLuint program);

    // When the program exists: binds colour output 0 to `outputName` and links again.
    void bindOutputAndRelink(const char* outputName);

    // Built, or drawing nothing for the first failure reported ("Shader linking failed.", ...).
    const LoadState& state() const { return state_; }

    bool ready = false;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint program = 0;

  private:
    void fail(ReportStream stream, const std::string& line);

    LoadState state_;
};
