#include "world/Planet.h"

#include "render/TexturedModel.h"
#include "world/World.h"

Planet::Planet(World* world)
    : world_(world),
      body_(std::make_unique<TexturedModel>(*world->renderStore(), "resources/planet.obj",
                                            "resources/planet.tga", *world->shadowProgram)) {}

Planet::~Planet() = default;

void Planet::draw(GLuint shadowTexture) const {
    const Camera& camera = *world_->camera;
    body_->draw(camera.view(), camera.projection(), model, 1.0f, shadowTexture);
}

void Planet::drawDepth() const {
    body_->drawDepth(model);
}
