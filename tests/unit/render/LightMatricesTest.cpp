#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "render/LightMatrices.h"

namespace {

void expectNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(actual[c][r], expected[c][r], tolerance) << "column " << c << " row " << r;
        }
    }
}

glm::vec3 toShadowMap(const glm::vec4& world, const glm::mat4& model = glm::mat4(1.0f)) {
    const glm::vec4 p = shadowBias() * shadowLightMatrix() * model * world;
    return glm::vec3(p) / p.w;
}

} // namespace

TEST(LightMatrices, SquareCameraProjectionIsTheLightsProjection) {
    const glm::mat4 lightView =
        glm::lookAt(glm::vec3(5.0f, 0.0f, 0.0f), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    expectNear(shadowLightMatrix() * glm::inverse(lightView), cameraProjection(1.0f), 1e-5f);
}

TEST(LightMatrices, ProjectionAnglesAreFortyFiveDegrees) {
    // 1 / tan(22.5 degrees): a degrees-for-radians slip gives a wildly different value.
    const float focal = 1.0f / std::tan(glm::radians(22.5f));
    EXPECT_NEAR(cameraProjection(1.0f)[1][1], focal, 1e-5f);
    EXPECT_NEAR(cameraProjection(16.0f / 9.0f)[0][0], focal * 9.0f / 16.0f, 1e-5f);
}

TEST(LightMatrices, ShadowMapCoordinates) {
    // Distance 5 from the light; depth in [0, 1] of a near 0.1, far 1000 frustum.
    const float originDepth = 0.5f * ((1000.1f / 999.9f) - 2.0f * 100.0f / (999.9f * 5.0f)) + 0.5f;
    struct Case {
        const char* name;
        glm::vec4 world;
        glm::vec3 expected;
    };
    const Case cases[] = {
        {"origin is the middle of the map", {0, 0, 0, 1}, {0.5f, 0.5f, originDepth}},
        {"up is up in the map",
         {0, 1, 0, 1},
         {0.5f, 0.5f + 0.5f / (5.0f * std::tan(glm::radians(22.5f))), originDepth}},
        {"the light looks down -x, so +z is to its left",
         {0, 0, 1, 1},
         {0.5f - 0.5f / (5.0f * std::tan(glm::radians(22.5f))), 0.5f, originDepth}},
    };
    for (const Case& c : cases) {
        const glm::vec3 p = toShadowMap(c.world);
        EXPECT_NEAR(p.x, c.expected.x, 1e-5f) << c.name;
        EXPECT_NEAR(p.y, c.expected.y, 1e-5f) << c.name;
        EXPECT_NEAR(p.z, c.expected.z, 1e-5f) << c.name;
    }
}
