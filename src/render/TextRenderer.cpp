#include "render/TextRenderer.h"

#include "render/VertexArray.h"

AtlasCell atlasCell(char c) {
    // The code is taken as signed 8 bits; C++ division truncates towards zero, so bytes from
    // 128 on give negative cells that the atlas's repeat wrap folds back.
    const int code = static_cast<signed char>(c);
    const int column = code % 16;
    const int row = code / 16;
    AtlasCell cell;
    cell.u0 = static_cast<float>(column) / 16.0f;
    // Glyphs use the left three quarters of their cell.
    cell.u1 = cell.u0 + 0.046875f;
    cell.vTop = 1.125f - static_cast<float>(row) / 16.0f;
    cell.vBottom = 1.0625f - static_cast<float>(row) / 16.0f;
    return cell;
}

TextVertices buildTextVertices(const std::string& text, float x, float y, float size) {
    TextVertices out;
    out.positions.reserve(text.size() * 6);
    out.texCoords.reserve(text.size() * 6);
    const float advance = 0.75f * size;
    for (size_t i = 0; i < text.size(); ++i) {
        const float x0 = x + static_cast<float>(i) * advance;
        const float x1 = x0 + advance;
        const float y0 = y;
        const float y1 = y + size;
        const AtlasCell cell = atlasCell(text[i]);
        const glm::vec2 positions[6] = {{x0, y1}, {x0, y0}, {x1, y1}, {x1, y0}, {x1, y1}, {x0, y0}};
        const glm::vec2 texCoords[6] = {{cell.u0, cell.vTop}, {cell.u0, cell.vBottom},
                                        {cell.u1, cell.vTop}, {cell.u1, cell.vBottom},
                                        {cell.u1, cell.vTop}, {cell.u0, cell.vBottom}};
        out.positions.insert(out.positions.end(), positions, positions + 6);
        out.texCoords.insert(out.texCoords.end(), texCoords, texCoords + 6);
    }
    return out;
}

TextRenderer::TextRenderer(const std::string& fontPath) {
    program_ = std::make_unique<ShaderProgram>("shaders/hud");
    program_->bindOutputAndRelink("out_color");
    fontTexture_ = std::make_unique<Texture>(fontPath);
    const GLuint program = program_->program;
    if (program != 0) {
        colorTextureLocation_ = glGetUniformLocation(program, "color_texture");
        colorLocation_ = glGetUniformLocation(program, "color");
    }
}

TextRenderer::~TextRenderer() = default;

namespace {

void upload(GLuint buffer, const std::vector<glm::vec2>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(glm::vec2)),
                 data.data(), GL_STATIC_DRAW);
}

} // namespace

void TextRenderer::draw(const std::string& text, float x, float y, float size, float r, float g,
                        float b) const {
    const GLuint program = program_->program;
    // An empty line touches no GL; a failed program was reported when it was built.
    if (text.empty() || program == 0) {
        return;
    }
    const TextVertices vertices = buildTextVertices(text, x, y, size);
    const GLuint font = fontTexture_->name();

    glUseProgram(program);

    // A vertex array and buffers of its own per call: nothing is kept between calls.
    GLuint buffers[2] = {0, 0};
    glGenBuffers(2, buffers);
    upload(buffers[0], vertices.positions);
    upload(buffers[1], vertices.texCoords);
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    pointInputs(program, {{"in_position", buffers[0], 2}, {"in_uv", buffers[1], 2}});

    bindOnUnit(font, kColourUnit, colorTextureLocation_);
    glUniform3f(colorLocation_, r, g, b);

    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.positions.size()));

    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(2, buffers);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}
