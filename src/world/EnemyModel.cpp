#include "world/EnemyModel.h"

#include "render/TexturedModel.h"
#include "world/World.h"

EnemyModel::EnemyModel(World* world)
    : world_(world), body_(std::make_unique<TexturedModel>(
                         "resources/enemy.obj", "resources/enemy.tga", *world->shadowProgram)) {}

EnemyModel::~EnemyModel() = default;

void EnemyModel::draw(GLuint shadowTexture, glm::mat4 model, float transparency) const {
    const Camera& camera = *world_->camera;
    body_->draw(camera.view(), camera.projection(), model, transparency, shadowTexture);
}

void EnemyModel::drawDepth(glm::mat4 model) const {
    body_->drawDepth(model, *world_->shadowProgram);
}
