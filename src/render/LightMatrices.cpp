#include "render/LightMatrices.h"

#include <glm/gtc/matrix_transform.hpp>

glm::vec3 shadowLightPosition() {
    return glm::vec3(5.0f, 0.0f, 0.0f);
}

glm::mat4 shadowLightMatrix() {
    return glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f) *
           glm::lookAt(shadowLightPosition(), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
}

glm::mat4 shadowBias() {
    return glm::mat4(0.5f, 0.0f, 0.0f, 0.0f, //
                     0.0f, 0.5f, 0.0f, 0.0f, //
                     0.0f, 0.0f, 0.5f, 0.0f, //
                     0.5f, 0.5f, 0.5f, 1.0f);
}

glm::mat4 cameraProjection(float aspect) {
    return glm::perspective(glm::radians(45.0f), aspect, 0.1f, 1000.0f);
}
