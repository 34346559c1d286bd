#include <algorithm>
#include <cmath>

#include "unit/world/WorldTestSupport.h"

namespace {

constexpr float kStep = 20.0f / 60.0f; // the shell's 20 degrees per second at 60 frames

// The largest departure from: unit position, unit axes, all three pairwise perpendicular.
float frameError(const Player& p) {
    return std::max({std::abs(glm::length(p.position) - 1.0f),
                     std::abs(glm::length(p.forward) - 1.0f),
                     std::abs(glm::length(p.left) - 1.0f), std::abs(glm::dot(p.forward, p.left)),
                     std::abs(glm::dot(p.forward, p.position)),
                     std::abs(glm::dot(p.left, p.position))});
}

TEST(Player, StartValuesAndFacing) {
    TestWorld t;
    Player& p = t.player();
    EXPECT_EQ(p.lives, 100.0f);
    EXPECT_EQ(p.superPunchCooldown + p.punchProgress, 0.0f);
    EXPECT_TRUE(!p.punching && !p.superPunching && p.punchExtending && p.leftHand);
    EXPECT_VEC_NEAR(p.position, glm::vec3(-0.000999f, 0.000999f, -0.999999f), 1e-6f);
    EXPECT_EQ(p.forward, glm::vec3(0, 1, 0));
    EXPECT_EQ(p.left, glm::vec3(1, 0, 0));
    EXPECT_EQ(t.world.camera->center, p.position);
    EXPECT_VEC_NEAR(origin(p.model), p.position, 1e-7f);
    EXPECT_VEC_NEAR(meshUp(p.model), 0.05f * p.position, 1e-6f);
    // 0 is screen right; the window's y grows downward, so 90 is screen down.
    const std::pair<float, glm::vec3> cases[] = {
        {0.0f, {-1, 0, 0}}, {90.0f, {0, -1, 0}}, {180.0f, {1, 0, 0}}, {270.0f, {0, 1, 0}}};
    for (const auto& [degrees, facing] : cases) {
        p.setFacing(degrees);
        EXPECT_VEC_NEAR(p.facing, facing, 2e-3f) << degrees;
    }
}

TEST(Player, HoldingWCarriesThePlayerOverThePole) {
    TestWorld t;
    Player& p = t.player();
    for (int frame = 0; frame < 270; ++frame) p.moveForward(-kStep); // 4.5 s
    EXPECT_VEC_NEAR(p.position, glm::vec3(0, 1, 0), 3e-3f);
    EXPECT_VEC_NEAR(p.left, glm::vec3(1, 0, 0), 3e-3f);
    EXPECT_VEC_NEAR(p.forward, glm::vec3(0, 0, 1), 3e-3f);
    EXPECT_EQ(t.world.camera->center, p.position);
    for (int frame = 0; frame < 270; ++frame) { // on without turning back
        const float before = p.position.z;
        p.moveForward(-kStep);
        ASSERT_GT(p.position.z, before) << frame;
    }
    EXPECT_VEC_NEAR(p.position, glm::vec3(0, 0, 1), 3e-3f);
    EXPECT_VEC_NEAR(p.forward, glm::vec3(0, -1, 0), 3e-3f);
}

TEST(Player, WalksGoTheScreenWayAndKeepTheFrameOrthonormal) {
    // Per frame: forward angle (W negative), sideways angle (A positive), and the way the
    // first step goes from the start place.
    struct Walk { const char* keys; float forward, sideways; glm::vec3 way; };
    const Walk walks[] = {
        {"W", -kStep, 0, {0, 1, 0}},       {"S", kStep, 0, {0, -1, 0}},
        {"A", 0, kStep, {1, 0, 0}},        {"D", 0, -kStep, {-1, 0, 0}},
        {"W+A", -kStep, kStep, {1, 1, 0}}, {"W+D", -kStep, -kStep, {-1, 1, 0}},
        {"S+A", kStep, kStep, {1, -1, 0}}, {"S+D", kStep, -kStep, {-1, -1, 0}},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.keys);
        TestWorld t;
        std::srand(11);
        Player& p = t.player();
        const glm::vec3 start = p.position;
        float worst = 0.0f, highest = 0.0f, lowest = 0.0f;
        for (int frame = 0; frame < 90 * 60; ++frame) { // a minute and a half
            if (w.forward != 0.0f) p.moveForward(w.forward);
            if (w.sideways != 0.0f) p.moveSideways(w.sideways);
            if (frame == 0) {
                EXPECT_GT(glm::dot(glm::normalize(p.position - start), glm::normalize(w.way)),
                          0.999f);
            }
            if (w.forward * w.sideways != 0.0f && frame % 1200 == 599) {
                p.moveSideways(30.0f); // the diagonals onto other great circles
            }
            worst = std::max(worst, frameError(p));
            highest = std::max(highest, p.position.y);
            lowest = std::min(lowest, p.position.y);
        }
        EXPECT_LT(worst, 1e-4f);
        ASSERT_TRUE(isFinite(p.model));
        if (w.sideways == 0.0f) { // W and S cross both poles
            EXPECT_GT(highest, 0.999f);
            EXPECT_LT(lowest, -0.999f);
        }
    }
}

TEST(Player, DegenerateAxesKeepThePreviousOnes) {
    struct Case { const char* name; glm::vec3 position, forward; };
    const Case cases[] = {{"exactly on the north pole", {0, 1, 0}, {0, 0, 1}},
                          {"exactly on the south pole", {0, -1, 0}, {0, 0, 1}},
                          {"forward along the position", {0, 0, 1}, {0, 0, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Player& p = t.player();
        p.position = c.position;
        p.forward = c.forward;
        p.left = {1, 0, 0};
        p.moveForward(0.0f); // a step of 0 still rebuilds the axes and matrix, then nudges
        ASSERT_TRUE(isFinite(p.model));
        EXPECT_VEC_NEAR(glm::normalize(meshUp(p.model)), c.position, 1e-5f);
        EXPECT_EQ(p.left, glm::vec3(1, 0, 0));
        EXPECT_LT(frameError(p), 1e-5f);
    }
}

} // namespace
