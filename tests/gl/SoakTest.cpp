// One hour of game time at a fixed 60 Hz, seeded, with real GL: the shell's loop logic with a
// scripted player (walking, turning, punching, super punching, then standing still until it
// loses), drawing every Nth frame through the game's own passes and HUD. Watches that the
// scene stays sound and that GL names and memory do not leak.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "app/Shell.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "render/TextRenderer.h"
#include "support/GlContext.h"
#include "world/Camera.h"
#include "world/SphereMath.h"
#include "world/World.h"

namespace {

constexpr int kWidth = 160, kHeight = 90;
constexpr double kDt = 1.0 / 60.0;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // the allocator's quarantine makes resident memory grow
#else
constexpr bool kSanitized = false;
#endif

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

// Live GL objects of each kind, counted by probing every name up to the next free one (Mesa
// does not hand out freed names again at once, so the next free name alone says nothing).
struct GlNames {
    int buffers = 0, vertexArrays = 0, textures = 0;
};
GlNames liveNames() {
    GLuint top[3] = {0, 0, 0};
    glGenBuffers(1, &top[0]);
    glGenVertexArrays(1, &top[1]);
    glGenTextures(1, &top[2]);
    GlNames n;
    for (GLuint i = 1; i < top[0]; ++i) n.buffers += glIsBuffer(i) == GL_TRUE;
    for (GLuint i = 1; i < top[1]; ++i) n.vertexArrays += glIsVertexArray(i) == GL_TRUE;
    for (GLuint i = 1; i < top[2]; ++i) n.textures += glIsTexture(i) == GL_TRUE;
    glDeleteBuffers(1, &top[0]);
    glDeleteVertexArrays(1, &top[1]);
    glDeleteTextures(1, &top[2]);
    return n;
}

bool finite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The scripted player: walks in bursts and turns, sweeps the pointer round, punches twice a
// second and super punches whenever ready, until `stopAt`, then stands still without fighting.
FrameInput script(double t, double stopAt) {
    FrameInput in;
    if (t >= stopAt) return in;
    const int second = static_cast<int>(t);
    in.w = second % 6 < 3;
    in.a = second % 10 == 4;
    in.d = second % 10 == 8;
    const double angle = t * 0.7;
    in.mouseX = kWidth / 2 + static_cast<int>(40.0 * std::cos(angle));
    in.mouseY = kHeight / 2 + static_cast<int>(40.0 * std::sin(angle));
    in.leftButton = std::fmod(t, 0.5) < 0.1;
    in.rightButton = second % 20 == 0;
    return in;
}

// Checks the lists, ids and positions; returns false (with a failure) at the first fault.
bool sceneIsSound(const World& world, double t) {
    if (world.enemies.size() != world.enemyIds.size()) {
        ADD_FAILURE() << "lists differ at " << t;
        return false;
    }
    for (size_t i = 0; i < world.enemies.size(); ++i) {
        const Enemy& e = *world.enemies[i];
        if (e.id != world.enemyIds[i] || (i > 0 && world.enemyIds[i] <= world.enemyIds[i - 1]) ||
            !finite(e.position) || !std::isfinite(e.life) || !std::isfinite(e.height)) {
            ADD_FAILURE() << "enemy " << i << " (id " << e.id << ") unsound at " << t;
            return false;
        }
    }
    if (!finite(world.player->position) || !finite(world.player->facing) ||
        !std::isfinite(world.player->lives)) {
        ADD_FAILURE() << "player unsound at " << t;
        return false;
    }
    return true;
}

double gameSeconds() {
    const char* text = std::getenv("QUORVEX_SOAK_GAME_SECONDS");
    return text ? std::atof(text) : 3600.0;
}

TEST(Soak, AnHourOfPlayStaysSoundAndLeaksNothing) {
    GlContext context(kWidth, kHeight);
    ASSERT_GL_CONTEXT(context);
    glEnable(GL_FRAMEBUFFER_SRGB);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    std::srand(20240611);
    double now = 0.0;
    auto clock = [&now] { return now; };
    const double total = gameSeconds();
    const double stopFighting = total * 0.4;
    // Every 10 s of game time while the player lives, every minute once the crowd grows.
    auto drawn = [&](long frame, bool lost) { return frame % (lost ? 3600 : 600) == 0; };

    auto sound = SoundEngine::createSilent();
    auto shadowMap = std::make_unique<ShadowMap>();
    ASSERT_TRUE(shadowMap->complete());
    auto text = std::make_unique<TextRenderer>("resources/font.tga");
    auto world = std::make_unique<World>(sound.get(), clock, Graphics::On);
    world->camera->aspect = static_cast<float>(kWidth) / kHeight;
    for (int i = 0; i < 5; ++i) world->spawnEnemy(randomDirection());
    Shell shell(*world, kWidth, kHeight, clock);
    shell.state.showFrameRate = true;  // the longest HUD
    shell.startTimers();
    shell.state.started = true;
    drainGlErrors();

    GlNames namesAtStart{}, namesAtLoss{};
    long rssAtStart = 0, rssAtLoss = 0;
    size_t enemiesAtLoss = 0;
    double lossTime = -1.0;
    glm::vec3 frozenPlayer{0.0f};
    double clockAtLoss = 0.0;
    int spawned = 5;
    const long frames = static_cast<long>(total / kDt);
    for (long frame = 0; frame < frames; ++frame) {
        now += kDt;
        const float dt = shell.frameTime();
        const int lastId = world->enemyIds.empty() ? 0 : world->enemyIds.back();
        shell.gameFrame(script(now, stopFighting), dt, nullptr);
        if (!world->enemyIds.empty() && world->enemyIds.back() != lastId) ++spawned;
        if (drawn(frame, lossTime >= 0.0)) {
            renderFrame(*shadowMap, *world, kWidth, kHeight);
            drawTexts(*text, hudLayout(readHudValues(*world, shell.state)));
            glFinish();
            shell.frameDrawn();
            ASSERT_EQ(drainGlErrors(), "") << "at " << now;
            ASSERT_TRUE(sceneIsSound(*world, now));
        }
        if (frame == static_cast<long>(5.0 / kDt)) {  // warmed up: every kind drawn once
            namesAtStart = liveNames();
            rssAtStart = residentKiB();
        }
        if (lossTime < 0.0 && world->player->lives <= 0.0f) {
            lossTime = now;
            frozenPlayer = world->player->position;
            clockAtLoss = shell.state.gameClock;
            namesAtLoss = liveNames();
            rssAtLoss = residentKiB();
            enemiesAtLoss = world->enemies.size();
        }
    }
    ASSERT_TRUE(sceneIsSound(*world, now));
    const GlNames namesAtEnd = liveNames();
    const long rssAtEnd = residentKiB();
    const size_t enemiesAtEnd = world->enemies.size();

    std::cout << "soak: " << total << " s of game time, loss at " << lossTime << " s, kills "
              << world->kills << ", spawned " << spawned << ", enemies at loss " << enemiesAtLoss
              << ", at end " << enemiesAtEnd << "; VmRSS " << rssAtStart << " kB after 5 s, "
              << rssAtLoss << " kB at loss, " << rssAtEnd << " kB at end; live buffers "
              << namesAtStart.buffers << "/" << namesAtLoss.buffers << "/" << namesAtEnd.buffers
              << ", vertex arrays " << namesAtStart.vertexArrays << "/" << namesAtLoss.vertexArrays
              << "/" << namesAtEnd.vertexArrays << ", textures " << namesAtStart.textures << "/"
              << namesAtLoss.textures << "/" << namesAtEnd.textures << std::endl;

    // The fight happened: enemies died and were removed, the punch was heard, then a loss.
    EXPECT_GT(world->kills, 0);
    EXPECT_GT(sound->playCount("resources/punch.wav"), 0);
    EXPECT_LT(static_cast<int>(enemiesAtLoss), spawned);
    ASSERT_GT(lossTime, 0.0) << "the player never lost";
    // After the loss the scene stands still while enemies keep arriving.
    EXPECT_EQ(world->player->position, frozenPlayer);
    EXPECT_GT(enemiesAtEnd, enemiesAtLoss);
    EXPECT_EQ(shell.state.gameClock, clockAtLoss) << "the clock runs on after the loss";

    // Enemies share one model: no GL objects are made per enemy or kept per frame.
    EXPECT_EQ(namesAtEnd.buffers, namesAtStart.buffers);
    EXPECT_EQ(namesAtEnd.vertexArrays, namesAtStart.vertexArrays);
    EXPECT_EQ(namesAtEnd.textures, namesAtStart.textures);

    // With the crowd now steady, drawing more frames costs no more memory or names.
    auto drawSteady = [&](int count) {
        for (int i = 0; i < count; ++i) {
            renderFrame(*shadowMap, *world, kWidth, kHeight);
            drawTexts(*text, hudLayout(readHudValues(*world, shell.state)));
            glFinish();
        }
    };
    drawSteady(3);
    const long rssSteady = residentKiB();
    drawSteady(12);
    const long rssSteadyEnd = residentKiB();
    const GlNames namesSteadyEnd = liveNames();
    std::cout << "soak: steady crowd, VmRSS " << rssSteady << " kB after 3 more frames, "
              << rssSteadyEnd << " kB after 12 more" << std::endl;
    EXPECT_EQ(namesSteadyEnd.buffers, namesAtStart.buffers);
    EXPECT_EQ(namesSteadyEnd.vertexArrays, namesAtStart.vertexArrays);
    if (!kSanitized) {
        EXPECT_LT(rssAtLoss - rssAtStart, 16 * 1024) << "kB while fighting";
        EXPECT_LT(rssSteadyEnd - rssSteady, 1024) << "kB over 12 frames of a steady scene";
        // While the crowd grows: the enemies and what the driver keeps to draw them.
        const long perEnemy = 64;  // kB
        EXPECT_LT(rssAtEnd - rssAtLoss,
                  perEnemy * static_cast<long>(enemiesAtEnd - enemiesAtLoss)) << "kB";
    }

    world.reset();
    text.reset();
    shadowMap.reset();
}

}  // namespace
