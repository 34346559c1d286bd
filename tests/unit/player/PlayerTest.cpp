#include "unit/world/WorldTestSupport.h"

TEST(PlayerPunch, TimelinesWithOneSoundAndAHitTestEveryFrame) {
    // At dt 1/64 the extension reaches 1, 3 and 0 exactly; only passing them ends a phase.
    struct Case {
        bool super;
        int frames, kills; // every frame with a reach above 0 kills the enemy kept ahead
        float cooldown;
    };
    for (const Case& c : {Case{false, 34, 32, 0.0f}, Case{true, 47, 46, 15.0f}}) {
        SCOPED_TRACE(c.super ? "super punch: 25 out, 22 back" : "punch: 17 out, 17 back");
        TestWorld t;
        Player& p = t.player();
        c.super ? p.superPunch() : p.punch();
        int frames = 0;
        for (; (p.punching || p.superPunching) && frames < 1000; ++frames) {
            bool target = false;
            for (auto& e : t.world.enemies)
                target = target || e->isLandedAndLiving();
            if (!target)
                t.landEnemy(along(p.position, p.facing, 0.3f));
            p.punch(); // a held button asks every frame; a running punch ignores it
            p.update(kDt);
        }
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(t.plays(kPunchWav), 1);
        EXPECT_EQ(t.world.kills, c.kills);
        EXPECT_TRUE(p.punchExtending && p.punchProgress == 0.0f && !p.leftHand);
        EXPECT_EQ(p.superPunchCooldown, c.cooldown);
    }
}

TEST(Player, FacesThePointerAsTheScreenShowsItAndThrownFistsAlternateAndGrow) {
    // At the peak the thrower is 0.15 ahead and 0.1 toward the middle per unit of extension;
    // the resting fist stays 0.075 to its side.
    struct Case {
        bool super, left;
        float scale, distance;
    };
    const Case cases[] = {{false, true, 1.0f / 24.0f, std::hypot(0.15f, 0.025f)},
                          {false, false, 1.0f / 24.0f, std::hypot(0.15f, 0.025f)},
                          {true, true, 0.075f, std::hypot(0.45f, 0.225f)}};
    TestWorld t;
    Player& p = t.player();
    // 0 is screen right; the window's y grows downward, so 90 is screen down.
    const std::pair<float, glm::vec3> facings[] = {
        {0.0f, {-1, 0, 0}}, {90.0f, {0, -1, 0}}, {180.0f, {1, 0, 0}}, {270.0f, {0, 1, 0}}};
    for (const auto& [degrees, facing] : facings) {
        p.setFacing(degrees);
        EXPECT_VEC_NEAR(p.facing, facing, 2e-3f) << degrees;
    }
    for (const Case& c : cases) {
        ASSERT_EQ(p.leftHand, c.left);
        c.super ? p.superPunch() : p.punch();
        while (p.punchExtending)
            p.update(0.01f);
        const Fist& thrower = c.left ? *p.leftFist : *p.rightFist;
        const Fist& resting = c.left ? *p.rightFist : *p.leftFist;
        EXPECT_NEAR(glm::length(glm::vec3(thrower.model[1])), c.scale, 1e-6f);
        EXPECT_NEAR(glm::distance(thrower.position, p.position), c.distance, 1e-5f);
        EXPECT_NEAR(glm::distance(resting.position, p.position), 0.075f, 1e-5f);
        while (p.punching || p.superPunching)
            p.update(0.01f);
    }
    EXPECT_EQ(t.plays(kPunchWav), 3);
}
