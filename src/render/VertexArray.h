#pragma once

#include <GL/glew.h>
#include <vector>

// Where one input of a program reads from: `components` floats a vertex (or an instance) in
// `buffer`, `stride` and `offset` counted in floats (stride 0: tightly packed). A matrix input
// takes `columns` consecutive locations of 4 floats each.
struct VertexInput {
    const char* name;
    GLuint buffer;
    int components = 4;
    int stride = 0;
    int offset = 0;
    int columns = 1;
    bool perInstance = false;
};

// Points each input that `program` reads at its source, in the bound vertex array. A name the
// program does not read (the linker drops unused inputs), and every name of program 0, is
// skipped without a GL call: GL refuses location -1 with an error. Leaves `GL_ARRAY_BUFFER`
// bound to the last source.
void pointInputs(GLuint program, const std::vector<VertexInput>& inputs);

// One vertex array, owned: the inputs `program` reads, and the element buffer when there is
// one. Every body's vertex arrays are built here, colour and depth, one at a time or in bulk.
class VertexArray {
  public:
    VertexArray(GLuint program, const std::vector<VertexInput>& inputs, GLuint elementBuffer = 0);
    ~VertexArray();
    VertexArray(const VertexArray&) = delete;
    VertexArray& operator=(const VertexArray&) = delete;

    GLuint name() const { return name_; }

  private:
    GLuint name_ = 0;
};
