#include <cstdlib>
#include <gtest/gtest.h>

#include "WorldTestSupport.h"
#include "world/SphereMath.h"
#include "world/Sun.h"

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(SphereMath, RotationsTakeDegreesAndRowVectorsTurnTheOtherWay) {
    struct Case {
        const char* name;
        glm::vec3 v;
        float degrees;
        glm::vec3 axis;
        glm::vec3 column; // R * v
        glm::vec3 row;    // v * R
    };
    const Case cases[] = {
        {"x about z by 90", {1, 0, 0}, 90.0f, {0, 0, 1}, {0, 1, 0}, {0, -1, 0}},
        {"y about x by 90", {0, 1, 0}, 90.0f, {1, 0, 0}, {0, 0, 1}, {0, 0, -1}},
        {"unnormalized axis", {1, 0, 0}, 90.0f, {0, 0, 5}, {0, 1, 0}, {0, -1, 0}},
        {"x about z by 180", {1, 0, 0}, 180.0f, {0, 0, 1}, {-1, 0, 0}, {-1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectNear(rotateColumn(c.v, c.degrees, c.axis, 1.0f), c.column, 1e-6f);
        expectNear(rotateRow(c.v, c.degrees, c.axis, 0.0f), c.row, 1e-6f);
    }
}

TEST(SphereMath, AngleDegreesOfCosines) {
    EXPECT_NEAR(angleDegrees(0.0f), 90.0f, 1e-5f);
    EXPECT_NEAR(angleDegrees(0.5f), 60.0f, 1e-4f);
    EXPECT_NEAR(angleDegrees(-1.0f), 180.0f, 1e-4f);
}

TEST(SphereMath, StandingMatrixTurnsMeshUpOntoThePlace) {
    struct Case {
        const char* name;
        glm::vec3 at;
        glm::vec3 meshUp; // where the mesh's +Y ends up, normalized
    };
    const Case cases[] = {
        {"on -z, slightly outside", {0, 0, -1.0028f}, {0, 0, -1}},
        {"on +x", {1, 0, 0}, {1, 0, 0}},
        {"north pole", {0, 1, 0}, {0, 1, 0}},
        {"south pole", {0, -1, 0}, {0, -1, 0}},
        {"y above 1 clamps upright", {0.01f, 1.0005f, 0}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const glm::mat4 m = standingMatrix(c.at, 0.025f, c.at);
        ASSERT_TRUE(isFinite(m));
        const glm::vec3 up(m * glm::vec4(0, 1, 0, 0));
        EXPECT_NEAR(glm::length(up), 0.025f, 1e-6f);
        expectNear(glm::normalize(up), c.meshUp, 1e-4f);
        expectNear(glm::vec3(m * glm::vec4(0, 0, 0, 1)), c.at, 1e-6f);
    }
}

TEST(SphereMath, TurnAxisOfOppositeDirectionsIsPerpendicular) {
    const glm::vec3 from = glm::normalize(glm::vec3(0.3f, -0.4f, 0.5f));
    const glm::vec3 axis = turnAxis(from, -from);
    EXPECT_NEAR(glm::length(axis), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::dot(axis, from), 0.0f, 1e-6f);
    // A usable pair keeps the plain cross product.
    expectNear(turnAxis(glm::vec3(1, 0, 0), glm::vec3(0, 1, 0)), glm::vec3(0, 0, 1), 0.0f);
}

TEST(SphereMath, RandomDirectionsAreUnitAndCoverEveryOctant) {
    std::srand(42);
    int octants[8] = {};
    for (int i = 0; i < 4000; ++i) {
        const glm::vec3 d = randomDirection();
        ASSERT_NEAR(glm::length(d), 1.0f, 1e-6f);
        ASSERT_TRUE(d.x != 0.0f && d.y != 0.0f && d.z != 0.0f);
        ++octants[(d.x > 0) + 2 * (d.y > 0) + 4 * (d.z > 0)];
    }
    for (int count : octants) {
        EXPECT_GT(count, 350); // about 500 each
    }
}

TEST(SphereMath, RandomDirectionDrawsXThenYThenZ) {
    std::srand(7);
    const int rx = randomValue();
    const int ry = randomValue();
    const int rz = randomValue();
    std::srand(7);
    const glm::vec3 d = randomDirection();
    const glm::vec3 raw(rx / 32767.0 * 100.0 - 50.0, ry / 32767.0 * 100.0 - 50.0,
                        rz / 32767.0 * 100.0 - 50.0);
    expectNear(d, glm::normalize(raw), 1e-6f);
    for (int r : {rx, ry, rz}) {
        EXPECT_GE(r, 0);
        EXPECT_LE(r, 32767);
    }
}

TEST(Sun, ModelMatrixScalesBy20ThenMovesTo100OnX) {
    const glm::mat4 m = sunModelMatrix();
    expectNear(glm::vec3(m * glm::vec4(0, 0, 0, 1)), glm::vec3(100, 0, 0), 1e-5f);
    expectNear(glm::vec3(m * glm::vec4(1, 0, 0, 1)), glm::vec3(120, 0, 0), 1e-5f);
    expectNear(glm::vec3(m * glm::vec4(0, 1, 0, 1)), glm::vec3(100, 20, 0), 1e-5f);
}

} // namespace
