#include "world/Visibility.h"
#include "WorldTestSupport.h"

TEST(Visibility, OnlyBallsWhollyBehindThePlanetAreHiddenFromTheEye) {
    const glm::vec3 eye(0, 0, -3);
    struct Case {
        glm::vec3 centre;
        float radius;
        bool hidden;
    };
    const Case cases[] = {
        {{0, 0, 1.05f}, 0.05f, true},      // right behind
        {{0.7f, 0.6f, 0.5f}, 0.05f, true}, // behind, off the axis
        {{0, 0, -1.05f}, 0.05f, false},    // in front
        {{0, 0, -2}, 0.05f, false},        // between the eye and the planet
        {{1.05f, 0, 0}, 0.05f, false},     // beyond the horizon yet peeking over the rim
        {{0, 1.1f, 0.9f}, 0.05f, true},    // just inside the outline...
        {{0, 1.1f, 0.9f}, 0.25f, false},   // ...unless larger
        {{0, 3, 3}, 0.05f, false},         // far behind, outside the planet's outline
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hiddenBehindPlanet(eye, c.centre, c.radius), c.hidden)
            << c.centre.x << " " << c.centre.y << " " << c.centre.z << " r " << c.radius;
        EXPECT_EQ(hiddenBehindPlanet(-eye, -c.centre, c.radius), c.hidden); // from the other side
    }
    // An eye inside the planet sees nothing behind it, but is not trusted to.
    EXPECT_FALSE(hiddenBehindPlanet(glm::vec3(0, 0, -0.5f), glm::vec3(0, 0, 1.05f), 0.05f));
}

TEST(Visibility, OnlyCastersDeepInTheNightAndHiddenFromTheLightCastNoVisibleShadow) {
    // The shadow light stands at +x.
    EXPECT_TRUE(castsNoVisibleShadow({-1.05f, 0, 0}, 0.05f));
    EXPECT_TRUE(castsNoVisibleShadow({-0.4f, 0.9f, 0.2f}, 0.05f));
    EXPECT_FALSE(castsNoVisibleShadow({1.05f, 0, 0}, 0.05f));
    // Past the terminator but not by the margin: lit planet facets reach that far.
    EXPECT_FALSE(castsNoVisibleShadow({-0.1f, 1.0f, 0}, 0.05f));
    EXPECT_FALSE(castsNoVisibleShadow({-0.15f, 1.02f, 0}, 0.005f)); // even hidden from the light
    // On the night side but high above it, in the light's view (a landing enemy).
    EXPECT_FALSE(castsNoVisibleShadow({-0.5f, 1.9f, 0}, 0.05f));
}

TEST(Visibility, ShadowsAreOutOfSightOnlyWhereTheyFallBehindThePlanetFromTheEye) {
    const glm::vec3 front(0, 0, -3), night(-3, 0, 0); // the shadow light stands at +x
    EXPECT_TRUE(shadowOutOfSight(front, {0.5f, 0, 0.88f}, 0.03f, 1.5f)); // lit, far side
    EXPECT_FALSE(shadowOutOfSight(front, {0.5f, 0, -0.88f}, 0.03f, 1.5f));
    // Through the planet, the shadow reaches bodies standing on its far side, in sight.
    EXPECT_FALSE(shadowOutOfSight(night, {0.7f, 0, 0.756f}, 0.03f, 1.5f));
    EXPECT_FALSE(shadowOutOfSight({-2.5f, 0, 1.5f}, {0.6f, 0, -0.837f}, 0.03f, 1.5f));
    // Passing the planet by, it is followed as far as anything stands that could take it.
    EXPECT_TRUE(shadowOutOfSight(front, {0.1f, 0, 1.02f}, 0.03f, 1.5f));
    EXPECT_FALSE(shadowOutOfSight(front, {0.1f, 0, 1.02f}, 0.03f, 2.05f));
}
