#include <gtest/gtest.h>

#include "WorldTestSupport.h"

namespace {

const glm::vec3 kPlayer(0.0f, 0.0f, 1.0f);
const glm::vec3 kFacing(1.0f, 0.0f, 0.0f);

// An enemy `degrees` from the player, `sideDegrees` off its facing.
glm::vec3 enemyPlace(float degrees, float sideDegrees) {
    return along(kPlayer, turned(kPlayer, kFacing, sideDegrees), degrees);
}

struct HitCase {
    const char* name;
    bool super;
    float progress;
    float degrees;
    float sideDegrees;
    bool hit;
};

TEST(Combat, PunchReachAndFacingCone) {
    const HitCase cases[] = {
        {"reach 0 hits nothing", false, 0.0f, 0.5f, 0.0f, false},
        {"10 ahead, below 10/13", false, 0.76f, 10.0f, 0.0f, false},
        {"10 ahead, past 10/13", false, 0.78f, 10.0f, 0.0f, true},
        {"13 ahead never (reach stops at 13)", false, 1.0f, 13.0f, 0.0f, false},
        {"12 ahead, 6 off facing through the sphere", false, 1.0f, 12.0f, 0.0f, true},
        {"12 away, 29.3 to the side", false, 1.0f, 12.0f, 29.3f, true},
        {"12 away, 29.6 to the side", false, 1.0f, 12.0f, 29.6f, false},
        {"12 away, -29.3 to the other side", false, 1.0f, 12.0f, -29.3f, true},
        {"super: 20 ahead, below 2", true, 1.99f, 20.0f, 0.0f, false},
        {"super: 20 ahead, past 2", true, 2.01f, 20.0f, 0.0f, true},
        {"super: 30 ahead never", true, 3.0f, 30.0f, 0.0f, false},
        {"super: 29.9 away, 26.2 to the side", true, 3.0f, 29.9f, 26.2f, true},
        {"super: 29.9 away, 26.45 to the side", true, 3.0f, 29.9f, 26.45f, false},
        {"normal punch at 20 misses", false, 1.0f, 20.0f, 0.0f, false},
        {"behind, close", false, 1.0f, 1.0f, 180.0f, false},
        {"beside, close", false, 1.0f, 1.0f, 90.0f, false},
        {"31 off facing, close", false, 1.0f, 0.5f, 31.0f, false},
        {"super: behind", true, 3.0f, 2.0f, 150.0f, false},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        t.placePlayerAtZ();
        t.player().punchProgress = c.progress;
        Enemy& e = t.landEnemy(enemyPlace(c.degrees, c.sideDegrees));
        c.super ? t.world.superPunchHitTest() : t.world.punchHitTest();
        EXPECT_EQ(e.dying, c.hit);
        EXPECT_EQ(t.world.kills, c.hit ? 1 : 0);
        EXPECT_EQ(t.plays(kEnemyDieWav), c.hit ? 1 : 0);
    }
}

TEST(Combat, OnePunchKillsEveryEnemyInReachOnce) {
    TestWorld t;
    t.placePlayerAtZ();
    t.player().punchProgress = 1.0f;
    t.landEnemy(enemyPlace(3.0f, 0.0f));
    t.landEnemy(enemyPlace(9.0f, 10.0f));
    t.landEnemy(enemyPlace(11.0f, -15.0f));
    t.landEnemy(enemyPlace(11.0f, 90.0f)); // beside: stays
    t.world.punchHitTest();
    EXPECT_EQ(t.world.kills, 3);
    EXPECT_EQ(t.plays(kEnemyDieWav), 3);
    EXPECT_TRUE(t.enemy(0).dying && t.enemy(1).dying && t.enemy(2).dying);
    EXPECT_FALSE(t.enemy(3).dying);
    // A dying enemy is never hit again.
    t.world.punchHitTest();
    EXPECT_EQ(t.world.kills, 3);
    EXPECT_EQ(t.plays(kEnemyDieWav), 3);
}

TEST(Combat, LandingAndDyingEnemiesAreInvisibleToEveryTest) {
    struct Case {
        const char* name;
        float height;
        bool dying;
    };
    const Case cases[] = {
        {"landing", 0.2f, false}, {"just above ground", 1e-6f, false}, {"dying", 0.0f, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        t.placePlayerAtZ();
        t.player().punchProgress = 1.0f;
        const glm::vec3 place = enemyPlace(3.0f, 0.0f);
        Enemy& ghost = t.landEnemy(place);
        ghost.height = c.height;
        ghost.dying = c.dying;
        Enemy& other = t.landEnemy(enemyPlace(12.0f, 60.0f)); // 10.8 from the ghost
        EXPECT_TRUE(t.world.isFreeForPlayer(place));
        EXPECT_TRUE(t.world.isFreeForEnemy(other.id, place));
        t.world.punchHitTest();
        EXPECT_EQ(t.world.kills, 0);
        EXPECT_EQ(ghost.dying, c.dying);
    }
}

TEST(Combat, PlaceTestsKeepFiveAndAHalfDegrees) {
    struct Case {
        float degrees;
        bool free;
    };
    const Case cases[] = {{5.4f, false}, {5.6f, true}, {0.5f, false}, {90.0f, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        TestWorld t;
        const glm::vec3 candidate = glm::normalize(glm::vec3(0.2f, 0.9f, -0.3f));
        Enemy& a = t.landEnemy(along(candidate, glm::vec3(0, 0, 1), c.degrees));
        Enemy& b = t.landEnemy(-candidate);
        EXPECT_EQ(t.world.isFreeForPlayer(candidate), c.free);
        EXPECT_EQ(t.world.isFreeForEnemy(b.id, candidate), c.free);
        // The moving enemy is left out of its own test.
        EXPECT_TRUE(t.world.isFreeForEnemy(a.id, candidate));
    }
}

TEST(Combat, PlayerStepIsJudgedByItsEndPlace) {
    struct Case {
        float endDegreesFromEnemy;
        bool moves;
    };
    const Case cases[] = {{5.4f, false}, {5.6f, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.endDegreesFromEnemy);
        TestWorld t;
        Player& p = t.player();
        const glm::vec3 start = p.position;
        // A W step of 1 degree; the enemy stands beyond its end, straight ahead.
        const glm::vec3 end = rotateRow(start, -1.0f, p.left, 0.0f);
        t.landEnemy(along(end, p.forward, c.endDegreesFromEnemy));
        p.moveForward(-1.0f);
        // Refused, only the follow-up nudge of 0.00001 degrees moves the player.
        EXPECT_NEAR(degreesBetween(p.position, start), c.moves ? 1.0 : 0.0, 1e-3);
        EXPECT_EQ(t.world.camera->center, p.position);
    }
}

TEST(Combat, StandingTooCloseOnlyStepsThatEndFarEnoughAreAllowed) {
    TestWorld t;
    Player& p = t.player();
    const glm::vec3 start = p.position;
    // An enemy landed 5 degrees ahead of the player.
    t.landEnemy(along(start, p.forward, 5.0f));
    p.moveForward(20.0f * 0.01f); // S, away, ends 5.2 degrees off: refused
    EXPECT_EQ(p.position, start);
    p.moveForward(1.0f); // S, away, ends 6 degrees off: taken
    EXPECT_NEAR(degreesBetween(p.position, start), 1.0, 1e-3);
}

TEST(Combat, EnemyKilledOnThePlayersPlaceFliesOffWithoutNaN) {
    TestWorld t;
    Enemy& e = t.landEnemy(t.player().position);
    e.kill();
    ASSERT_TRUE(isFinite(e.velocity));
    EXPECT_NEAR(glm::length(e.velocity), 1.0f, 1e-6f);
    t.world.update(0.1f);
    EXPECT_TRUE(isFinite(e.getPosition()));
    EXPECT_GT(glm::length(e.getPosition()), 1.1f);
}

} // namespace
