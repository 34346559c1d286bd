#include <gtest/gtest.h>

#include "WorldTestSupport.h"
#include "world/Camera.h"

namespace {

Camera cameraAt(float distance) {
    Camera camera;
    camera.distance = distance;
    camera.eye = glm::normalize(glm::vec3(0.2f, 0.3f, -1.0f)) * distance;
    return camera;
}

TEST(Camera, StartValues) {
    const Camera camera;
    EXPECT_FLOAT_EQ(camera.aspect, 16.0f / 9.0f);
    EXPECT_EQ(camera.distance, 3.0f);
    EXPECT_EQ(camera.eye, glm::vec3(0, 0, -3));
    EXPECT_EQ(camera.up, glm::vec3(0, 1, 0));
    EXPECT_EQ(camera.center, glm::vec3(0, 0, 0));
}

TEST(Camera, ZoomStaysInsideTheOpenInterval) {
    struct Case {
        const char* name;
        float start;
        float amount;
        float expected;
    };
    const Case cases[] = {
        {"in past 2 refused", 2.05f, 0.1f, 2.05f},
        {"in to 2.01 taken", 2.05f, 0.04f, 2.01f},
        {"out past 6 refused", 5.98f, -0.05f, 5.98f},
        {"out to 5.99 taken", 5.98f, -0.01f, 5.99f},
        {"onto exactly 2 refused", 3.0f, 1.0f, 3.0f},
        {"onto exactly 6 refused", 3.0f, -3.0f, 3.0f},
        {"zoom by 5 * dt", 3.0f, 5.0f / 60.0f, 3.0f - 5.0f / 60.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera = cameraAt(c.start);
        const glm::vec3 direction = glm::normalize(camera.eye);
        camera.zoom(c.amount);
        EXPECT_NEAR(camera.distance, c.expected, 1e-6f);
        EXPECT_NEAR(glm::length(camera.eye), camera.distance, 1e-5f);
        EXPECT_NEAR(glm::dot(glm::normalize(camera.eye), direction), 1.0f, 1e-6f);
    }
}

TEST(Camera, ZeroFrameTimeReplacesOnlyUp) {
    Camera camera;
    const glm::vec3 target = glm::normalize(glm::vec3(0.5f, 0.0f, -1.0f));
    camera.follow(target, glm::vec3(0, 0, 1), 0.0f);
    EXPECT_EQ(camera.eye, glm::vec3(0, 0, -3));
    EXPECT_EQ(camera.up, glm::vec3(0, 0, 1));
}

TEST(Camera, TurnRateWidensWithTheRemainingAngle) {
    struct Case {
        float remainingDegrees;
        float degreesPerSecond;
    };
    const Case cases[] = {
        {5.0f, 8.0f}, {10.0f, 14.0f}, {30.0f, 20.0f}, {60.0f, 30.0f}, {170.0f, 30.0f}};
    const float dt = 1.0f / 60.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remainingDegrees);
        Camera camera;
        const glm::vec3 n = glm::normalize(camera.eye);
        const glm::vec3 target = along(n, glm::vec3(0, 1, 0), c.remainingDegrees);
        camera.follow(target, glm::vec3(0, 1, 0), dt);
        EXPECT_NEAR(degreesBetween(camera.eye, n), c.degreesPerSecond * dt, 1e-3);
        // It turned toward the target, and the eye stays on its sphere.
        EXPECT_NEAR(degreesBetween(camera.eye, target),
                    c.remainingDegrees - c.degreesPerSecond * dt, 1e-3);
        EXPECT_NEAR(glm::length(camera.eye), 3.0f, 1e-5f);
    }
}

TEST(Camera, TargetWithinOneFramesTurnLeavesTheEyePut) {
    const glm::vec3 start(0, 0, -3);
    const glm::vec3 n(0, 0, -1);
    struct Case {
        const char* name;
        glm::vec3 target;
    };
    const Case cases[] = {
        {"0.1 degrees, turn 0.133", along(n, glm::vec3(1, 0, 0), 0.1f)},
        {"the eye's own direction", n},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        camera.follow(c.target, glm::vec3(1, 0, 0), 1.0f / 60.0f);
        EXPECT_EQ(camera.eye, start);
        EXPECT_EQ(camera.up, glm::vec3(1, 0, 0));
    }
}

TEST(Camera, OppositeTargetTurnsAwayWithoutNaN) {
    Camera camera;
    camera.follow(glm::vec3(0, 0, 1), glm::vec3(0, 1, 0), 1.0f / 60.0f);
    ASSERT_TRUE(isFinite(camera.eye));
    EXPECT_NEAR(glm::length(camera.eye), 3.0f, 1e-5f);
    EXPECT_NEAR(degreesBetween(camera.eye, glm::vec3(0, 0, -1)), 30.0 / 60.0, 1e-3);
}

TEST(Camera, FollowsAPlayerThatRunsAheadAndCatchesUp) {
    Camera camera;
    const glm::vec3 target = glm::normalize(glm::vec3(1.0f, 0.2f, 0.1f)); // about 84 degrees
    for (int frame = 0; frame < 600; ++frame) {
        camera.follow(target, glm::vec3(0, 1, 0), 1.0f / 60.0f);
    }
    // It trails by less than one frame's turn at the slowest rate.
    EXPECT_LT(degreesBetween(camera.eye, target), 8.0 / 60.0 + 1e-4);
    EXPECT_NEAR(glm::length(camera.eye), 3.0f, 1e-4f);
}

} // namespace
