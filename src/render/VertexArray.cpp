#include "render/VertexArray.h"

#include <cstdint>

#include "render/GlCurrent.h"

void pointInputs(GLuint program, const std::vector<VertexInput>& inputs) {
    if (program == 0) {
        return; // asking program 0 for a location is itself a GL error
    }
    for (const VertexInput& input : inputs) {
        const GLint location = glGetAttribLocation(program, input.name);
        if (location < 0) {
            continue;
        }
        glBindBuffer(GL_ARRAY_BUFFER, input.buffer);
        const auto stride = static_cast<GLsizei>(input.stride * sizeof(float));
        for (int c = 0; c < input.columns; ++c) {
            const auto index = static_cast<GLuint>(location + c);
            const auto offset = static_cast<std::uintptr_t>(input.offset + c * 4) * sizeof(float);
            glEnableVertexAttribArray(index);
            glVertexAttribPointer(index, input.components, GL_FLOAT, GL_FALSE, stride,
                                  reinterpret_cast<const void*>(offset));
            glVertexAttribDivisor(index, input.perInstance ? 1 : 0);
        }
    }
}

VertexArray::VertexArray(GLuint program, const std::vector<VertexInput>& inputs,
                         GLuint elementBuffer) {
    glGenVertexArrays(1, &name_);
    glBindVertexArray(name_);
    // The element binding belongs to the vertex array.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
    pointInputs(program, inputs);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

VertexArray::~VertexArray() {
    if (glDeleteIsSafe()) {
        glDeleteVertexArrays(1, &name_);
    }
}
