#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "unit/world/WorldTestSupport.h"

namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr float kStep = 20.0f * kDt; // the shell's 20 degrees per second

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The largest departure from: unit position, unit axes, all three pairwise perpendicular.
float frameError(const Player& p) {
    const float errors[] = {
        std::abs(glm::length(p.position) - 1.0f),  std::abs(glm::length(p.forward) - 1.0f),
        std::abs(glm::length(p.left) - 1.0f),      std::abs(glm::dot(p.forward, p.left)),
        std::abs(glm::dot(p.forward, p.position)), std::abs(glm::dot(p.left, p.position)),
    };
    return *std::max_element(std::begin(errors), std::end(errors));
}

TEST(Player, StartValues) {
    TestWorld t;
    const Player& p = t.player();
    EXPECT_EQ(p.lives, 100.0f);
    EXPECT_EQ(p.superPunchCooldown, 0.0f);
    EXPECT_EQ(p.punchProgress, 0.0f);
    EXPECT_FALSE(p.punching);
    EXPECT_FALSE(p.superPunching);
    EXPECT_TRUE(p.punchExtending);
    EXPECT_TRUE(p.leftHand);
    EXPECT_EQ(p.scale, 0.05f);
    expectNear(p.position, glm::vec3(-0.000999f, 0.000999f, -0.999999f), 1e-6f);
    EXPECT_EQ(p.forward, glm::vec3(0, 1, 0));
    EXPECT_EQ(p.left, glm::vec3(1, 0, 0));
    EXPECT_EQ(p.facing, glm::vec3(1, 0, 0));
    EXPECT_EQ(t.world.camera->center, p.position);
    // The body stands at its place, scaled by 0.05, its +Y pointing away from the centre.
    expectNear(glm::vec3(p.model * glm::vec4(0, 0, 0, 1)), p.position, 1e-7f);
    const glm::vec3 up(p.model * glm::vec4(0, 1, 0, 0));
    EXPECT_NEAR(glm::length(up), 0.05f, 1e-7f);
    expectNear(glm::normalize(up), p.position, 1e-5f);
}

