#include "world/EnemyModel.h"

#include <GL/glew.h>

#include <algorithm>

#include "render/InstancedModel.h"
#include "render/ShaderProgram.h"
#include "render/TexturedModel.h"
#include "world/Enemy.h"
#include "world/Visibility.h"
#include "world/World.h"

namespace {
constexpr const char* kMesh = "resources/enemy.obj";
constexpr const char* kTexture = "resources/enemy.tga";
} // namespace

EnemyModel::EnemyModel(World* world)
    : world_(world), body_(std::make_unique<TexturedModel>(*world->renderStore(), kMesh, kTexture,
                                                           *world->shadowProgram)) {
    // The crowd draws the same decoded mesh with the same texture. Where a file failed, the
    // enemies are drawn one by one, and the crowd's programs (which share stages with the
    // failed ones) are not built to fail and be reported again.
    if (body_->state().loaded && world->shadowProgram->state().loaded) {
        crowd_ = std::make_unique<InstancedModel>(*world->renderStore(), kMesh, kTexture);
    }
}

EnemyModel::~EnemyModel() = default;

void EnemyModel::draw(GLuint shadowTexture, glm::mat4 model, float transparency) const {
    const Camera& camera = *world_->camera;
    body_->draw(camera.view(), camera.projection(), model, transparency, shadowTexture);
}

void EnemyModel::drawDepth(glm::mat4 model) const {
    body_->drawDepth(model);
}

bool EnemyModel::drawsCrowds() const {
    return crowd_ && crowd_->state().loaded;
}

glm::vec3 EnemyModel::ballCentre(const glm::mat4& model) const {
    return glm::vec3(model * glm::vec4(crowd_->boundsCentre(), 1.0f));
}

float EnemyModel::ballRadius(const glm::mat4& model) const {
    return crowd_->boundsRadius() * glm::length(glm::vec3(model[0]));
}

bool EnemyModel::castsVisibleShadow(const glm::vec4& ball, float reach) const {
    const glm::vec3 centre(ball);
    return !castsNoVisibleShadow(centre, ball.w) &&
           !shadowOutOfSight(world_->camera->eye, centre, ball.w, reach);
}

namespace {
// The player stands 0.1 tall and a super punch's fist ends within 1.3 of the centre.
constexpr float kPlayerReach = 1.5f;

// The wireframe view (F3) draws the planet as lines: it hides nothing then, in either pass.
bool planetIsSolid() {
    GLint modes[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return modes[0] == GL_FILL;
}
} // namespace

void EnemyModel::drawCrowd(const std::vector<std::unique_ptr<Enemy>>& enemies,
                           GLuint shadowTexture) const {
    const Camera& camera = *world_->camera;
    const bool solid = planetIsSolid();
    models_.clear();
    transparencies_.clear();
    for (const auto& enemy : enemies) {
        // Drawn after the planet, a hidden enemy would only fail the depth test. The list order
        // stays: translucent enemies blend over what was drawn before them.
        if (!solid ||
            !hiddenBehindPlanet(camera.eye, ballCentre(enemy->model), ballRadius(enemy->model))) {
            models_.push_back(enemy->model);
            transparencies_.push_back(enemy->opacity());
        }
    }
    crowd_->draw(camera.view(), camera.projection(), models_, transparencies_, shadowTexture);
}

void EnemyModel::drawCrowdDepth(const std::vector<std::unique_ptr<Enemy>>& enemies) const {
    const bool solid = planetIsSolid();
    // Each ball is found once. What takes shadows: the player and its fists on the surface, and
    // every enemy, landing ones included.
    balls_.clear();
    float reach = kPlayerReach;
    for (const auto& enemy : enemies) {
        balls_.emplace_back(ballCentre(enemy->model), ballRadius(enemy->model));
        reach = std::max(reach, glm::length(glm::vec3(balls_.back())) + balls_.back().w);
    }
    models_.clear();
    for (std::size_t i = 0; i < enemies.size(); ++i) {
        const auto& enemy = enemies[i];
        if (enemy->castsShadow() && (!solid || castsVisibleShadow(balls_[i], reach))) {
            models_.push_back(enemy->model);
        }
    }
    crowd_->drawDepth(models_);
}
