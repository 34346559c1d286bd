#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <vector>

#include "render/ShaderProgram.h"
#include "render/Texture.h"

// Where character code c (as a signed 8-bit value) sits in the 16 x 16 font atlas.
struct AtlasCell {
    float u0, u1, vTop, vBottom;
};
AtlasCell atlasCell(char c);

// The six vertices per character of one line of text, in draw order.
struct TextVertices {
    std::vector<glm::vec2> positions;
    std::vector<glm::vec2> texCoords;
};
TextVertices buildTextVertices(const std::string& text, float x, float y, float size);

// Draws single lines of text in normalised device coordinates with the "shaders/hud" program
// and the font atlas. Each draw builds, uses and deletes its own vertex array and buffers.
class TextRenderer {
  public:
    explicit TextRenderer(const std::string& fontPath);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    void draw(const std::string& text, float x, float y, float size, float r, float g,
              float b) const;
    GLuint programName() const { return program_ ? program_->program : 0; }
    GLuint fontTextureName() const { return fontTexture_ ? fontTexture_->name() : 0; }

  private:
    std::unique_ptr<ShaderProgram> program_;
    std::unique_ptr<Texture> fontTexture_;
    GLint colorTextureLocation_ = -1;
    GLint colorLocation_ = -1;
};
