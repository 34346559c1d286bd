#include "world/Camera.h"
#include "WorldTestSupport.h"

TEST(Camera, ZoomStepsLeavingTheOpenIntervalAreRefusedWhole) {
    const glm::vec3 direction = glm::normalize(glm::vec3(0.2f, 0.3f, -1.0f));
    // Start distance, zoom amount, distance after: 2 and 6 themselves are out.
    const float cases[][3] = {{2.05f, 0.1f, 2.05f},
                              {2.05f, 0.04f, 2.01f},
                              {5.98f, -0.05f, 5.98f},
                              {5.98f, -0.01f, 5.99f},
                              {3, 1, 3},
                              {3, -3, 3}};
    for (const auto& c : cases) {
        Camera camera;
        camera.distance = c[0];
        camera.eye = direction * c[0];
        camera.zoom(c[1]);
        EXPECT_NEAR(camera.distance, c[2], 1e-6f) << c[0] << " by " << c[1];
        EXPECT_VEC_NEAR(camera.eye, direction * c[2], 1e-5f);
    }
}

TEST(Camera, FollowTurnsAtTheWideningRateAndNeverSnaps) {
    const float dt = 1.0f / 60.0f;
    const glm::vec3 n(0, 0, -1);
    // Degrees to the target (180: exactly opposite, any axis will do), degrees per second.
    const float cases[][2] = {{0, 0},      {0.1f, 0},   {6.9f, 8},   {7.1f, 14}, {14.9f, 14},
                              {15.1f, 20}, {44.9f, 20}, {45.1f, 30}, {170, 30},  {180, 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const glm::vec3 target = c[0] == 180 ? -n : along(n, {0, 1, 0}, c[0]);
        Camera camera;
        camera.follow(target, {1, 0, 0}, dt);
        EXPECT_EQ(camera.up, glm::vec3(1, 0, 0));
        EXPECT_NEAR(glm::length(camera.eye), 3.0f, 1e-5f);
        EXPECT_NEAR(degreesBetween(camera.eye, target), c[0] - c[1] * dt, 1e-3);
    }
}
