#include "render/GlCurrent.h"

#include <GL/glew.h>

namespace {
bool (*currentContextQuery)() = nullptr;
} // namespace

bool glDeleteIsSafe() {
    return currentContextQuery != nullptr && currentContextQuery() && glDeleteBuffers;
}

void setCurrentContextQuery(bool (*query)()) {
    currentContextQuery = query;
}
