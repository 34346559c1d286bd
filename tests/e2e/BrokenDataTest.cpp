// The real game on damaged copies of its data: every file it reads missing, empty, cut short
// or overwritten with noise, plus forged headers. Files of one kind are damaged together in one
// run (they are told apart by their paths), which keeps the matrix to a few dozen short runs.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "GameSession.h"

namespace fs = std::filesystem;

namespace {

enum class Damage { Missing, Empty, Truncated, Garbage };
const char* damageName(Damage d) {
    const char* names[] = {"missing", "empty", "truncated", "garbage"};
    return names[static_cast<int>(d)];
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Deterministic noise, so that a failure repeats.
std::string noise(size_t length, uint32_t seed) {
    std::string bytes(length, '\0');
    uint32_t x = seed * 2654435761u + 1u;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xff);
    }
    return bytes;
}

// The working directory of one run: resources/ and shaders/ made of links to the real files,
// some of them replaced by damaged copies.
class Scratch {
public:
    Scratch() {
        char pattern[] = "/tmp/quorvex-broken-XXXXXX";
        dir_ = mkdtemp(pattern);
        for (const char* sub : {"resources", "shaders"}) {
            fs::create_directories(dir_ / sub);
            for (const auto& entry : fs::directory_iterator(fs::path(QUORVEX_SOURCE_DIR) / sub)) {
                fs::create_symlink(entry.path(), dir_ / sub / entry.path().filename());
            }
        }
    }
    ~Scratch() { fs::remove_all(dir_); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string dir() const { return dir_.string(); }
    void write(const std::string& file, const std::string& bytes) const {
        fs::remove(dir_ / file);
        std::ofstream(dir_ / file, std::ios::binary) << bytes;
    }
    void damage(const std::string& file, Damage how) const {
        const std::string original = readBytes(fs::path(QUORVEX_SOURCE_DIR) / file);
        switch (how) {
        case Damage::Missing:
            fs::remove(dir_ / file);
            break;
        case Damage::Empty:
            write(file, "");
            break;
        case Damage::Truncated:
            write(file, original.substr(0, original.size() / 3));
            break;
        case Damage::Garbage:
            write(file, noise(std::min<size_t>(original.size(), 64 * 1024),
                              static_cast<uint32_t>(std::hash<std::string>()(file))));
            break;
        }
    }

private:
    fs::path dir_;
};

int linesWith(const std::string& text, const std::string& needle) {
    std::istringstream in(text);
    int count = 0;
    for (std::string line; std::getline(in, line);) count += line.find(needle) != std::string::npos;
    return count;
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

struct GameRun {
    bool window = false;
    int status = -1;
    std::string out, err;
    std::string errEarly;  // standard error a second before the end
};

// Starts the game, clicks it into play, punches once (so the music and the punch sound are
// loaded), lets it run, and ends it with Escape.
GameRun play(const Scratch& scratch) {
    GameRun run;
    GameSession game(scratch.dir());
    run.window = game.hasWindow();
    if (run.window) {
        game.movePointer(900, 360);
        game.holdButton(1, 0.3);
        sleepSeconds(0.4);
        game.holdButton(1, 0.3);
        sleepSeconds(0.5);
        run.errEarly = game.standardError();
        sleepSeconds(1.0);
        game.holdKey("Escape", 0.3);
    }
    run.status = game.waitForExit(20);
    run.out = game.standardOutput();
    run.err = game.standardError();
    return run;
}

// How often a file's path may appear on standard error.
enum class Report { Once, AtMostOnce, Never };

struct Expect {
    std::string file;  // relative to the working directory
    Report report;
};

// Lines of `text` that mention none of `files`.
int linesWithout(const std::string& text, const std::vector<std::string>& files) {
    int count = lineCount(text);
    for (const std::string& f : files) count -= linesWith(text, f);
    return count;
}

// `late` names files whose first use may come at any time (the enemies' sounds).
void checkRun(const GameRun& run, const std::vector<Expect>& expected, const std::string& what,
              const std::vector<std::string>& late = {}) {
    SCOPED_TRACE(what + "\n--- stderr ---\n" + run.err.substr(0, 4000));
    ASSERT_TRUE(run.window) << "no window";
    EXPECT_EQ(run.status, 0);
    // Reports are made while loading, never per frame.
    EXPECT_EQ(linesWithout(run.err, late), linesWithout(run.errEarly, late))
        << "standard error still growing";
    for (const Expect& e : expected) {
        const int lines = linesWith(run.err, e.file);
        switch (e.report) {
        case Report::Once:
            EXPECT_EQ(lines, 1) << e.file;
            break;
        case Report::AtMostOnce:
            EXPECT_LE(lines, 1) << e.file;
            break;
        case Report::Never:
            EXPECT_EQ(lines, 0) << e.file;
            break;
        }
    }
}

const char* const kMeshes[] = {"planet", "sun", "enemy", "player", "fist"};
const char* const kTextures[] = {"resources/planet.tga", "resources/enemy.tga",
                                 "resources/player_texture.tga", "resources/font.tga"};

// A damaged file that may still hold usable data (the first third of a file) need not be
// reported; one that cannot be read must be.
Report reportFor(Damage how) { return how == Damage::Truncated ? Report::AtMostOnce : Report::Once; }

const std::vector<std::string> kEnemySounds = {"resources/enemy_punch.wav",
                                                "resources/enemy_die.wav"};

const Damage kDamages[] = {Damage::Missing, Damage::Empty, Damage::Truncated, Damage::Garbage};

TEST(BrokenData, DamagedConfigurationEndsWithItsLineAndStatusTwo) {
    for (Damage how : kDamages) {
        Scratch scratch;
        scratch.damage("resources/config", how);
        const std::string command = "cd '" + scratch.dir() + "' && '" QUORVEX_BINARY
                                    "' 2>stderr >/dev/null";
        const int raw = std::system(command.c_str());
        const std::string err = readBytes(fs::path(scratch.dir()) / "stderr");
        SCOPED_TRACE(std::string(damageName(how)) + ": " + err);
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 2);
        EXPECT_EQ(lineCount(err), 1);
        EXPECT_EQ(err.rfind("resources/config", 0), 0u);
    }
}

TEST(BrokenData, DamagedMeshesAreReportedOnceAndTheGameRunsOn) {
    for (Damage how : kDamages) {
        Scratch scratch;
        std::vector<Expect> expected;
        for (const char* mesh : kMeshes) {
            const std::string file = std::string("resources/") + mesh + ".obj";
            scratch.damage(file, how);
            expected.push_back({file, reportFor(how)});
        }
        checkRun(play(scratch), expected, std::string("meshes ") + damageName(how));
    }
}

TEST(BrokenData, DamagedMaterialsAreReportedOnceAndTheGameRunsOn) {
    for (Damage how : kDamages) {
        Scratch scratch;
        std::vector<Expect> expected;
        for (const char* mesh : kMeshes) {
            const std::string file = std::string("resources/") + mesh + ".mtl";
            scratch.damage(file, how);
            // The mesh that uses it tells of it.
            expected.push_back({std::string("resources/") + mesh + ".obj", reportFor(how)});
        }
        checkRun(play(scratch), expected, std::string("materials ") + damageName(how));
    }
}

TEST(BrokenData, DamagedTexturesAreReportedOnceAndTheGameRunsOn) {
    for (Damage how : kDamages) {
        Scratch scratch;
        std::vector<Expect> expected;
        for (const char* file : kTextures) {
            scratch.damage(file, how);
            expected.push_back({file, reportFor(how)});
        }
        checkRun(play(scratch), expected, std::string("textures ") + damageName(how));
    }
}

TEST(BrokenData, DamagedSoundsAreReportedOnceWhenPlayedAndTheGameRunsOn) {
    const char* tracks[] = {"resources/track1.mp3", "resources/track2.mp3",
                            "resources/track3.mp3", "resources/track4.mp3"};
    for (Damage how : kDamages) {
        Scratch scratch;
        for (const char* file : tracks) scratch.damage(file, how);
        for (const char* file : {"resources/punch.wav", "resources/enemy_punch.wav",
                                 "resources/enemy_die.wav"}) {
            scratch.damage(file, how);
        }
        const GameRun run = play(scratch);
        // Only the punch sound and the one chosen track are sure to be asked for.
        checkRun(run,
                 {{"resources/punch.wav", reportFor(how)},
                  {"resources/enemy_punch.wav", Report::AtMostOnce},
                  {"resources/enemy_die.wav", Report::AtMostOnce}},
                 std::string("sounds ") + damageName(how), kEnemySounds);
        int trackLines = 0;
        for (const char* file : tracks) trackLines += linesWith(run.err, file);
        if (how == Damage::Truncated) {
            EXPECT_LE(trackLines, 1) << run.err;
        } else {
            EXPECT_EQ(trackLines, 1) << run.err;
        }
    }
}

// Programs built from each base path: the model program by the planet, the enemy model, the
// player and its two fists; every other one once. Each construction reports for itself.
struct ShaderOwners {
    const char* base;
    int owners;
};
const ShaderOwners kShaders[] = {
    {"shaders/planet_shader", 5}, {"shaders/sun_shader", 1}, {"shaders/shadow_shader", 1},
    {"shaders/hud", 1}};

TEST(BrokenData, DamagedShaderStagesAreReportedPerProgramAndTheGameRunsOn) {
    int programs = 0;
    for (const ShaderOwners& s : kShaders) programs += s.owners;
    for (const char* stage : {".vert", ".frag"}) {
        for (Damage how : kDamages) {
            Scratch scratch;
            for (const ShaderOwners& s : kShaders) scratch.damage(s.base + std::string(stage), how);
            const GameRun run = play(scratch);
            const std::string what = std::string("shaders *") + stage + " " + damageName(how);
            checkRun(run, {}, what);
            for (const ShaderOwners& s : kShaders) {
                const std::string file = s.base + std::string(stage);
                EXPECT_EQ(linesWith(run.err, file), how == Damage::Missing ? s.owners : 0)
                    << what << ": " << file;
            }
            // A source that is there but does not compile is told on standard output.
            const int expected = how == Damage::Missing ? 0 : programs;
            // A cut-off source may still compile (a stage without main), then fails to link.
            const int compileFailures = linesWith(run.out, "Shader compilation failed.");
            if (how == Damage::Truncated) {
                EXPECT_LE(compileFailures, expected) << what;
            } else {
                EXPECT_EQ(compileFailures, expected) << what;
            }
            EXPECT_EQ(linesWith(run.out, "Shader linking failed."), expected) << what;
        }
    }
}

// 18-byte TGA header: uncompressed true colour (type 2) or its run-length form (type 10),
// 32 bits per pixel, followed by `pixelBytes`.
std::string tgaHeader(int type, int width, int height, const std::string& pixelBytes) {
    std::string h(18, '\0');
    h[2] = static_cast<char>(type);
    h[12] = static_cast<char>(width & 0xff);
    h[13] = static_cast<char>(width >> 8);
    h[14] = static_cast<char>(height & 0xff);
    h[15] = static_cast<char>(height >> 8);
    h[16] = 32;
    return h + pixelBytes;
}

TEST(BrokenData, ForgedImageHeadersAreReportedOnce) {
    Scratch scratch;
    scratch.write("resources/planet.tga", tgaHeader(2, 65535, 65535, std::string(64, 'x')));
    scratch.write("resources/enemy.tga", tgaHeader(2, 16384, 16384, std::string(64, 'x')));
    scratch.write("resources/player_texture.tga", tgaHeader(10, 16000, 16000, "\x81xxxx"));
    scratch.write("resources/font.tga", tgaHeader(2, 0, 0, std::string(64, 'x')));
    std::vector<Expect> expected;
    for (const char* file : kTextures) expected.push_back({file, Report::Once});
    checkRun(play(scratch), expected, "forged TGA headers");
}

TEST(BrokenData, MeshIndicesOutOfRangeAndAMissingMaterialAreReportedOnce) {
    const std::string triangle = "mtllib planet.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n";
    Scratch scratch;
    scratch.write("resources/planet.obj", triangle + "f 1 2 99\n");
    scratch.write("resources/enemy.obj", triangle + "f 1 2 -99\n");
    scratch.write("resources/player.obj", triangle + "f 0 1 2\n");
    scratch.write("resources/fist.obj", triangle + "f 1/99/1 2/1/1 3/1/1\n");
    scratch.write("resources/sun.obj", triangle + "f 1//99 2//1 3//1\n");
    std::vector<Expect> expected;
    for (const char* mesh : {"planet", "enemy", "player", "fist"}) {
        expected.push_back({std::string("resources/") + mesh + ".obj", Report::Once});
    }
    // The importer drops a normal index out of range, and the sun asks for no normals.
    expected.push_back({"resources/sun.obj", Report::AtMostOnce});
    checkRun(play(scratch), expected, "indices out of range");

    Scratch noMaterial;
    fs::remove(fs::path(noMaterial.dir()) / "resources/enemy.mtl");
    checkRun(play(noMaterial), {{"enemy.mtl", Report::Once}, {"resources/enemy.obj", Report::Once}},
             "enemy.mtl missing");
}

// A RIFF/WAVE file whose chunk sizes promise far more than the file holds.
std::string lyingWav(uint32_t dataBytes, uint16_t channels, uint16_t bits) {
    auto u32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    const uint32_t rate = 44100;
    return "RIFF" + u32(0x7ffffff0u) + "WAVEfmt " + u32(16) + u16(1) + u16(channels) + u32(rate) +
           u32(rate * channels * bits / 8) + u16(static_cast<uint16_t>(channels * bits / 8)) +
           u16(bits) + "data" + u32(dataBytes) + std::string(100, '\x10');
}

TEST(BrokenData, WavesWithLyingHeadersDoNotStopTheGame) {
    Scratch scratch;
    scratch.write("resources/punch.wav", lyingWav(0x7fffff00u, 2, 16));
    scratch.write("resources/enemy_punch.wav", lyingWav(100, 0, 16));
    scratch.write("resources/enemy_die.wav", lyingWav(100, 2, 0));
    // A header too long for its file may still be played for what it holds.
    checkRun(play(scratch),
             {{"resources/punch.wav", Report::AtMostOnce},
              {"resources/enemy_punch.wav", Report::AtMostOnce},
              {"resources/enemy_die.wav", Report::AtMostOnce}},
             "lying WAV headers", kEnemySounds);
}

}  // namespace
