#include <cmath>

#include "unit/world/WorldTestSupport.h"

namespace {

TEST(Fist, RestingFistsSitEitherSideWhateverTheFacing) {
    for (float degrees : {0.0f, 33.0f, 90.0f, 180.0f, 271.0f}) {
        SCOPED_TRACE(degrees);
        TestWorld t;
        Player& p = t.player();
        p.moveSideways(17.0f);
        p.setFacing(degrees);
        p.update(0.01f);
        EXPECT_NEAR(glm::distance(p.leftFist->position, p.rightFist->position), 0.15f, 1e-6f);
        EXPECT_VEC_NEAR((p.leftFist->position + p.rightFist->position) * 0.5f, p.position, 1e-6f);
        EXPECT_EQ(p.leftFist->scale, 0.025f);
        // The left fist is on the player's left, seen from its facing.
        EXPECT_GT(glm::dot(p.leftFist->position - p.position, glm::cross(p.position, p.facing)),
                  0.0f);
    }
}

TEST(Fist, ThrownFistsAlternateAndGrowWithTheExtension) {
    // At the peak the thrower is 0.15 ahead and 0.1 toward the middle per unit of extension.
    struct Case { const char* name; bool super, left; float scale, distance; };
    const Case cases[] = {{"punch, left", false, true, 1.0f / 24.0f, std::hypot(0.15f, 0.025f)},
                          {"punch, right", false, false, 1.0f / 24.0f, std::hypot(0.15f, 0.025f)},
                          {"super punch, left", true, true, 0.075f, std::hypot(0.45f, 0.225f)}};
    TestWorld t;
    Player& p = t.player();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(p.leftHand, c.left);
        c.super ? p.superPunch() : p.punch();
        while (p.punchExtending) p.update(0.01f);
        const Fist& thrower = c.left ? *p.leftFist : *p.rightFist;
        const Fist& resting = c.left ? *p.rightFist : *p.leftFist;
        EXPECT_NEAR(thrower.scale, c.scale, 1e-6f);
        EXPECT_NEAR(glm::length(meshUp(thrower.model)), c.scale, 1e-6f);
        EXPECT_NEAR(glm::distance(thrower.position, p.position), c.distance, 1e-5f);
        EXPECT_NEAR(glm::distance(resting.position, p.position), 0.075f, 1e-5f);
        while (p.punching || p.superPunching) p.update(0.01f);
    }
    EXPECT_EQ(t.plays(kPunchWav), 3);
}

TEST(Fist, MatrixStandsTheMeshOutwardAndChangesOnlyWhenPlaced) {
    struct Case { const char* name; glm::vec3 place, up; };
    const Case cases[] = {
        {"on -z", {0, 0, -1.0028f}, {0, 0, -1}},
        {"y above 1 stands upright", {0.05f, 1.0010f, 0.02f}, {0, 1, 0}},
        {"north pole", {0, 1.0028f, 0}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Fist fist(&t.world);
        fist.setPosition(c.place);
        ASSERT_TRUE(isFinite(fist.model));
        EXPECT_VEC_NEAR(origin(fist.model), c.place, 1e-6f);
        EXPECT_VEC_NEAR(meshUp(fist.model) / fist.scale, c.up, 1e-5f);
    }
    // Exactly on the south pole the tilt axis vanishes: the last one is kept, no jump.
    TestWorld t;
    Fist fist(&t.world);
    fist.setPosition({0.0f, -1.0f, -1e-5f});
    const glm::mat4 near = fist.model;
    fist.setPosition({0.0f, -1.0f, 0.0f});
    for (int col = 0; col < 4; ++col) EXPECT_VEC_NEAR(fist.model[col], near[col], 2e-5f);
    const glm::mat4 placed = fist.model;
    fist.setScale(3.0f); // shows only at the next placing
    EXPECT_EQ(fist.scale, 0.075f);
    EXPECT_EQ(fist.model, placed);
}

} // namespace
