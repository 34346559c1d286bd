#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/inotify.h>
#include <unistd.h>

#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "audio/SoundEngine.h"
#include "render/RenderStore.h"
#include "support/GlContext.h"
#include "world/Random.h"
#include "world/World.h"

namespace {

// The game's shaders and data copied into `dir`, made the working directory; every opening of a
// file there is counted.
struct GameFiles {
    explicit GameFiles(const TempDir& dir) : watcher(inotify_init1(IN_NONBLOCK)) {
        for (const char* folder : {"shaders", "resources"}) {
            std::filesystem::copy(sourcePath(folder), dir.file(folder));
            folders[inotify_add_watch(watcher, dir.file(folder).c_str(), IN_OPEN)] = folder;
        }
        std::filesystem::current_path(dir.path());
    }
    ~GameFiles() {
        close(watcher);
        enterSourceDir();
    }
    // The files opened since the last call, each with how often.
    std::map<std::string, int> opened() {
        std::map<std::string, int> counts;
        alignas(inotify_event) char events[64 * 1024];
        for (ssize_t got; (got = read(watcher, events, sizeof events)) > 0;)
            for (const char* at = events; at < events + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                ++counts[folders[event->wd] + "/" + event->name];
                at += sizeof(inotify_event) + event->len;
            }
        return counts;
    }
    int watcher;
    std::map<int, std::string> folders;
};

using RenderStoreGl = GlTest;
const World::Clock stillClock = [] { return 0.0; };

// Play again, fifty times over, from one store: a new world opens no file, compiles nothing,
// keeps no GL object more and draws the same picture, however high texture names have climbed.
// The depth vertex arrays name four inputs of which the shadow program reads one: the others
// are skipped without a GL error. A broken shader is told once, and no GL error follows from
// building vertex arrays against the program that failed.
TEST_F(RenderStoreGl, FiftyGamesFromOneStoreReadEachFileOnceAndLookTheSame) {
    std::vector<GLuint> spent(static_cast<size_t>(glState(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS)));
    glGenTextures(static_cast<GLsizei>(spent.size()), spent.data());
    glDeleteTextures(static_cast<GLsizei>(spent.size()), spent.data());
    GameFiles files(dir);
    const ShadowMap shadowMap;
    const auto sound = SoundEngine::createSilent();
    {
        RenderStore store;
        const auto picture = [&] {
            World world(sound.get(), stillClock, store);
            seedChance(5);
            for (const glm::vec3 place :
                 {glm::vec3(0.3f, 0.2f, -1), {-0.2f, 0.1f, -1}, {1, 0.4f, 0}})
                world.spawnEnemy(glm::normalize(place));
            for (int frame = 0; frame < 100; ++frame)
                world.update(1.0f / 60.0f);
            world.camera->aspect = 1.0f;
            world.camera->eye = glm::vec3(2.0f, 0.4f, -1.2f); // over the lit side
            renderFrame(shadowMap, world, 64, 64);
            std::vector<unsigned char> rgb(64 * 64 * 3);
            glReadPixels(0, 0, 64, 64, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
            return rgb;
        };
        const std::vector<unsigned char> first = picture();
        ASSERT_GT(std::count_if(first.begin(), first.end(), [](int v) { return v > 30; }), 1000);
        // Model, sun, shadow, and the crowd's colour and depth programs; eight stages, five
        // meshes with their material libraries, three textures.
        EXPECT_EQ(liveGlNames()[3], 5);
        const std::map<std::string, int> opened = files.opened();
        EXPECT_EQ(opened.size(), 21u);
        for (const auto& [file, times] : opened)
            EXPECT_EQ(times, 1) << file;
        const std::array<int, 4> names = liveGlNames();
        for (int game = 1; game < 49; ++game)
            picture();
        EXPECT_TRUE(picture() == first);
        EXPECT_EQ(liveGlNames(), names);
        EXPECT_EQ(files.opened().size(), 0u);
    }
    dir.write("shaders/planet_shader.frag", "#version 330 core\nvoid main() { broken }\n");
    std::string out;
    EXPECT_EQ(captureStderr([&] {
                  out = captureStdout([&] {
                      RenderStore store;
                      World first(sound.get(), stillClock, store),
                          again(sound.get(), stillClock, store);
                  });
              }),
              "");
    for (const std::string line : {"Shader compilation failed.\n", "Shader linking failed.\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << out;
        EXPECT_EQ(out.find(line), out.rfind(line)) << out;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

} // namespace
