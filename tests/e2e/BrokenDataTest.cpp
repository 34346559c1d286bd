// The real game on damaged copies of every file it reads (missing, empty, cut short, noise, a
// directory, a named pipe).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "GameSession.h"
#include "support/Fixtures.h"

namespace fs = std::filesystem;

namespace {

enum Damage { Missing, Empty, Truncated, Garbage, Directory, Fifo };
const char* const kDamageNames[] = {"missing", "empty",     "truncated",
                                    "garbage", "directory", "fifo"};

void damage(const Scratch& scratch, const std::string& file, Damage how) {
    const fs::path& dir = scratch.dir;
    const std::string original = readFile(sourcePath(file));
    fs::remove(dir / file);
    if (how == Directory)
        fs::create_directory(dir / file);
    if (how == Fifo)
        mkfifo((dir / file).c_str(), 0600);
    if (how == Empty || how == Truncated)
        scratch.write(file, original.substr(0, how == Empty ? 0 : original.size() / 3));
    if (how == Garbage) { // deterministic noise, so that a failure repeats
        std::string noise(std::min<size_t>(original.size(), 64 * 1024), '\0');
        uint32_t x = uint32_t(std::hash<std::string>()(file)) * 2654435761u + 1u;
        for (char& c : noise)
            x ^= x << 13, x ^= x >> 17, x ^= x << 5, c = char(x);
        scratch.write(file, noise);
    }
}

int linesWith(const std::string& text, const std::string& needle) {
    std::istringstream in(text);
    int count = 0;
    for (std::string line; std::getline(in, line);)
        count += line.find(needle) != std::string::npos;
    return count;
}

// Lines on standard output (out) or error that mention `needle`: between min and max.
struct Expect {
    std::string needle;
    int min, max;
    bool out = false;
};

// One game run: files damaged one way, and the lines expected.
struct Case {
    std::string name;
    Damage how = Missing;
    std::vector<std::string> damaged;
    std::vector<Expect> expect;
};
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// resources/NAME.SUFFIX for each name, each expected in from `min` to 1 lines.
void add(Case& c, std::vector<std::string> names, const std::string& suffix, int min = -1) {
    for (const std::string& name : names) {
        if (min < 0)
            c.damaged.push_back("resources/" + name + suffix);
        else
            c.expect.push_back({"resources/" + name + suffix, min, 1});
    }
}

// Every file kind damaged `how`, in two runs: the meshes, textures, sounds and fragment shaders;
// the material libraries (told by the meshes that use them) and the vertex shaders.
std::vector<Case> damagedRuns(Damage how) {
    const std::vector<std::string> meshes = {"planet", "sun", "enemy", "player", "fist"};
    const std::vector<std::string> textures = {"planet", "enemy", "player_texture", "font"};
    const bool absent = how == Missing || how == Directory || how == Fifo;
    const int least = how == Truncated ? 0 : 1; // a cut-off file may still be usable
    const std::string suffix = std::string("_") + kDamageNames[how];
    Case data{"data_and_fragment_shaders" + suffix, how, {}, {}};
    Case materials{"materials_and_vertex_shaders" + suffix, how, {}, {}};
    add(data, meshes, ".obj");
    add(data, meshes, ".obj", least);
    add(data, textures, ".tga");
    add(data, textures, ".tga", least);
    add(data, {"track1", "track2", "track3", "track4"}, ".mp3");
    add(data, {"punch", "enemy_punch", "enemy_die"}, ".wav");
    // Only the punch and the one chosen track are sure to be asked for.
    add(data, {"punch"}, ".wav", least);
    add(data, {"enemy_punch", "enemy_die"}, ".wav", 0);
    data.expect.push_back({"resources/track", least, 1});
    add(materials, meshes, ".mtl");
    add(materials, meshes, ".obj", least);
    // Each program is built once a run and shared by every body that draws with it. A source
    // that is there but does not compile is told on standard output; a cut-off one may still
    // compile (a stage without main), and then fails to link.
    const int told = absent ? 0 : 4;
    for (auto [run, stage] : {std::pair{&data, ".frag"}, {&materials, ".vert"}}) {
        for (auto [base, owners] :
             {std::pair{"planet_shader", 1}, {"sun_shader", 1}, {"shadow_shader", 1}, {"hud", 1}}) {
            run->damaged.push_back(std::string("shaders/") + base + stage);
            run->expect.push_back({run->damaged.back(), absent ? owners : 0, absent ? owners : 0});
        }
        run->expect.push_back(
            {"Shader compilation failed.", how == Truncated ? 0 : told, told, true});
        run->expect.push_back({"Shader linking failed.", told, told, true});
    }
    return {data, materials};
}

std::vector<Case> cases() {
    std::vector<Case> all;
    for (Damage how : {Missing, Empty, Truncated, Garbage, Directory, Fifo})
        for (const Case& run : damagedRuns(how))
            all.push_back(run);
    return all;
}

// Lines that can only come from loading at start-up: sounds are first asked for when they are
// first heard, the music at the click, an effect when a punch or an enemy first calls for it.
int startupLines(const std::string& err) {
    return int(std::count(err.begin(), err.end(), '\n')) - linesWith(err, ".wav") -
           linesWith(err, ".mp3");
}

class Damaged : public ::testing::TestWithParam<Case> {};

// Starts the game, clicks it into play, punches once (so the music and the punch sound are
// loaded) and ends it with Escape: it must report, run on and exit with 0. The frames that run
// between the start and the end must report nothing more.
TEST_P(Damaged, IsReportedOnceAndTheGameRunsOn) {
    Scratch scratch;
    for (const std::string& file : GetParam().damaged)
        damage(scratch, file, GetParam().how);
    GameSession game(scratch.dir.string());
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    game.movePointer(900, 360);
    game.holdButton(1, 0.3);
    // The music's value (a line of its own, after any shader's complaint) is written once the
    // start screen has run: everything else is loaded.
    ASSERT_TRUE(within(20, [&] {
        return std::regex_search(game.standardOutput(), std::regex("(^|\n)[0-9][0-9.e+-]*\n"));
    })) << "the click did not start the game";
    const std::string early = game.standardError();
    game.holdButton(1, 0.3); // seen in play, before the Escape that follows
    game.holdKey("Escape", 0.3);
    EXPECT_EQ(game.waitForExit(20), 0);
    const std::string out = game.standardOutput(), err = game.standardError();
    SCOPED_TRACE("--- stderr ---\n" + err.substr(0, 4000));
    EXPECT_EQ(startupLines(err), startupLines(early))
        << "reports must come while loading, not per frame";
    for (const Expect& e : GetParam().expect) {
        const int lines = linesWith(e.out ? out : err, e.needle);
        EXPECT_TRUE(lines >= e.min && lines <= e.max) << lines << " lines with " << e.needle;
    }
}

INSTANTIATE_TEST_SUITE_P(BrokenData, Damaged, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return info.param.name;
                         });

} // namespace
