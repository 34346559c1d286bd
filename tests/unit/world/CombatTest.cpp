#include "WorldTestSupport.h"

TEST(Combat, PunchReachAndFacingCone) {
    struct Case {
        bool super;
        float progress, degrees, side; // extension; enemy's distance and angle off the facing
        bool hit;
        float height; // above 0: still landing
        bool dying;
    };
    const Case cases[] = {
        {false, 0.0f, 0.5f, 0, false, 0, false}, {false, 0.76f, 10, 0, false, 0, false},
        {false, 0.78f, 10, 0, true, 0, false},   {false, 1, 13, 0, false, 0, false},
        {false, 1, 12, 0, true, 0, false}, // 6 below the facing: the way runs through the sphere
        {false, 1, 12, 29.3f, true, 0, false},   {false, 1, 12, 29.6f, false, 0, false},
        {false, 1, 12, -29.3f, true, 0, false},  {true, 1.99f, 20, 0, false, 0, false},
        {true, 2.01f, 20, 0, true, 0, false},    {true, 3, 30, 0, false, 0, false},
        {true, 3, 29.9f, 26.2f, true, 0, false}, {true, 3, 29.9f, 26.45f, false, 0, false},
        {false, 1, 1, 180, false, 0, false},     {true, 3, 2, 150, false, 0, false},
        {false, 1, 0.5f, 31, false, 0, false},   {false, 1, 3, 0, false, 0.2f, false},
        {false, 1, 3, 0, false, 1e-6f, false},   {false, 1, 3, 0, false, 0, true}};
    const glm::vec3 z(0, 0, 1);
    forEachCaseAndLookup(cases, [&](TestWorld& t, const Case& c) {
        Player& p = t.player();
        p.position = z;
        p.facing = {1, 0, 0};
        p.punchProgress = c.progress;
        Enemy& e = t.landEnemy(along(z, turned(z, p.facing, c.side), c.degrees));
        e.height = c.height;
        e.dying = c.dying;
        c.super ? t.world.superPunchHitTest() : t.world.punchHitTest();
        EXPECT_EQ(t.world.kills, c.hit ? 1 : 0);
        EXPECT_EQ(t.plays(kEnemyDieWav), c.hit ? 1 : 0);
    });
}

TEST(Combat, PlaceTestsAndPlayerStepsKeepFiveAndAHalfDegreesFromLandedLivingEnemies) {
    struct Case {
        float degrees, height;
        bool dying, free;
    };
    const Case cases[] = {{5.4f, 0, false, false},
                          {5.6f, 0, false, true},
                          {3, 0.2f, false, true},
                          {3, 1e-6f, false, true},
                          {3, 0, true, true}};
    forEachCaseAndLookup(cases, [](TestWorld& t, const Case& c) {
        Player& p = t.player();
        const glm::vec3 start = p.position;
        const glm::vec3 end = rotateRow(start, -1.0f, p.left, 0.0f); // a 1-degree W step
        Enemy& e = t.landEnemy(along(end, p.forward, c.degrees));
        e.height = c.height;
        e.dying = c.dying;
        EXPECT_EQ(t.world.isFreeForEnemy(e.id + 1, end), c.free);
        EXPECT_TRUE(t.world.isFreeForEnemy(e.id, end)); // not blocked by itself
        p.moveForward(-1.0f);                           // judged by where the step ends
        EXPECT_NEAR(degreesBetween(p.position, start), c.free ? 1.0 : 0.0, 1e-3);
    });
}
