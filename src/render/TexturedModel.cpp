#include "render/TexturedModel.h"

#include <glm/gtc/type_ptr.hpp>

#include "render/GlCurrent.h"
#include "render/LightMatrices.h"
#include "render/Mesh.h"

TexturedModel::TexturedModel(const std::string& meshPath, const std::string& texturePath,
                             const ShaderProgram& shadowProgram) {
    program_ = std::make_unique<ShaderProgram>("shaders/planet_shader");
    program_->bindOutputAndRelink("out_color");

    std::string meshProblem;
    Mesh::load(program_.get(), meshPath, vertexCount_, buffers_, vao_, true, true, &meshProblem);

    // The depth pass reads only the positions, through the shadow program's own binding.
    glGenVertexArrays(1, &depthVao_);
    glBindVertexArray(depthVao_);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    const GLint position = glGetAttribLocation(shadowProgram.program, "in_position");
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);

    texture_ = std::make_unique<Texture>(texturePath);

    // In the order the faults were reported.
    if (!program_->state().loaded)
        state_.fail(program_->state().problem);
    if (!meshProblem.empty())
        state_.fail(meshProblem);
    if (!texture_->state().loaded)
        state_.fail(texture_->state().problem);

    const GLuint program = program_->program;
    if (program != 0) {
        mvpLocation_ = glGetUniformLocation(program, "MVP");
        modelLocation_ = glGetUniformLocation(program, "M");
        viewLocation_ = glGetUniformLocation(program, "V");
        texMatLocation_ = glGetUniformLocation(program, "tex_mat");
        transparencyLocation_ = glGetUniformLocation(program, "transparency");
        colorTextureLocation_ = glGetUniformLocation(program, "color_texture");
        shadowTextureLocation_ = glGetUniformLocation(program, "sm_texture");
    }
}

TexturedModel::~TexturedModel() {
    const GLuint vaos[] = {depthVao_, vao_};
    deleteVertexArraysAndBuffers(2, vaos, 4, buffers_);
}

void TexturedModel::draw(const glm::mat4& view, const glm::mat4& projection, const glm::mat4& model,
                         float transparency, GLuint shadowTexture) const {
    const GLuint program = program_->program;
    // A program that failed was reported once when it was built; drawing with none would
    // only repeat GL errors every frame.
    if (program == 0) {
        return;
    }
    const GLuint texture = texture_->name();
    glUseProgram(program);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindVertexArray(vao_);

    const glm::mat4 mvp = projection * view * model;
    const glm::mat4 texMat = shadowBias() * shadowLightMatrix() * model;
    glUniformMatrix4fv(mvpLocation_, 1, GL_FALSE, glm::value_ptr(mvp));
    glUniformMatrix4fv(modelLocation_, 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix4fv(viewLocation_, 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(texMatLocation_, 1, GL_FALSE, glm::value_ptr(texMat));
    glUniform1f(transparencyLocation_, transparency);

    bindOnOwnUnit(texture, colorTextureLocation_);
    bindOnOwnUnit(shadowTexture, shadowTextureLocation_);

    glDrawArrays(GL_TRIANGLES, 0, vertexCount_);

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}

void TexturedModel::drawDepth(const glm::mat4& model, const ShaderProgram& shadowProgram) const {
    if (shadowProgram.program == 0) {
        return;
    }
    glUseProgram(shadowProgram.program);
    glBindVertexArray(depthVao_);
    if (depthProgram_ != shadowProgram.program) {
        depthProgram_ = shadowProgram.program;
        depthMvpLocation_ = glGetUniformLocation(shadowProgram.program, "MVP");
    }
    const glm::mat4 mvp = shadowLightMatrix() * model;
    glUniformMatrix4fv(depthMvpLocation_, 1, GL_FALSE, glm::value_ptr(mvp));
    glDrawArrays(GL_TRIANGLES, 0, vertexCount_);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}
