#include "app/RenderPasses.h"

#include <GL/glew.h>

#include "app/ShadowMap.h"
#include "world/World.h"

void renderFrame(const ShadowMap& shadowMap, const World& world, int width, int height) {
    glBindFramebuffer(GL_FRAMEBUFFER, shadowMap.framebuffer());
    glViewport(0, 0, ShadowMap::kSize, ShadowMap::kSize);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    world.drawDepth();

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    if (world.planet)
        world.planet->draw(shadowMap.depthTexture());

    glBindFramebuffer(GL_FRAMEBUFFER, shadowMap.framebuffer());
    glViewport(0, 0, ShadowMap::kSize, ShadowMap::kSize);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    if (world.planet)
        world.planet->drawDepth();

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    world.draw(shadowMap.depthTexture());
}
