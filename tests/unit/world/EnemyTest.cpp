#include <cmath>
#include <vector>

#include "WorldTestSupport.h"
#include "world/Random.h"

TEST(Enemy, StepsWhenFartherThanSixDegreesAndAttacksWhenNearer) {
    // No float cosine is exactly 6 degrees: the rules and the two cosines around it.
    EXPECT_FALSE(enemyTriesMove(6.0f, 0.3f));
    EXPECT_TRUE(enemyTriesMove(std::nextafter(6.0f, 7.0f), 0.3f));
    EXPECT_FALSE(enemyTriesMove(6.5f, 6.5f)); // one frame's turn would reach the goal
    float below = std::cos(6.0f * 3.14159265f / 180.0f);
    while (angleDegrees(below) >= 6.0f)
        below = std::nextafter(below, 1.0f);
    while (angleDegrees(below) < 6.0f)
        below = std::nextafter(below, 0.0f);
    EXPECT_FALSE(enemyAttacks(below)); // the largest cosine at or beyond 6 degrees
    EXPECT_TRUE(enemyAttacks(std::nextafter(below, 1.0f)));
    EXPECT_FALSE(enemyAttacks(1.0f)); // the very same place
}

TEST(Enemy, AttackersEachDealFiveLivesPerSecondButShareOneSoundGate) {
    TestWorld t;
    seedChance(3);
    const glm::vec3 p = t.player().position;
    // 2.5 degrees from the player, 4.3 from each other: every step they try is refused.
    for (float side : {0.0f, 120.0f, 240.0f}) {
        t.landEnemy(along(p, turned(p, t.player().forward, side), 2.5f));
    }
    t.enemy(0).chasing = false; // wanders for the first 2 s, punching all the same
    t.run(192, kDt);
    EXPECT_NEAR(t.player().lives, 100.0f - 3 * 5 * 3.0f, 1e-3f);
    EXPECT_EQ(t.plays(kEnemyPunchWav), 4); // 0.7 s apart: frames 45, 90, 135, 180
}

TEST(Enemy, WanderTriggerFiresAboutOnceInSixAndAHalfSeconds) {
    TestWorld t;
    seedChance(8);
    t.world.spawnEnemy(-t.player().position);
    Enemy& e = t.enemy(0);
    int triggers = 0;
    for (int frame = 0; frame < 60 * 200; ++frame) {
        const glm::vec3 before = e.wanderTarget;
        e.update(1.0f / 60.0f); // still landing: the trigger runs all the same
        triggers += e.wanderTarget != before ? 1 : 0;
    }
    EXPECT_GT(triggers, 18); // 200 s / 6.5 s is about 31
    EXPECT_LT(triggers, 46);
}

TEST(Enemy, BlockedChaseTurnsToWanderingUntilTwoSecondsPass) {
    // A chases the player through B, 5.9 degrees from the player: every step A tries ends
    // within 5.5 degrees of B. A landing B blocks nobody.
    TestWorld t;
    seedChance(4);
    const glm::vec3 p = t.player().position;
    Enemy& b = t.landEnemy(along(p, t.player().forward, 5.9f));
    Enemy& a = t.landEnemy(along(p, t.player().forward, 9.9f));
    const auto frames = [&](int n, bool bBlocks) {
        b.height = bBlocks ? 0.0f : 0.9f;
        for (int i = 0; i < n; ++i)
            a.update(kDt);
    };
    const glm::vec3 start = a.getPosition();
    frames(10, true); // refused: +dt each
    frames(8, false); // free: -dt / 2 each, 18 degrees per second
    EXPECT_NEAR(degreesBetween(a.getPosition(), start), 8 * 18 * kDt, 1e-3);
    EXPECT_FLOAT_EQ(a.blockedTime, 6 * kDt);
    frames(14, true); // 20 frames net = 0.3125 s
    EXPECT_TRUE(a.chasing);
    frames(1, true);
    EXPECT_FALSE(a.chasing);
    frames(128, true); // wandering time up to 128 * dt = 2 s
    EXPECT_FALSE(a.chasing);
    frames(1, true);
    EXPECT_TRUE(a.chasing);
}

