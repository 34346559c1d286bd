#include <cmath>
#include <gtest/gtest.h>

#include "unit/world/WorldTestSupport.h"

namespace {

constexpr float kDt = 0.01f;

// Keeps one landed enemy 0.3 degrees ahead of the player, inside the reach of any running
// punch, so each frame's hit test shows as one kill.
void keepTargetAhead(TestWorld& t) {
    for (auto& e : t.world.enemies) {
        if (e->isLandedAndLiving()) {
            return;
        }
    }
    t.landEnemy(along(t.player().position, t.player().facing, 0.3f));
}

// Runs updates until neither punch runs; returns the frame count.
int runPunch(TestWorld& t, bool keepRequesting) {
    Player& p = t.player();
    int frames = 0;
    while (p.punching || p.superPunching) {
        keepTargetAhead(t);
        if (keepRequesting) {
            p.punch(); // a held button asks every frame; a running punch ignores it
        }
        p.update(kDt);
        ++frames;
        if (frames > 1000) {
            ADD_FAILURE() << "punch never ended";
            break;
        }
    }
    return frames;
}

TEST(PlayerPunch, PunchLastsHalfASecondWithOneSoundAndAHitTestEveryFrame) {
    TestWorld t;
    Player& p = t.player();
    p.punch();
    const int frames = runPunch(t, true);
    EXPECT_GE(frames * kDt, 0.5f);
    EXPECT_LE(frames * kDt, 0.52f + 1e-4f);
    EXPECT_EQ(t.plays(kPunchWav), 1);
    // Every frame but the last (whose extension is back at 0) killed the enemy ahead.
    EXPECT_EQ(t.world.kills, frames - 1);
    EXPECT_EQ(t.plays(kEnemyDieWav), frames - 1);
    EXPECT_EQ(p.punchProgress, 0.0f);
    EXPECT_TRUE(p.punchExtending);
    EXPECT_FALSE(p.leftHand);
    EXPECT_EQ(p.superPunchCooldown, 0.0f);
}

TEST(PlayerPunch, ExactFrameCountsAtABinaryFrameTime) {
    // At dt = 1/64 the extension hits 1, 3 and 0 exactly; those frames do not end a phase,
    // only passing beyond them does.
    struct Case {
        const char* name;
        bool super;
        int frames;
    };
    const Case cases[] = {{"punch: 17 out, 17 back", false, 34},
                          {"super punch: 25 out, 22 back", true, 47}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Player& p = t.player();
        c.super ? p.superPunch() : p.punch();
        int frames = 0;
        while ((p.punching || p.superPunching) && frames < 100) {
            p.update(1.0f / 64.0f);
            ++frames;
        }
        EXPECT_EQ(frames, c.frames);
    }
}

TEST(PlayerPunch, PunchesAlternateFists) {
    TestWorld t;
    Player& p = t.player();
    for (bool left : {true, false, true}) {
        SCOPED_TRACE(left);
        EXPECT_EQ(p.leftHand, left);
        p.punch();
        while (p.punchExtending) {
            p.update(kDt);
        }
        // At the peak the throwing fist is 0.15 ahead and 0.1 toward the middle.
        const Fist& thrower = left ? *p.leftFist : *p.rightFist;
        const Fist& resting = left ? *p.rightFist : *p.leftFist;
        EXPECT_NEAR(glm::distance(resting.position, p.position), 0.075f, 1e-5f);
        EXPECT_NEAR(glm::distance(thrower.position, p.position), std::hypot(0.15f, 0.025f), 1e-5f);
        while (p.punching) {
            p.update(kDt);
        }
    }
    EXPECT_EQ(t.plays(kPunchWav), 3);
}

TEST(PlayerPunch, SuperPunchTimelineAndCooldown) {
    TestWorld t;
    Player& p = t.player();
    p.superPunch();
    const int frames = runPunch(t, false);
    EXPECT_NEAR(frames * kDt, 0.71f, 0.015f);
    EXPECT_EQ(t.plays(kPunchWav), 1);
    EXPECT_EQ(t.world.kills, frames - 1);
    EXPECT_EQ(p.superPunchCooldown, 15.0f);
    EXPECT_FALSE(p.leftHand);
    int countdown = 0;
    while (p.superPunchCooldown > 0.0f) {
        p.update(kDt);
        ++countdown;
    }
    EXPECT_NEAR(countdown, 1500, 1);
    p.update(kDt);
    EXPECT_EQ(p.superPunchCooldown, 0.0f); // a value just below 0 is set back to 0
    p.update(kDt);
    EXPECT_EQ(p.superPunchCooldown, 0.0f);
}

TEST(PlayerPunch, SuperPunchWhileCoolingDownStillStarts) {
    TestWorld t;
    Player& p = t.player();
    p.superPunchCooldown = 7.0f; // only the shell refuses it
    p.superPunch();
    p.update(kDt);
    EXPECT_NEAR(p.punchProgress, 0.08f, 1e-6f);
}

TEST(PlayerPunch, SuperPunchTakesOverARunningPunch) {
    struct Case {
        const char* name;
        bool afterPeak;
    };
    for (const Case& c : {Case{"going out", false}, Case{"coming back", true}}) {
        SCOPED_TRACE(c.name);
        TestWorld t;
        Player& p = t.player();
        p.punch();
        while (c.afterPeak && p.punchExtending) {
            p.update(kDt);
        }
        for (int i = 0; i < 5; ++i) {
            p.update(kDt);
        }
        const float before = p.punchProgress;
        p.superPunch();
        p.update(kDt);
        // Out at 8 per second from where the punch was, or back at 9 per second.
        EXPECT_NEAR(p.punchProgress, before + (c.afterPeak ? -0.09f : 0.08f), 1e-5f);
        while (p.superPunching) {
            p.update(kDt);
        }
        EXPECT_EQ(t.plays(kPunchWav), 1); // no sound of its own
        EXPECT_FALSE(p.punching);
        EXPECT_EQ(p.superPunchCooldown, 15.0f);
        EXPECT_FALSE(p.leftHand); // flipped once
    }
}

TEST(PlayerPunch, SuperPunchComingBackNeverGoesOutAgain) {
    TestWorld t;
    Player& p = t.player();
    p.punch();
    while (p.punchExtending) {
        p.update(kDt);
    }
    p.update(kDt);
    p.superPunch();
    float last = p.punchProgress;
    while (p.superPunching) {
        p.update(kDt);
        ASSERT_LT(p.punchProgress, last);
        last = p.punchProgress;
    }
}

TEST(PlayerPunch, PunchDuringASuperPunchDoublesTheThrowAndEndsWithIt) {
    TestWorld single;
    TestWorld both;
    for (TestWorld* t : {&single, &both}) {
        t->player().superPunch();
        for (int i = 0; i < 10; ++i) {
            t->player().update(kDt);
        }
    }
    both.player().punch();
    single.player().update(kDt);
    both.player().update(kDt);
    // The left fist's push away from its rest place is added twice.
    auto push = [](const Player& p) {
        const glm::vec3 side =
            glm::normalize(glm::cross(glm::normalize(p.position), glm::normalize(p.facing)));
        return p.leftFist->position - (p.position + 0.075f * side);
    };
    const glm::vec3 once = push(single.player());
    const glm::vec3 twice = push(both.player());
    EXPECT_GT(glm::length(once), 0.1f);
    EXPECT_NEAR(glm::distance(twice, 2.0f * once), 0.0f, 1e-5f);
    EXPECT_EQ(both.player().leftFist->scale, single.player().leftFist->scale);
    // Both flags end with the super punch; no separate punch follows.
    while (both.player().superPunching) {
        both.player().update(kDt);
    }
    EXPECT_FALSE(both.player().punching);
    for (int i = 0; i < 10; ++i) {
        both.player().update(kDt);
    }
    EXPECT_EQ(both.player().punchProgress, 0.0f);
    EXPECT_EQ(both.plays(kPunchWav), 1);
}

} // namespace