TEST(Player, FacingTurnsMinusLeftByTheAngle) {
    struct Case {
        float degrees;
        glm::vec3 facing;
    };
    // 0 is screen right; the window's y grows downward, so 90 is screen down.
    const Case cases[] = {
        {0.0f, {-1, 0, 0}}, {90.0f, {0, -1, 0}}, {180.0f, {1, 0, 0}}, {270.0f, {0, 1, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        TestWorld t;
        t.player().setFacing(c.degrees);
        expectNear(t.player().facing, c.facing, 2e-3f);
    }
}

TEST(Player, HoldingWCarriesThePlayerOverThePole) {
    TestWorld t;
    Player& p = t.player();
    for (int frame = 0; frame < 270; ++frame) { // 4.5 s
        p.moveForward(-kStep);
    }
    expectNear(p.position, glm::vec3(0, 1, 0), 3e-3f);
    expectNear(p.left, glm::vec3(1, 0, 0), 3e-3f);
    expectNear(p.forward, glm::vec3(0, 0, 1), 3e-3f);
    EXPECT_EQ(t.world.camera->center, p.position);
    for (int frame = 0; frame < 270; ++frame) { // on without turning back
        const float before = p.position.z;
        p.moveForward(-kStep);
        ASSERT_GT(p.position.z, before);
    }
    expectNear(p.position, glm::vec3(0, 0, 1), 3e-3f);
    expectNear(p.forward, glm::vec3(0, -1, 0), 3e-3f);
}

TEST(Player, KeysMoveInScreenDirections) {
    struct Case {
        const char* key;
        bool forwardStep;
        float sign;
        glm::vec3 expectedDirection; // at the start: forward (0,1,0), left (1,0,0)
    };
    const Case cases[] = {{"W", true, -1.0f, {0, 1, 0}},
                          {"S", true, 1.0f, {0, -1, 0}},
                          {"A", false, 1.0f, {1, 0, 0}},
                          {"D", false, -1.0f, {-1, 0, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TestWorld t;
        Player& p = t.player();
        const glm::vec3 start = p.position;
        c.forwardStep ? p.moveForward(c.sign * kStep) : p.moveSideways(c.sign * kStep);
        EXPECT_NEAR(degreesBetween(p.position, start), kStep, 1e-3);
        EXPECT_GT(glm::dot(glm::normalize(p.position - start), c.expectedDirection), 0.999f);
    }
}

TEST(Player, LongWalksKeepTheFrameOrthonormal) {
    struct Case {
        const char* keys;
        float forwardAngle;  // per frame, W negative
        float sidewaysAngle; // per frame, A positive
    };
    const Case cases[] = {
        {"W", -kStep, 0.0f},   {"S", kStep, 0.0f},     {"A", 0.0f, kStep},
        {"D", 0.0f, -kStep},   {"W+A", -kStep, kStep}, {"W+D", -kStep, -kStep},
        {"S+A", kStep, kStep}, {"S+D", kStep, -kStep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        TestWorld t;
        std::srand(11);
        Player& p = t.player();
        float worst = 0.0f;
        float highest = 0.0f;
        float lowest = 0.0f;
        for (int frame = 0; frame < 6 * 60 * 60; ++frame) { // six minutes
            if (c.forwardAngle != 0.0f) {
                p.moveForward(c.forwardAngle);
            }
            if (c.sidewaysAngle != 0.0f) {
                p.moveSideways(c.sidewaysAngle);
            }
            // Changing course now and then takes the diagonals over other great circles.
            if (frame % 1200 == 599) {
                p.moveSideways(30.0f);
            }
            worst = std::max(worst, frameError(p));
            highest = std::max(highest, p.position.y);
            lowest = std::min(lowest, p.position.y);
        }
        EXPECT_LT(worst, 1e-4f);
        ASSERT_TRUE(isFinite(p.model));
        EXPECT_EQ(t.world.camera->center, p.position);
        if (c.sidewaysAngle == 0.0f) { // W and S cross both poles
            EXPECT_GT(highest, 0.99f);
            EXPECT_LT(lowest, -0.99f);
        }
    }
}

TEST(Player, ExactlyOnThePolesTheBodyStaysFinite) {
    for (glm::vec3 pole : {glm::vec3(0, 1, 0), glm::vec3(0, -1, 0)}) {
        SCOPED_TRACE(pole.y);
        TestWorld t;
        Player& p = t.player();
        p.position = pole;
        p.forward = glm::vec3(0, 0, 1);
        p.left = glm::vec3(1, 0, 0);
        p.moveForward(0.0f); // a step of 0 still rebuilds the matrix, then nudges
        ASSERT_TRUE(isFinite(p.model));
        const glm::vec3 up(p.model * glm::vec4(0, 1, 0, 0));
        EXPECT_NEAR(glm::dot(glm::normalize(up), pole), 1.0f, 1e-5f);
        EXPECT_LT(frameError(p), 1e-5f);
    }
}

TEST(Player, VanishingWalkingAxisKeepsThePreviousOne) {
    TestWorld t;
    Player& p = t.player();
    p.position = glm::vec3(0, 0, 1);
    p.forward = glm::vec3(0, 0, 1); // broken frame: forward along the position
    p.left = glm::vec3(1, 0, 0);
    p.moveForward(0.0f);
    EXPECT_TRUE(isFinite(p.left));
    EXPECT_TRUE(isFinite(p.forward));
    EXPECT_TRUE(isFinite(p.position));
    EXPECT_EQ(p.left, glm::vec3(1, 0, 0));
    // The nudge rebuilt forward from the place and the kept left, mending the frame.
    EXPECT_LT(frameError(p), 1e-5f);
}

} // namespace
