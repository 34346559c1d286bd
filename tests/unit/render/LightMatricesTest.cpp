#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "render/LightMatrices.h"

TEST(LightMatrices, SquareCameraProjectionIsTheLightsProjectionAtFortyFiveDegrees) {
    const glm::mat4 lightView = glm::lookAt(glm::vec3(5, 0, 0), glm::vec3(0), glm::vec3(0, 1, 0));
    const glm::mat4 lightProjection = shadowLightMatrix() * glm::inverse(lightView);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR((&lightProjection[0][0])[i], (&cameraProjection(1.0f)[0][0])[i], 1e-5f) << i;
    }
    // 1 / tan(22.5 degrees): a degrees-for-radians slip gives a wildly different value.
    const float focal = 1.0f / std::tan(glm::radians(22.5f));
    EXPECT_NEAR(cameraProjection(1.0f)[1][1], focal, 1e-5f);
    EXPECT_NEAR(cameraProjection(16.0f / 9.0f)[0][0], focal * 9.0f / 16.0f, 1e-5f);
}

TEST(LightMatrices, ShadowMapCoordinates) {
    // 5 from the light, depth in [0, 1] of a near 0.1, far 1000 frustum; 1 unit off-axis moves
    // `side` across the map.
    const float depth = 0.5f * (1000.1f / 999.9f - 200.0f / (999.9f * 5.0f)) + 0.5f;
    const float side = 0.5f / (5.0f * std::tan(glm::radians(22.5f)));
    const struct {
        const char* name;
        glm::vec4 world;
        glm::vec3 expected;
    } cases[] = {
        {"origin is the middle of the map", {0, 0, 0, 1}, {0.5f, 0.5f, depth}},
        {"up is up in the map", {0, 1, 0, 1}, {0.5f, 0.5f + side, depth}},
        {"the light looks down -x, so +z is to its left", {0, 0, 1, 1}, {0.5f - side, 0.5f, depth}},
    };
    for (const auto& c : cases) {
        const glm::vec4 p = shadowBias() * shadowLightMatrix() * c.world;
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(p[i] / p.w, c.expected[i], 1e-5f) << c.name << i;
    }
}
