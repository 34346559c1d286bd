#include "player/Fist.h"

#include "render/TexturedModel.h"
#include "world/SphereMath.h"
#include "world/World.h"

Fist::Fist(World* world) : world_(world) {
    if (world->hasGraphics()) {
        // Both fists draw the store's one mesh and the body's texture.
        body_ =
            std::make_unique<TexturedModel>(*world->renderStore(), "resources/fist.obj",
                                            "resources/player_texture.tga", *world->shadowProgram);
    }
}

Fist::~Fist() = default;

void Fist::setScale(float value) {
    scale = value / 40.0f;
}

void Fist::setPosition(glm::vec3 p) {
    position = p;
    updateModelMatrix();
}

void Fist::updateModelMatrix() {
    // The raw y of a place just outside the unit sphere: above 1 the clamp stands it upright.
    const glm::vec3 axis = tiltAxis(position);
    if (!isDegenerate(axis)) {
        lastTiltAxis_ = axis;
    }
    model = standingMatrix(position, scale, position, lastTiltAxis_);
}

void Fist::draw(GLuint shadowTexture) const {
    if (body_) {
        const Camera& camera = *world_->camera;
        body_->draw(camera.view(), camera.projection(), model, 1.0f, shadowTexture);
    }
}

void Fist::drawDepth() const {
    if (body_) {
        body_->drawDepth(model);
    }
}
