#include "render/TexturedModel.h"

#include <glm/gtc/type_ptr.hpp>

#include "render/LightMatrices.h"
#include "render/RenderStore.h"

TexturedModel::TexturedModel(RenderStore& store, const std::string& meshPath,
                             const std::string& texturePath, const ShaderProgram& shadowProgram)
    : program_(store.program("shaders/planet_shader", "out_color")), shadowProgram_(shadowProgram),
      mesh_(store.mesh(meshPath, true, true)), texture_(store.texture(texturePath)),
      vao_(program_.program, mesh_.inputs()), depthVao_(shadowProgram.program, mesh_.inputs()) {
    // In the order the faults were reported.
    for (const LoadState* part : {&program_.state(), &mesh_.state(), &texture_.state()}) {
        if (!part->loaded) {
            state_.fail(part->problem);
        }
    }
    const GLuint program = program_.program;
    if (program != 0) {
        mvpLocation_ = glGetUniformLocation(program, "MVP");
        modelLocation_ = glGetUniformLocation(program, "M");
        viewLocation_ = glGetUniformLocation(program, "V");
        texMatLocation_ = glGetUniformLocation(program, "tex_mat");
        transparencyLocation_ = glGetUniformLocation(program, "transparency");
        colorTextureLocation_ = glGetUniformLocation(program, "color_texture");
        shadowTextureLocation_ = glGetUniformLocation(program, "sm_texture");
    }
    if (shadowProgram.program != 0) {
        depthMvpLocation_ = glGetUniformLocation(shadowProgram.program, "MVP");
    }
}

void TexturedModel::draw(const glm::mat4& view, const glm::mat4& projection, const glm::mat4& model,
                         float transparency, GLuint shadowTexture) const {
    const GLuint program = program_.program;
    // A program that failed was reported once when it was built; drawing with none would
    // only repeat GL errors every frame.
    if (program == 0) {
        return;
    }
    glUseProgram(program);
    glBindVertexArray(vao_.name());

    const glm::mat4 mvp = projection * view * model;
    const glm::mat4 texMat = shadowBias() * shadowLightMatrix() * model;
    glUniformMatrix4fv(mvpLocation_, 1, GL_FALSE, glm::value_ptr(mvp));
    glUniformMatrix4fv(modelLocation_, 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix4fv(viewLocation_, 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(texMatLocation_, 1, GL_FALSE, glm::value_ptr(texMat));
    glUniform1f(transparencyLocation_, transparency);

    bindOnUnit(texture_.name(), kColourUnit, colorTextureLocation_);
    bindOnUnit(shadowTexture, kShadowUnit, shadowTextureLocation_);

    glDrawArrays(GL_TRIANGLES, 0, mesh_.count());

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}

void TexturedModel::drawDepth(const glm::mat4& model) const {
    if (shadowProgram_.program == 0) {
        return;
    }
    glUseProgram(shadowProgram_.program);
    glBindVertexArray(depthVao_.name());
    const glm::mat4 mvp = shadowLightMatrix() * model;
    glUniformMatrix4fv(depthMvpLocation_, 1, GL_FALSE, glm::value_ptr(mvp));
    glDrawArrays(GL_TRIANGLES, 0, mesh_.count());
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}
