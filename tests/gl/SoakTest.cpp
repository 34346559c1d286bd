// An hour of game time at 60 Hz with real GL: the game's own frames with a scripted player,
// drawn every Nth frame, a new game every two minutes until the last. The scene must stay
// sound, and neither GL objects nor memory may pile up while it plays.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include "app/Game.h"
#include "app/GlState.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "support/GlContext.h"
#include "support/ScriptedScreen.h"

namespace {

constexpr int kWidth = 160, kHeight = 90;
constexpr double kDt = 1.0 / 60.0;

bool finite(const glm::vec3& v) {
    return std::isfinite(v.x + v.y + v.z);
}

// Walks in bursts and turns, sweeps the pointer round, punches twice a second and super
// punches every 20 s until `stopAt`, then stands still without fighting.
FrameInput script(double t, double stopAt) {
    FrameInput in;
    if (t >= stopAt)
        return in;
    const int second = static_cast<int>(t);
    in.w = second % 6 < 3;
    in.a = second % 10 == 4;
    in.d = second % 10 == 8;
    in.mouseX = kWidth / 2 + static_cast<int>(40.0 * std::cos(t * 0.7));
    in.mouseY = kHeight / 2 + static_cast<int>(40.0 * std::sin(t * 0.7));
    in.leftButton = std::fmod(t, 0.5) < 0.1;
    in.rightButton = second % 20 == 0;
    return in;
}

// Freed memory the allocator still holds is given back first: what is left is what the game
// keeps.
long residentBytes() {
    malloc_trim(0);
    long size = 0, pages = 0;
    std::ifstream("/proc/self/statm") >> size >> pages;
    return pages * sysconf(_SC_PAGESIZE);
}

// Lists in step, ids rising, every position and value finite.
bool isSound(const World& w) {
    bool sound = w.enemies.size() == w.enemyIds.size() && finite(w.player->position) &&
                 finite(w.player->facing) && std::isfinite(w.player->lives);
    for (size_t i = 0; sound && i < w.enemies.size(); ++i) {
        const Enemy& e = *w.enemies[i];
        sound = e.id == w.enemyIds[i] && (i == 0 || e.id > w.enemyIds[i - 1]) &&
                finite(e.position) && std::isfinite(e.life + e.height);
    }
    return sound;
}

TEST(Soak, AnHourOfPlayStaysSoundAndPilesUpNeitherGlObjectsNorMemory) {
    GlContext context(kWidth, kHeight);
    ASSERT_GL_CONTEXT(context);
    setGlobalGlState();
    double now = 0.0;
    const char* seconds = std::getenv("QUORVEX_SOAK_GAME_SECONDS");
    const double total = seconds ? std::atof(seconds) : 3600.0;

    auto game = Game::create(
        kWidth, kHeight, [&now] { return now; }, &SoundEngine::createSilent, Graphics::On,
        20240611);
    ASSERT_NE(game, nullptr);
    World* world = &game->world();
    Shell& shell = game->shell();
    shell.state.showFrameRate = true; // the longest HUD
    shell.state.started = true;
    ScriptedScreen screen;
    screen.surface = {kWidth, kHeight, kWidth, kHeight};
    drainGlErrors();

    std::array<int, 4> namesAtStart{};
    bool lost = false;
    // Warmed up once a second game has replaced the first.
    const double stopAt = total * 0.4, warmedUp = 180.0, gameSeconds = 120.0;
    long residentWarm = 0, residentPlayed = 0;
    int games = 1;
    for (long frame = 0; frame < static_cast<long>(total / kDt); ++frame) {
        now += kDt;
        if (now < stopAt && frame > 0 && frame % static_cast<long>(gameSeconds / kDt) == 0) {
            game->newGame();
            world = &game->world();
            ++games;
        }
        // Kept alive while it fights, so that enemies land, punch, die and fade all along; no
        // click once lost: it would begin a new game.
        screen.in = lost ? FrameInput{} : script(now, stopAt);
        if (now < stopAt)
            world->player->lives = 100.0f;
        // Drawn every 10 s of game time while the player lives, every minute once the crowd grows.
        const bool draw = frame % (lost ? 3600 : 600) == 0;
        game->gameFrame(screen, draw);
        if (draw) {
            glFinish();
            ASSERT_EQ(drainGlErrors(), "") << "at " << now;
            ASSERT_TRUE(isSound(*world)) << "at " << now;
        }
        if (frame == static_cast<long>(5.0 / kDt)) // warmed up: every kind drawn once
            namesAtStart = liveGlNames();
        if (frame == static_cast<long>(warmedUp / kDt))
            residentWarm = residentBytes();
        if (frame == static_cast<long>(stopAt / kDt))
            residentPlayed = residentBytes();
        lost = lost || world->player->lives <= 0.0f;
    }
    ASSERT_TRUE(isSound(*world)) << "at " << now;
    std::printf("resident: %.2f MiB after %.0f s, %.2f MiB after %.0f s of play in %d games\n",
                residentWarm / 1048576.0, warmedUp, residentPlayed / 1048576.0, stopAt, games);
    // The fight happened (enemies died, the punch was heard), then a loss, after which the
    // crowd grew on.
    EXPECT_GT(world->kills, 0);
    EXPECT_GT(game->sound().playCount("resources/punch.wav"), 0);
    EXPECT_TRUE(lost) << "the player never lost";
    // Enemies share one model: no GL objects are made per enemy or kept per frame or game.
    EXPECT_EQ(liveGlNames(), namesAtStart) << "buffers, vertex arrays, textures, programs";
#ifndef __SANITIZE_ADDRESS__ // whose quarantine keeps freed memory resident on purpose
    // 100 bytes kept per frame would add 8 MiB over the played stretch, as would 800 kB a game.
    EXPECT_LT(residentPlayed - residentWarm, 8L << 20) << "resident memory grows with play";
#endif
}

} // namespace
