#include "WorldTestSupport.h"

namespace {

const glm::vec3 kPlayer(0, 0, 1);

// An enemy `degrees` from the player at (0, 0, 1), `side` degrees off its facing +x.
glm::vec3 enemyPlace(float degrees, float side) {
    return along(kPlayer, turned(kPlayer, {1, 0, 0}, side), degrees);
}

TEST(Combat, PunchReachAndFacingCone) {
    struct Case {
        const char* name; bool super; float progress, degrees, side; bool hit;
        float height = 0.0f; bool dying = false;
    };
    const Case cases[] = {
        {"reach 0 hits nothing", false, 0.0f, 0.5f, 0.0f, false},
        {"10 ahead, below 10/13", false, 0.76f, 10.0f, 0.0f, false},
        {"10 ahead, past 10/13", false, 0.78f, 10.0f, 0.0f, true},
        {"13 ahead never", false, 1.0f, 13.0f, 0.0f, false},
        {"12 ahead, 6 below facing through the sphere", false, 1.0f, 12.0f, 0.0f, true},
        {"12 away, 29.3 to the side", false, 1.0f, 12.0f, 29.3f, true},
        {"12 away, 29.6 to the side", false, 1.0f, 12.0f, 29.6f, false},
        {"12 away, -29.3 to the other side", false, 1.0f, 12.0f, -29.3f, true},
        {"super: 20 ahead, below 2", true, 1.99f, 20.0f, 0.0f, false},
        {"super: 20 ahead, past 2", true, 2.01f, 20.0f, 0.0f, true},
        {"super: 30 ahead never", true, 3.0f, 30.0f, 0.0f, false},
        {"super: 29.9 away, 26.2 to the side", true, 3.0f, 29.9f, 26.2f, true},
        {"super: 29.9 away, 26.45 to the side", true, 3.0f, 29.9f, 26.45f, false},
        {"behind, close", false, 1.0f, 1.0f, 180.0f, false},
        {"super: behind", true, 3.0f, 2.0f, 150.0f, false},
        {"31 off facing, close", false, 1.0f, 0.5f, 31.0f, false},
        {"landing, in reach", false, 1.0f, 3.0f, 0.0f, false, 0.2f},
        {"a hair above ground, in reach", false, 1.0f, 3.0f, 0.0f, false, 1e-6f},
        {"dying, in reach", false, 1.0f, 3.0f, 0.0f, false, 0.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        t.placePlayerAtZ();
        t.player().punchProgress = c.progress;
        Enemy& e = t.landEnemy(enemyPlace(c.degrees, c.side));
        e.height = c.height;
        e.dying = c.dying;
        c.super ? t.world.superPunchHitTest() : t.world.punchHitTest();
        EXPECT_EQ(t.world.kills, c.hit ? 1 : 0);
        EXPECT_EQ(t.plays(kEnemyDieWav), c.hit ? 1 : 0);
    }
}

TEST(Combat, OnePunchKillsEveryEnemyInReachOnce) {
    TestWorld t;
    t.placePlayerAtZ();
    t.player().punchProgress = 1.0f;
    for (const glm::vec2& at : {glm::vec2(3, 0), {9, 10}, {11, -15}, {11, 90}}) {
        t.landEnemy(enemyPlace(at.x, at.y)); // the last one beside the player
    }
    for (int i = 0; i < 2; ++i) { // a dying enemy is never hit again
        t.world.punchHitTest();
        EXPECT_EQ(t.world.kills, 3);
        EXPECT_EQ(t.plays(kEnemyDieWav), 3);
    }
    EXPECT_TRUE(t.enemy(0).dying && t.enemy(1).dying && t.enemy(2).dying && !t.enemy(3).dying);
}

TEST(Combat, PlaceTestsAndPlayerStepsKeepFiveAndAHalfDegreesFromLandedLivingEnemies) {
    struct Case { const char* name; float degrees, height; bool dying, free; };
    const Case cases[] = {{"5.4", 5.4f, 0.0f, false, false}, {"5.6", 5.6f, 0.0f, false, true},
                          {"landing", 3.0f, 0.2f, false, true},
                          {"a hair above ground", 3.0f, 1e-6f, false, true},
                          {"dying", 3.0f, 0.0f, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Player& p = t.player();
        const glm::vec3 start = p.position;
        const glm::vec3 end = rotateRow(start, -1.0f, p.left, 0.0f); // a 1-degree W step
        Enemy& e = t.landEnemy(along(end, p.forward, c.degrees));
        e.height = c.height;
        e.dying = c.dying;
        EXPECT_EQ(t.world.isFreeForEnemy(e.id + 1, end), c.free);
        EXPECT_TRUE(t.world.isFreeForEnemy(e.id, end)); // not blocked by itself
        p.moveForward(-1.0f); // judged by where the step ends
        EXPECT_NEAR(degreesBetween(p.position, start), c.free ? 1.0 : 0.0, 1e-3);
    }
}

TEST(Combat, EnemyKilledOnThePlayersPlaceFliesOffWithoutNaN) {
    TestWorld t;
    Enemy& e = t.landEnemy(t.player().position);
    e.kill();
    t.world.update(0.1f);
    EXPECT_TRUE(isFinite(e.getPosition()));
    EXPECT_GT(glm::length(e.getPosition()), 1.1f);
}

} // namespace
