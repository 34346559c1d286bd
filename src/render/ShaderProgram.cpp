#include "render/ShaderProgram.h"

#include <vector>

#include "io/DataFile.h"
#include "io/Report.h"
#include "render/GlCurrent.h"

namespace {
constexpr GLsizei kInfoLogSize = 8096;
}

const char* glErrorMessage(GLenum code) {
    switch (code) {
    case GL_NO_ERROR:
        return "";
    case GL_INVALID_ENUM:
        return "GL: enum argument out of range.";
    case GL_INVALID_VALUE:
        return "GL: Numeric argument out of range.";
    case GL_INVALID_OPERATION:
        return "GL: Operation illegal in current state.";
    case GL_OUT_OF_MEMORY:
        return "GL: Not enough memory left to execute command.";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL: Framebuffer object is not complete.";
    default:
        return "GL: Unknown error.";
    }
}

void checkGlError() {
    checkGlErrorFrom([]() { return glGetError(); });
}

void checkGlErrorFrom(GLenum (*fetch)()) {
    // One code per call: further pending codes are left for the next call.
    const GLenum code = fetch();
    if (code != GL_NO_ERROR) {
        report(ReportStream::Err, glErrorMessage(code));
    }
}

namespace {
// Far more than any GLSL source of the game; a larger file is refused like a missing one.
constexpr size_t kMaxSourceBytes = 1024 * 1024;
} // namespace

ShaderProgram::ShaderProgram(const std::string& basePath)
    : ShaderProgram(basePath + ".vert", basePath + ".frag") {}

DataFile readShaderFile(const std::string& path) {
    return readDataFile(path, kMaxSourceBytes);
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                             const ShaderFileReader& read) {
    ready = false;
    const DataFile vertexFile = read(vertexPath);
    if (!vertexFile.ok()) {
        fail(ReportStream::Err, "Vertex shader file " + vertexPath + " does not exist.");
        return;
    }
    const std::string& vertexSource = vertexFile.bytes;

    const DataFile fragmentFile = read(fragmentPath);
    if (!fragmentFile.ok()) {
        fail(ReportStream::Err, "Fragment shader file " + fragmentPath + " does not exist.");
        return;
    }
    const std::string& fragmentSource = fragmentFile.bytes;

    checkGlError();
    vertexShader = compile(GL_VERTEX_SHADER, vertexSource);
    if (vertexShader == 0) {
        return;
    }
    checkGlError();
    fragmentShader = compile(GL_FRAGMENT_SHADER, fragmentSource);
    if (fragmentShader == 0) {
        return;
    }
    checkGlError();
    link();
    if (program != 0) {
        ready = true;
        checkGlError();
    }
}

ShaderProgram::~ShaderProgram() {
    if (!glDeleteIsSafe()) {
        return;
    }
    if (program != 0) {
        glDeleteProgram(program);
    }
    if (vertexShader != 0) {
        glDeleteShader(vertexShader);
    }
    if (fragmentShader != 0) {
        glDeleteShader(fragmentShader);
    }
}

GLuint ShaderProgram::compile(GLenum type, const std::string& source) {
    checkGlError();
    GLuint shader = glCreateShader(type);
    checkGlError();
    if (shader == 0) {
        fail(ReportStream::Err, "Could not create shader object.");
        return 0;
    }
    // The length is passed so that the text needs no terminator.
    const GLchar* text = source.data();
    const GLint length = static_cast<GLint>(source.size());
    glShaderSource(shader, 1, &text, &length);
    checkGlError();
    glCompileShader(shader);
    checkGlError();
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        fail(ReportStream::Out, "Shader compilation failed.");
        printShaderLog(shader);
    }
    checkGlError();
    return shader;
}

void ShaderProgram::link() {
    if (program == 0) {
        program = glCreateProgram();
        if (program == 0) {
            fail(ReportStream::Err, "Could not create program object.");
            return;
        }
        glAttachShader(program, vertexShader);
        glAttachShader(program, fragmentShader);
    }
    glLinkProgram(program);
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        fail(ReportStream::Out, "Shader linking failed.");
        printProgramLog(program);
        glDeleteProgram(program);
        program = 0;
    }
    checkGlError();
}

void ShaderProgram::printShaderLog(GLuint shader) {
    std::vector<GLchar> log(kInfoLogSize);
    GLsizei length = 0;
    glGetShaderInfoLog(shader, kInfoLogSize, &length, log.data());
    if (length > 0) {
        report(ReportStream::Out, std::string(log.data(), static_cast<size_t>(length)));
    }
}

void ShaderProgram::printProgramLog(GLuint programName) {
    std::vector<GLchar> log(kInfoLogSize);
    GLsizei length = 0;
    glGetProgramInfoLog(programName, kInfoLogSize, &length, log.data());
    if (length > 0) {
        report(ReportStream::Out, std::string(log.data(), static_cast<size_t>(length)));
    }
}

void ShaderProgram::fail(ReportStream stream, const std::string& line) {
    report(stream, line);
    state_.fail(line);
}

void ShaderProgram::bindOutputAndRelink(const char* outputName) {
    if (program == 0) {
        return;
    }
    // The output binding takes effect only at the next link.
    glBindFragDataLocation(program, 0, outputName);
    link();
    ready = program != 0;
}
