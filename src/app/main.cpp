#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>

#include "app/Config.h"
#include "app/GlState.h"
#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "app/Shell.h"
#include "app/Window.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "render/ShaderProgram.h"
#include "render/TextRenderer.h"
#include "world/SphereMath.h"
#include "world/World.h"

#if defined(__SANITIZE_ADDRESS__)
// In a sanitized build the in-process tests check our own objects for leaks. The game itself
// leaves the GL driver's allocations at exit, made from its JIT-compiled code, whose frames no
// suppression can name; memory and undefined-behaviour errors still end it with a failure.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif

int main() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    const ConfigResult config = readConfig("resources/config");
    if (!config.ok) {
        std::cerr << config.error << std::endl;
        return kConfigExitStatus;
    }
    const int width = config.config.width;
    const int height = config.config.height;

    std::unique_ptr<Window> window = Window::open(width, height, config.config.fullscreen);
    if (!window) {
        std::cerr << "Failed to initialize OpenGL window." << std::endl;
        glfwTerminate();
        return 1;
    }
    window->setTitle("Quorvex");
    window->showCursor();

    glewExperimental = GL_TRUE;
    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK) {
        std::cerr << "Error: " << glewGetErrorString(glewStatus) << std::endl;
    }
    setGlobalGlState();

    auto shadowMap = std::make_unique<ShadowMap>();
    if (!shadowMap->complete()) {
        std::cout << "Problem mit FBO!" << std::endl;
        return 0;
    }
    auto text = std::make_unique<TextRenderer>("resources/font.tga");
    std::unique_ptr<SoundEngine> sound = SoundEngine::create();
    auto world = std::make_unique<World>(sound.get(), &Window::time);
    world->camera->aspect = static_cast<float>(width) / static_cast<float>(height);
    for (int i = 0; i < 5; ++i) world->spawnEnemy(randomDirection());

    Shell shell(*world, width, height, &Window::time);
    shell.startTimers();
    while (!shell.state.started && shell.state.running) {
        checkGlError();
        const float dt = shell.frameTime();
        renderFrame(*shadowMap, *world, width, height);
        const FrameInput in = window->takeInput();
        shell.startScreenFrame(in, dt);
        drawTexts(*text, {startPrompt()});
        window->swapBuffers();
        shell.quitTest(window->snapshot());
    }

    const float v = musicValue(randomValue());
    std::cout << v << std::endl;
    Sound* music = sound->play2D(musicTrack(v), true, false, true);

    while (shell.state.running) {
        checkGlError();
        const float dt = shell.frameTime();
        const DisplayChanges changes = shell.gameFrame(window->takeInput(), dt, music);
        applyDisplayChanges(changes, shell.state);
        renderFrame(*shadowMap, *world, width, height);
        drawTexts(*text, hudLayout(readHudValues(*world, shell.state)));
        shell.frameDrawn();
        window->swapBuffers();
        shell.quitTest(window->snapshot());
    }

    // The GL objects go while their context still exists; the sound outlives the world.
    world.reset();
    text.reset();
    shadowMap.reset();
    window.reset();
    glfwTerminate();
    return 0;
}
