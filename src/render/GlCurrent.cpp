#include "render/GlCurrent.h"

#include <GL/glew.h>

namespace {
bool (*currentContextQuery)() = nullptr;
} // namespace

bool glDeleteIsSafe() {
    return currentContextQuery != nullptr && currentContextQuery() && glDeleteBuffers;
}

void deleteVertexArraysAndBuffers(int vaoCount, const unsigned* vaos, int bufferCount,
                                  const unsigned* buffers) {
    if (!glDeleteIsSafe()) {
        return;
    }
    glDeleteVertexArrays(vaoCount, vaos);
    glDeleteBuffers(bufferCount, buffers);
}

void setCurrentContextQuery(bool (*query)()) {
    currentContextQuery = query;
}
