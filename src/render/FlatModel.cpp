#include "render/FlatModel.h"

#include <glm/gtc/type_ptr.hpp>

#include "render/RenderStore.h"

FlatModel::FlatModel(RenderStore& store, const std::string& shaderBase, const std::string& meshPath)
    : program_(store.program(shaderBase, "out_color")), mesh_(store.mesh(meshPath, false, false)),
      vao_(program_.program, mesh_.inputs()) {
    // In the order the faults were reported.
    for (const LoadState* part : {&program_.state(), &mesh_.state()}) {
        if (!part->loaded) {
            state_.fail(part->problem);
        }
    }
    if (program_.program != 0) {
        mvpLocation_ = glGetUniformLocation(program_.program, "MVP");
    }
}

void FlatModel::draw(const glm::mat4& mvp, GLenum mode) const {
    if (program_.program == 0) {
        return;
    }
    glUseProgram(program_.program);
    glBindVertexArray(vao_.name());
    glUniformMatrix4fv(mvpLocation_, 1, GL_FALSE, glm::value_ptr(mvp));
    glDrawArrays(mode, 0, mesh_.count());
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}
