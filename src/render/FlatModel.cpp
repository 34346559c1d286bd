#include "render/FlatModel.h"

#include <glm/gtc/type_ptr.hpp>

#include "render/GlCurrent.h"
#include "render/Mesh.h"

FlatModel::FlatModel(const std::string& shaderBase, const std::string& meshPath) {
    program_ = std::make_unique<ShaderProgram>(shaderBase);
    program_->bindOutputAndRelink("out_color");
    std::string meshProblem;
    Mesh::load(program_.get(), meshPath, vertexCount_, buffers_, vao_, false, false, &meshProblem);
    // In the order the faults were reported.
    if (!program_->state().loaded)
        state_.fail(program_->state().problem);
    if (!meshProblem.empty())
        state_.fail(meshProblem);
    if (program_->program != 0) {
        mvpLocation_ = glGetUniformLocation(program_->program, "MVP");
    }
    glUseProgram(0);
}

FlatModel::~FlatModel() {
    deleteVertexArraysAndBuffers(1, &vao_, 4, buffers_);
}

void FlatModel::draw(const glm::mat4& mvp, GLenum mode) const {
    if (program_->program == 0) {
        return;
    }
    glUseProgram(program_->program);
    glBindVertexArray(vao_);
    glUniformMatrix4fv(mvpLocation_, 1, GL_FALSE, glm::value_ptr(mvp));
    glDrawArrays(mode, 0, vertexCount_);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}
