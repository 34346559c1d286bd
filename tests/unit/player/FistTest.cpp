#include <gtest/gtest.h>

#include "unit/world/WorldTestSupport.h"

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

glm::vec3 meshUp(const Fist& f) {
    return glm::vec3(f.model * glm::vec4(0, 1, 0, 0));
}

TEST(Fist, RestingFistsSitEitherSideWhateverTheFacing) {
    for (float degrees : {0.0f, 33.0f, 90.0f, 180.0f, 271.0f}) {
        SCOPED_TRACE(degrees);
        TestWorld t;
        Player& p = t.player();
        p.moveSideways(17.0f); // somewhere off the start place
        p.setFacing(degrees);
        p.update(0.01f);
        EXPECT_NEAR(glm::distance(p.leftFist->position, p.rightFist->position), 0.15f, 1e-6f);
        expectNear((p.leftFist->position + p.rightFist->position) * 0.5f, p.position, 1e-6f);
        // The left fist is on the player's left, seen from its facing.
        const glm::vec3 side = glm::cross(p.position, p.facing);
        EXPECT_GT(glm::dot(p.leftFist->position - p.position, side), 0.0f);
    }
}

TEST(Fist, ScaleFollowsTheExtension) {
    struct Case {
        const char* name;
        bool super;
        float scale;
    };
    const Case cases[] = {{"rest", false, 0.025f},
                          {"punch peak", false, 1.0f / 24.0f},
                          {"super punch peak", true, 0.075f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Player& p = t.player();
        if (c.scale != 0.025f) {
            c.super ? p.superPunch() : p.punch();
            while (p.punchExtending) {
                p.update(0.01f);
            }
        }
        EXPECT_NEAR(p.leftFist->scale, c.scale, 1e-6f);
        EXPECT_NEAR(glm::length(meshUp(*p.leftFist)), c.scale, 1e-6f);
        EXPECT_EQ(p.rightFist->scale, 0.025f);
    }
}

TEST(Fist, SetScaleDividesByFortyAndShowsAtTheNextPlacing) {
    TestWorld t;
    Fist fist(&t.world);
    EXPECT_EQ(fist.scale, 0.025f);
    EXPECT_EQ(fist.model, glm::mat4(1.0f));
    const glm::vec3 place(0.3f, 0.4f, -0.87f);
    fist.setPosition(place);
    const glm::mat4 before = fist.model;
    fist.setScale(3.0f);
    EXPECT_EQ(fist.scale, 0.075f);
    EXPECT_EQ(fist.model, before);
    fist.setPosition(place);
    EXPECT_NEAR(glm::length(meshUp(fist)), 0.075f, 1e-6f);
    fist.setScale(1.0f);
    EXPECT_EQ(fist.scale, 0.025f);
}

TEST(Fist, MatrixTiltsTheMeshOutwardAtItsPlace) {
    struct Case {
        const char* name;
        glm::vec3 place;
        glm::vec3 up;
    };
    const Case cases[] = {
        {"on -z, 90 degrees about -x", {0, 0, -1.0028f}, {0, 0, -1}},
        {"y above 1 stands upright", {0.05f, 1.0010f, 0.02f}, {0, 1, 0}},
        {"north pole", {0, 1.0028f, 0}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Fist fist(&t.world);
        fist.setPosition(c.place);
        ASSERT_TRUE(isFinite(fist.model));
        expectNear(glm::vec3(fist.model * glm::vec4(0, 0, 0, 1)), c.place, 1e-6f);
        expectNear(meshUp(fist) / fist.scale, c.up, 1e-5f);
    }
}

TEST(Fist, CrossingTheSouthPoleExactlyKeepsTheLastTilt) {
    TestWorld t;
    Fist fist(&t.world);
    fist.setPosition(glm::vec3(0.0f, -1.0f, -1e-5f));
    const glm::mat4 near = fist.model;
    fist.setPosition(glm::vec3(0.0f, -1.0f, 0.0f));
    ASSERT_TRUE(isFinite(fist.model));
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_NEAR(fist.model[col][row], near[col][row], 1e-5f);
        }
    }
}

} // namespace
