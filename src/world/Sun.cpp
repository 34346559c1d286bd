#include "world/Sun.h"

#include <glm/gtc/matrix_transform.hpp>

#include "render/FlatModel.h"
#include "world/World.h"

glm::mat4 sunModelMatrix() {
    // Scaled by 20 about the mesh origin, then moved 100 out on +x.
    glm::mat4 model = glm::scale(glm::mat4(1.0f), glm::vec3(20.0f));
    return glm::translate(glm::mat4(1.0f), glm::vec3(100.0f, 0.0f, 0.0f)) * model;
}

Sun::Sun(World* world)
    : model(sunModelMatrix()), world_(world),
      body_(std::make_unique<FlatModel>(*world->renderStore(), "shaders/sun_shader",
                                        "resources/sun.obj")) {}

Sun::~Sun() = default;

void Sun::draw() const {
    const Camera& camera = *world_->camera;
    // The sun's vertex list is one triangle fan, not a triangle list.
    body_->draw(camera.projection() * camera.view() * model, GL_TRIANGLE_FAN);
}
