#include "FrameBench.h"

#include <GL/glew.h>

#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "Scene.h"
#include "UpdateBench.h"
#include "app/ContextHints.h"
#include "app/GlState.h"
#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "app/Shell.h"
#include "audio/SoundEngine.h"
#include "render/RenderStore.h"
#include "render/TextRenderer.h"
#include "render/TexturedModel.h"
#include "world/Camera.h"
#include "world/Enemy.h"
#include "world/Random.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr unsigned kSpawnSeed = 20261207;

// The window, shadow map, text renderer and render store every frame case draws with.
struct FrameRig {
    GLFWwindow* window = nullptr;
    std::unique_ptr<ShadowMap> shadowMap;
    std::unique_ptr<TextRenderer> text;
    std::unique_ptr<RenderStore> store;
    std::map<int, std::unique_ptr<Scene>> scenes;
};

FrameRig* openRig() {
    if (!glfwInit()) {
        return nullptr;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    requestGameContext();
    GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "quorvex-bench", nullptr, nullptr);
    if (!window) {
        return nullptr;
    }
    makeContextCurrent(window);
    glfwSwapInterval(0);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        return nullptr;
    }
    setGlobalGlState();
    auto* rig = new FrameRig; // lives until the process ends, like the game's window
    rig->window = window;
    rig->shadowMap = std::make_unique<ShadowMap>();
    rig->text = std::make_unique<TextRenderer>("resources/font.tga");
    rig->store = std::make_unique<RenderStore>();
    return rig;
}

Scene& frameScene(FrameRig& rig, int n) {
    auto& scene = rig.scenes[n];
    if (!scene) {
        scene = std::make_unique<Scene>(rig.store.get());
        scene->world().camera->aspect = static_cast<float>(kWidth) / kHeight;
        scene->spawnLanded(n, kSpawnSeed);
    }
    return *scene;
}

void drawFrame(FrameRig& rig, World& world, const LoopState& loop) {
    renderFrame(*rig.shadowMap, world, kWidth, kHeight);
    drawTexts(*rig.text, hudLayout(readHudValues(world, loop)));
    glfwSwapBuffers(rig.window);
    glFinish(); // the software renderer's work is part of the frame
}

// 1,000 enemy draws (depth, colour or both) of one model at the landed enemies' matrices: with
// the enemy mesh, and with a one-triangle mesh, which leaves only the per-draw overhead.
void timeDraws(benchmark::State& state, FrameRig& rig, const char* mesh, bool depth, bool colour) {
    World& world = frameScene(rig, 1000).world();
    TexturedModel model(*rig.store, mesh, "resources/enemy.tga", *world.shadowProgram);
    const glm::mat4 view = world.camera->view();
    const glm::mat4 projection = world.camera->projection();
    for (auto _ : state) {
        glBindFramebuffer(GL_FRAMEBUFFER, rig.shadowMap->framebuffer());
        for (const auto& enemy : world.enemies) {
            if (depth) {
                model.drawDepth(enemy->model);
            }
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        for (const auto& enemy : world.enemies) {
            if (colour) {
                model.draw(view, projection, enemy->model, 1.0f, rig.shadowMap->depthTexture());
            }
        }
        glFinish();
    }
}

// A new game's world, built as Game::create builds it from a store that holds everything
// already (five enemies on their way, the camera's aspect), alone or with its first frame:
// what play again adds to the frame in which the new game begins.
void timeNewWorld(benchmark::State& state, FrameRig& rig, bool drawn) {
    frameScene(rig, 5); // the store is warm
    const auto sound = SoundEngine::createSilent();
    const World::Clock clock = [] { return 0.0; };
    LoopState loop;
    loop.started = true;
    for (auto _ : state) {
        World world(sound.get(), clock, *rig.store);
        world.camera->aspect = static_cast<float>(kWidth) / kHeight;
        for (int i = 0; i < 5; ++i) {
            world.spawnEnemy(randomDirection(Chance::Landing));
        }
        if (drawn) {
            drawFrame(rig, world, loop);
        }
        glFinish();
    }
}

const char* oneTriangleMesh() {
    static const char* path = "/tmp/quorvex_bench_triangle.obj";
    if (FILE* f = std::fopen(path, "w")) {
        std::fputs("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\n"
                   "f 1/1/1 2/2/1 3/3/1\n",
                   f);
        std::fclose(f);
    }
    return path;
}

} // namespace

void registerFrameBenchmarks() {
    static FrameRig* rig = openRig();
    if (!rig) {
        std::fprintf(stderr, "frame cases skipped: no GL 3.3 core context (run under xvfb-run)\n");
        return;
    }
    // The game's bulk drawing, and one draw per enemy per pass as the reference.
    for (const auto& [prefix, drawing] : {std::pair("frame/", EnemyDrawing::Bulk),
                                          std::pair("frame-each/", EnemyDrawing::PerEnemy)}) {
        for (int n : enemyCounts()) {
            const std::string name = prefix + std::to_string(n);
            benchmark::RegisterBenchmark(name.c_str(),
                                         [n, drawing = drawing](benchmark::State& state) {
                                             World& world = frameScene(*rig, n).world();
                                             world.setEnemyDrawing(drawing);
                                             LoopState loop;
                                             loop.started = true;
                                             for (auto _ : state) {
                                                 drawFrame(*rig, world, loop);
                                             }
                                             state.counters["enemies"] =
                                                 static_cast<double>(world.enemies.size());
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
        }
    }
    for (const bool drawn : {false, true}) {
        benchmark::RegisterBenchmark(
            drawn ? "new-game-frame" : "new-world",
            [drawn](benchmark::State& state) { timeNewWorld(state, *rig, drawn); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(0.5);
    }
    struct Passes {
        const char* name;
        bool depth, colour;
    };
    const Passes passes[] = {{"both", true, true}, {"depth", true, false}, {"colour", false, true}};
    const std::pair<const char*, const char*> meshes[] = {{"enemy-mesh", "resources/enemy.obj"},
                                                          {"one-triangle", oneTriangleMesh()}};
    for (const auto& mesh : meshes) {
        for (const Passes& p : passes) {
            const std::string name = std::string("draws1000/") + mesh.first + "/" + p.name;
            const char* path = mesh.second;
            benchmark::RegisterBenchmark(name.c_str(),
                                         [path, p](benchmark::State& state) {
                                             timeDraws(state, *rig, path, p.depth, p.colour);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
        }
    }
}
