#include "app/GlState.h"

#include <GL/glew.h>

#include "app/Shell.h"

void setGlobalGlState() {
    glEnable(GL_FRAMEBUFFER_SRGB);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glGetError();
}

void applyDisplayChanges(const DisplayChanges& changes, const LoopState& state) {
    if (changes.polygonMode) {
        glPolygonMode(GL_FRONT_AND_BACK, state.filledPolygons ? GL_FILL : GL_LINE);
    }
    if (changes.blending) {
        if (state.blending) {
            glEnable(GL_BLEND);
        } else {
            glDisable(GL_BLEND);
        }
    }
}
