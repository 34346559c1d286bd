#include "FrameBench.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "Scene.h"
#include "UpdateBench.h"
#include "app/GlState.h"
#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "app/Shell.h"
#include "render/TextRenderer.h"
#include "world/Camera.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr unsigned kSpawnSeed = 20261207;

// The window, shadow map and text renderer every frame case draws with.
struct FrameRig {
    GLFWwindow* window = nullptr;
    std::unique_ptr<ShadowMap> shadowMap;
    std::unique_ptr<TextRenderer> text;
    std::map<int, std::unique_ptr<Scene>> scenes;
};

FrameRig* openRig() {
    if (!glfwInit()) {
        return nullptr;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "quorvex-bench", nullptr, nullptr);
    if (!window) {
        return nullptr;
    }
    glfwMakeContextCurrent(window);
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
    return rig;
}

Scene& frameScene(FrameRig& rig, int n) {
    auto& scene = rig.scenes[n];
    if (!scene) {
        scene = std::make_unique<Scene>(Graphics::On);
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

} // namespace

void registerFrameBenchmarks() {
    static FrameRig* rig = openRig();
    if (!rig) {
        std::fprintf(stderr, "frame cases skipped: no GL 3.3 core context (run under xvfb-run)\n");
        return;
    }
    for (int n : enemyCounts()) {
        const std::string name = "frame/" + std::to_string(n);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [n](benchmark::State& state) {
                                         World& world = frameScene(*rig, n).world();
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