TEST(Enemy, EveryWanderLastsTwoSecondsOfItsOwnWhateverSendsItAgain) {
    // Far from the player: nothing blocks or attacks. A blocked time above 0.3 sends an enemy
    // wandering at its next update, as a random draw would, and a second send halfway through
    // gives a new target but keeps the wander's clock. Chasing leaves that clock at 0.
    TestWorld t;
    seedChance(1);
    Enemy& e = t.landEnemy(along(t.player().position, t.player().forward, 150.0f));
    for (int wander = 0; wander < 2; ++wander) {
        for (int i = 0; i < 64; ++i)
            e.update(kDt);
        ASSERT_TRUE(e.chasing);
        EXPECT_EQ(e.wanderTime, 0.0f);
        int updates = 0;
        for (; updates == 0 || (!e.chasing && updates < 1000); ++updates) {
            e.blockedTime = updates % 64 == 0 ? 0.31f : e.blockedTime;
            e.update(kDt);
            EXPECT_LE(e.blockedTime, 0.0f) << updates;
        }
        EXPECT_EQ(updates, 130) << wander; // 129 updates of wandering pass 2 s
    }
}

TEST(Enemy, LandsInOnePointThreeSecondsFadingInAndOnceKilledFliesAwayFadingOutForASecond) {
    TestWorld t;
    const glm::vec3 p = t.player().position, place = along(p, t.player().forward, 5.0f);
    t.world.spawnEnemy(place);
    Enemy& e = t.enemy(0);
    int landing = 0;
    for (; e.height > 0.0f; ++landing)
        e.update(kDt);
    EXPECT_EQ(landing, 84); // 1.3 s is 83.2 frames
    EXPECT_EQ(e.getPosition(), place);
    EXPECT_EQ(e.opacity(), 1.0f);
    e.height = 0.25f; // fades in with the square root of the height left
    EXPECT_EQ(e.opacity(), 0.5f);
    e.height = 0.0f;
    const glm::vec3 away = glm::normalize(place - p);
    e.kill();
    for (int frame = 1; frame <= 64; ++frame) {
        t.run(1, kDt);
        ASSERT_EQ(t.world.enemies.size(), 1u) << frame;
        EXPECT_VEC_NEAR(e.getPosition(), place + away * (1.5f * kDt * frame), 1e-4f) << frame;
        EXPECT_VEC_NEAR(glm::normalize(glm::vec3(e.model[1])), glm::normalize(e.getPosition()),
                        1e-4f);
        EXPECT_NEAR(e.opacity(), 1.0f - kDt * frame, 1e-5f);
        EXPECT_EQ(e.castsShadow(), frame < 16) << frame; // life 0.75 after 16 frames
    }
    EXPECT_EQ(t.player().lives, 100.0f); // a dying enemy does not attack
    t.run(1, kDt);
    EXPECT_TRUE(t.world.enemies.empty());
}

TEST(World, FadedEnemiesLeaveBothListsWithoutSkippingAndIdsGrowFromTheLast) {
    TestWorld t;
    const glm::vec3 far = glm::normalize(glm::vec3(0.6f, 0.5f, 0.7f)); // ~130 off the player
    for (int i = 0; i < 6; ++i)
        t.world.spawnEnemy(along(far, {0, 0, 1}, 10.0f * i));
    for (int i : {1, 3, 4}) { // 2 and 4 end their fade this frame, 5 reaches life 0 and stays
        t.enemy(i).height = 0.0f;
        t.enemy(i).dying = true;
        t.enemy(i).life = i == 4 ? kDt : kDt / 2.0f;
    }
    t.world.update(kDt);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1, 3, 5, 6}));
    EXPECT_FLOAT_EQ(t.enemy(3).height, 1.0f - kDt / 1.3f); // id 6 moved up, updated once
    t.world.update(kDt);
    t.world.spawnEnemy(far);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1, 3, 6, 7}));
}
