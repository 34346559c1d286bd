#include "render/Texture.h"

#include "decode/Image.h"
#include "io/DataFile.h"
#include "io/Report.h"
#include "render/GlCurrent.h"

namespace {

// A 8192 x 8192 uncompressed RGBA image and its header; larger files are refused unread.
constexpr size_t kMaxFileBytes = 257u * 1024 * 1024;

// A failed texture still samples as something loud rather than as an incomplete texture.
void uploadMissingTexture() {
    const unsigned char magenta[4] = {255, 0, 255, 255};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_SRGB8_ALPHA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, magenta);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

} // namespace

bool loadTexture2D(const std::string& path, std::string* reason) {
    const DataFile file = readDataFile(path, kMaxFileBytes);
    std::string problem;
    Image image;
    if (file.fault == DataFileFault::TooLarge) {
        problem = "file too large";
    } else if (!file.ok()) {
        problem = "cannot be opened";
    } else {
        decodeImage(file.bytes.data(), file.bytes.size(), image, &problem);
    }
    if (reason != nullptr) {
        *reason = problem;
    }
    if (!problem.empty()) {
        reportOnce(path, ReportStream::Err,
                   "Texture file " + path + " could not be loaded: " + problem + ".");
        uploadMissingTexture();
        return false;
    }
    // Images are sRGB-encoded; GL decodes them to linear for lighting.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_SRGB8_ALPHA8, image.width, image.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.rgba.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return true;
}

Texture::Texture(const std::string& path) {
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    std::string problem;
    if (!loadTexture2D(path, &problem)) {
        state_.fail(problem);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void bindOnUnit(GLuint texture, GLuint unit, GLint sampler) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(sampler, static_cast<GLint>(unit));
}

Texture::~Texture() {
    if (name_ != 0 && glDeleteIsSafe()) {
        glDeleteTextures(1, &name_);
    }
}
