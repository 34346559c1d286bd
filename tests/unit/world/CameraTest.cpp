#include "WorldTestSupport.h"
#include "world/Camera.h"

namespace {

TEST(Camera, ZoomStepsLeavingTheOpenIntervalAreRefusedWhole) {
    struct Case { const char* name; float start, amount, expected; };
    const Case cases[] = {
        {"in past 2", 2.05f, 0.1f, 2.05f},   {"in to 2.01", 2.05f, 0.04f, 2.01f},
        {"out past 6", 5.98f, -0.05f, 5.98f}, {"out to 5.99", 5.98f, -0.01f, 5.99f},
        {"onto 2", 3.0f, 1.0f, 3.0f},         {"onto 6", 3.0f, -3.0f, 3.0f},
    };
    const glm::vec3 direction = glm::normalize(glm::vec3(0.2f, 0.3f, -1.0f));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        camera.distance = c.start;
        camera.eye = direction * c.start;
        camera.zoom(c.amount);
        EXPECT_NEAR(camera.distance, c.expected, 1e-6f);
        EXPECT_NEAR(glm::length(camera.eye), camera.distance, 1e-5f);
        EXPECT_NEAR(glm::dot(glm::normalize(camera.eye), direction), 1.0f, 1e-6f);
    }
}

TEST(Camera, FollowTurnsAtTheWideningRateAndTakesUp) {
    const float dt = 1.0f / 60.0f;
    const glm::vec3 n(0, 0, -1), y(0, 1, 0);
    struct Case { const char* name; glm::vec3 target; float dt, degreesPerSecond; };
    const auto up = [&](float degrees) { return along(n, y, degrees); };
    const Case cases[] = {
        {"dt 0", up(26.0f), 0.0f, 0.0f},
        {"0.1 degrees, inside one frame's turn", along(n, {1, 0, 0}, 0.1f), dt, 0.0f},
        {"the eye's own direction", n, dt, 0.0f},
        {"6.9", up(6.9f), dt, 8.0f},     {"7.1", up(7.1f), dt, 14.0f},
        {"10", up(10.0f), dt, 14.0f},    {"14.9", up(14.9f), dt, 14.0f},
        {"15.1", up(15.1f), dt, 20.0f},  {"44.9", up(44.9f), dt, 20.0f},
        {"45.1", up(45.1f), dt, 30.0f},  {"170", up(170.0f), dt, 30.0f},
        {"opposite: any perpendicular axis", -n, dt, 30.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        camera.follow(c.target, {1, 0, 0}, c.dt);
        ASSERT_TRUE(isFinite(camera.eye));
        EXPECT_EQ(camera.up, glm::vec3(1, 0, 0));
        EXPECT_NEAR(glm::length(camera.eye), 3.0f, 1e-5f);
        const double turned = c.degreesPerSecond * c.dt;
        EXPECT_NEAR(degreesBetween(camera.eye, n), turned, 1e-3);
        EXPECT_NEAR(degreesBetween(camera.eye, c.target), degreesBetween(n, c.target) - turned,
                    1e-3);
    }
}

} // namespace
