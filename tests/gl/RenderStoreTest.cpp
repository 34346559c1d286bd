#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sys/inotify.h>
#include <unistd.h>

#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "audio/SoundEngine.h"
#include "render/RenderStore.h"
#include "support/GlContext.h"
#include "world/Random.h"
#include "world/World.h"

namespace fs = std::filesystem;

namespace {

// The game's shaders and model data copied into `dir`, which becomes the working directory,
// with every opening of a file there counted.
class CopiedGameFiles {
  public:
    explicit CopiedGameFiles(const TempDir& dir) : watcher_(inotify_init1(IN_NONBLOCK)) {
        for (const char* folder : {"shaders", "resources"}) {
            fs::create_directory(dir.file(folder));
            for (const auto& entry : fs::directory_iterator(sourcePath(folder)))
                if (std::regex_match(entry.path().extension().string(),
                                     std::regex("\\.(vert|frag|obj|mtl|tga)")))
                    fs::copy_file(entry.path(), dir.file(folder) / entry.path().filename());
            folders_[inotify_add_watch(watcher_, dir.file(folder).c_str(), IN_OPEN)] = folder;
        }
        fs::current_path(dir.path());
    }
    ~CopiedGameFiles() {
        close(watcher_);
        enterSourceDir();
    }
    // How often each file was opened since the last call, by its path in the game.
    std::map<std::string, int> opened() {
        std::map<std::string, int> counts;
        alignas(inotify_event) char events[64 * 1024];
        for (ssize_t got; (got = read(watcher_, events, sizeof events)) > 0;)
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                ++counts[folders_[event->wd] + "/" + event->name];
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        return counts;
    }

  private:
    int watcher_;
    std::map<int, std::string> folders_;
};

// Live GL programs and shader objects, counted as liveGlNames counts the other kinds.
std::array<int, 2> liveGlPrograms() {
    const GLuint top = glCreateProgram();
    std::array<int, 2> live{};
    for (GLuint i = 1; i < top; ++i)
        live = {live[0] + glIsProgram(i), live[1] + glIsShader(i)};
    glDeleteProgram(top);
    return live;
}

using RenderStoreGl = GlTest;
const World::Clock stillClock = [] { return 0.0; };

// Play again builds a new world from the one store: it opens no file and compiles nothing.
TEST_F(RenderStoreGl, EachFileIsReadAndEachProgramBuiltOncePerRunHoweverManyWorlds) {
    std::map<std::string, int> once;
    for (const std::string name :
         {"enemy.obj", "enemy.mtl", "enemy.tga", "fist.obj", "fist.mtl", "planet.obj", "planet.mtl",
          "planet.tga", "player.obj", "player.mtl", "player_texture.tga", "sun.obj", "sun.mtl"})
        once["resources/" + name] = 1;
    for (const std::string name :
         {"planet_shader.vert", "planet_shader.frag", "sun_shader.vert", "sun_shader.frag",
          "shadow_shader.vert", "shadow_shader.frag", "crowd_shader.vert", "crowd_shadow.vert"})
        once["shaders/" + name] = 1;
    CopiedGameFiles files(dir);
    const auto sound = SoundEngine::createSilent();
    RenderStore store;
    for (int game = 0; game < 3; ++game) {
        World world(sound.get(), stillClock, store);
        // Model, sun, shadow and the crowd's colour and depth programs, two stages each.
        EXPECT_EQ(liveGlPrograms(), (std::array<int, 2>{5, 10})) << "game " << game;
        EXPECT_EQ(files.opened(), (game == 0 ? once : std::map<std::string, int>{})) << game;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

// Play again, fifty times over: a new world from the same store draws the same picture, with
// no GL error and no GL object more, however high texture names have climbed.
TEST_F(RenderStoreGl, TheFiftiethNewWorldLooksLikeTheFirst) {
    GLint units = 0;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    for (GLuint i = 0, name = 0; i < static_cast<GLuint>(units); ++i) {
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glDeleteTextures(1, &name);
    }
    const ShadowMap shadowMap;
    RenderStore store;
    const auto sound = SoundEngine::createSilent();
    const auto picture = [&] {
        World world(sound.get(), stillClock, store);
        seedChance(5);
        for (const glm::vec3 place : {glm::vec3(0.3f, 0.2f, -1), {-0.2f, 0.1f, -1}, {1, 0.4f, 0}})
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
    const std::array<int, 3> names = liveGlNames();
    for (int game = 1; game < 49; ++game)
        picture();
    EXPECT_TRUE(picture() == first);
    EXPECT_EQ(liveGlNames(), names);
    EXPECT_EQ(drainGlErrors(), "");
}

// A broken model shader fails the planet, the player, its fists and the enemies, and is told
// once; no GL error follows from building their vertex arrays against no program.
TEST_F(RenderStoreGl, ABrokenShaderIsToldOnceAndLeavesNoGlError) {
    CopiedGameFiles files(dir);
    dir.write("shaders/planet_shader.frag", "#version 330 core\nvoid main() { broken }\n");
    const auto sound = SoundEngine::createSilent();
    std::string out;
    const std::string err = captureStderr([&] {
        out = captureStdout([&] {
            RenderStore store;
            World first(sound.get(), stillClock, store);
            World second(sound.get(), stillClock, store);
        });
    });
    for (const std::string line : {"Shader compilation failed.\n", "Shader linking failed.\n"}) {
        const size_t first = out.find(line);
        EXPECT_TRUE(first != std::string::npos && out.find(line, first + 1) == std::string::npos)
            << out;
    }
    EXPECT_EQ(err, "");
    EXPECT_EQ(drainGlErrors(), "");
}

// An input the program does not read is left alone: no GL call with location -1, nor any
// lookup in a program that failed.
TEST_F(RenderStoreGl, VertexArraysEnableOnlyTheInputsTheProgramReads) {
    RenderStore store;
    const MeshBuffers& mesh = store.mesh("resources/enemy.obj", true, true);
    const std::string none = dir.file("none");
    captureStderr([&] { store.program(none, "c"); });
    for (auto [base, output, reads] : {std::tuple{"shaders/planet_shader", "out_color", 4},
                                       {"shaders/sun_shader", "out_color", 2},
                                       {"shaders/shadow_shader", "fragmentdepth", 1},
                                       {none.c_str(), "c", 0}}) {
        const VertexArray vao(store.program(base, output).program, mesh.inputs());
        glBindVertexArray(vao.name());
        int enabled = 0;
        for (GLuint i = 0; i < 16; ++i) {
            GLint on = 0;
            glGetVertexAttribiv(i, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &on);
            enabled += on;
        }
        glBindVertexArray(0);
        EXPECT_EQ(enabled, reads) << base;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

} // namespace
