#include "unit/world/WorldTestSupport.h"

namespace {

constexpr float kDt = 0.01f;

// Updates until neither punch runs, keeping one landed enemy 0.3 degrees ahead so that every
// frame's hit test with a reach above 0 shows as one kill. Returns the frame count.
int runPunch(TestWorld& t, float dt) {
    Player& p = t.player();
    int frames = 0;
    for (; (p.punching || p.superPunching) && frames < 1000; ++frames) {
        bool target = false;
        for (auto& e : t.world.enemies) target = target || e->isLandedAndLiving();
        if (!target) t.landEnemy(along(p.position, p.facing, 0.3f));
        p.punch(); // a held button asks every frame; a running punch ignores it
        p.update(dt);
    }
    return frames;
}

TEST(PlayerPunch, TimelinesWithOneSoundAndAHitTestEveryFrame) {
    // At dt 1/64 the extension reaches 1, 3 and 0 exactly; only passing them ends a phase.
    // The punch lasts about 0.5 s, the super punch about 0.71 s.
    struct Case { const char* name; bool super; int frames, kills; float cooldown; };
    for (const Case& c : {Case{"punch: 17 out, 17 back", false, 34, 32, 0.0f},
                          Case{"super punch: 25 out, 22 back", true, 47, 46, 15.0f}}) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Player& p = t.player();
        c.super ? p.superPunch() : p.punch();
        EXPECT_EQ(runPunch(t, 1.0f / 64.0f), c.frames);
        EXPECT_EQ(t.plays(kPunchWav), 1);
        EXPECT_EQ(t.world.kills, c.kills);
        EXPECT_EQ(p.punchProgress, 0.0f);
        EXPECT_TRUE(p.punchExtending);
        EXPECT_FALSE(p.leftHand);
        EXPECT_EQ(p.superPunchCooldown, c.cooldown);
    }
    // The cool-down counts down and, once at or below 0, is set to exactly 0 one update later.
    TestWorld t;
    Player& p = t.player();
    p.superPunchCooldown = 15.0f;
    int countdown = 0;
    for (; p.superPunchCooldown > 0.0f; ++countdown) p.update(kDt);
    EXPECT_NEAR(countdown, 1500, 1);
    EXPECT_LT(p.superPunchCooldown, 0.0f);
    for (int i = 0; i < 2; ++i) {
        p.update(kDt);
        EXPECT_EQ(p.superPunchCooldown, 0.0f);
    }
}

TEST(PlayerPunch, SuperPunchTakesOverARunningPunch) {
    const float dt = 1.0f / 64.0f;
    for (bool afterPeak : {false, true}) {
        SCOPED_TRACE(afterPeak ? "coming back" : "going out");
        TestWorld t;
        Player& p = t.player();
        p.punch();
        while (afterPeak && p.punchExtending) p.update(dt);
        for (int i = 0; i < (afterPeak ? 7 : 5); ++i) p.update(dt); // back to 36/64, or out
        float last = p.punchProgress;
        p.superPunch();
        int frames = 0;
        for (; p.superPunching; ++frames) {
            last = p.punchProgress;
            p.update(dt);
            if (frames == 0) { // out at 8 per second from where the punch was, or back at 9
                EXPECT_EQ(p.punchProgress, last + (afterPeak ? -9.0f : 8.0f) * dt);
            }
            if (afterPeak) {
                ASSERT_LE(p.punchProgress, last); // never goes out again
            }
        }
        if (afterPeak) {
            EXPECT_EQ(frames, 5); // reaching 0 exactly after 4 does not end it
        }
        EXPECT_EQ(t.plays(kPunchWav), 1); // no sound of its own
        EXPECT_FALSE(p.punching);
        EXPECT_EQ(p.superPunchCooldown, 15.0f);
        EXPECT_FALSE(p.leftHand); // flipped once
    }
}

TEST(PlayerPunch, PunchDuringASuperPunchDoublesTheThrowAndEndsWithIt) {
    TestWorld single, both;
    for (TestWorld* t : {&single, &both}) {
        t->player().superPunch();
        for (int i = 0; i < 10; ++i) t->player().update(kDt);
    }
    both.player().punch();
    single.player().update(kDt);
    both.player().update(kDt);
    // The left fist's push away from its rest place is added twice.
    auto push = [](const Player& p) {
        const glm::vec3 side = glm::normalize(glm::cross(p.position, p.facing));
        return p.leftFist->position - (p.position + 0.075f * side);
    };
    EXPECT_GT(glm::length(push(single.player())), 0.1f);
    EXPECT_VEC_NEAR(push(both.player()), 2.0f * push(single.player()), 1e-5f);
    EXPECT_EQ(both.player().leftFist->scale, single.player().leftFist->scale);
    Player& p = both.player();
    while (p.superPunching) p.update(kDt);
    EXPECT_FALSE(p.punching); // both flags end with the super punch
    for (int i = 0; i < 10; ++i) p.update(kDt);
    EXPECT_EQ(p.punchProgress, 0.0f);
    EXPECT_EQ(both.plays(kPunchWav), 1);
}

} // namespace
