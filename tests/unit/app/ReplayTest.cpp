// A recorded game plays back to the same world whatever the frame times it was played at and
// whatever the watcher's frame rate or input; a damaged file is refused with its reason.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "app/Game.h"
#include "audio/SoundEngine.h"
#include "io/Report.h"
#include "player/Player.h"
#include "support/ScriptedScreen.h"

namespace {

// Twenty seconds of fighting (walking, turning, punching, two super punches, zooming, a
// pause), then standing still until the enemies win.
FrameInput script(double t) {
    FrameInput in;
    if (t > 20.0)
        return in;
    const int s = static_cast<int>(t);
    in.w = s % 4 < 2;
    in.d = s % 7 == 3;
    in.a = s % 9 == 5;
    in.mouseX = 640 + static_cast<int>(300.0 * std::cos(t * 1.3));
    in.mouseY = 360 + static_cast<int>(300.0 * std::sin(t * 1.3));
    in.leftButton = std::fmod(t, 0.4) < 0.15;
    in.rightButton = s == 2 || s == 18;
    in.plus = s == 6;
    in.minus = s == 8;
    in.p = s == 10 || s == 12; // a pause from the tenth second to the twelfth
    return in;
}

// A game from the start click to its loss, frame i coming `gap(i)` seconds after the last.
Replay play(std::uint64_t seed, const std::function<double(int)>& gap) {
    double now = 0.0, t = 0.0;
    auto game = Game::create(
        1280, 720, [&] { return now; }, &SoundEngine::createSilent, Graphics::Off, seed);
    ScriptedScreen screen;
    now = 0.2; // the start screen's time runs on the cadence
    screen.in.leftButton = true;
    game->startScreenFrame(screen);
    for (int i = 0; i < 200000 && game->world().player->lives > 0.0f; ++i) {
        now += gap(i);
        t += gap(i);
        screen.in = script(t);
        game->gameFrame(screen);
    }
    EXPECT_LE(game->world().player->lives, 0.0f);
    EXPECT_GT(game->world().kills, 0);
    const ReplayRead read = decodeReplay(encodeReplay(game->recording()));
    EXPECT_TRUE(read.ok) << read.problem;
    return read.replay;
}

struct Watched {
    bool same = false;
    double seconds = 0.0; // watched until the last frame
};

// Watches `replay` at `fps` with `in` held all along, as `--replay` does.
Watched watch(const Replay& replay, double fps, const FrameInput& in) {
    double now = 0.0;
    auto game = Game::create(
        1280, 720, [&] { return now; }, &SoundEngine::createSilent, Graphics::Off, replay.seed);
    game->watch(replay, "watched");
    ScriptedScreen screen;
    screen.in = in;
    while (!game->playback()->finished() && now < 3600.0) {
        now += 1.0 / fps;
        game->replayFrame(screen);
    }
    const World& w = game->world();
    return {!game->playback()->diverged() && w.kills == replay.kills &&
                w.player->lives == replay.lives && game->shell().state.gameClock == replay.seconds,
            now};
}

std::vector<std::string> lines;

} // namespace

TEST(Replay, AScriptedGamePlaysBackExactlyAtItsPaceWhateverTheWatchersRateOrInput) {
    setReportSink([](ReportStream, const std::string& line) { lines.push_back(line); });
    const Replay steady = play(11, [](int) { return 1.0 / 60.0; });
    EXPECT_GT(steady.checks.size(), 20u);
    FrameInput meddling;
    meddling.w = meddling.leftButton = meddling.rightButton = true;
    meddling.mouseX = 5;
    const Watched watched = watch(steady, 144.0, meddling);
    EXPECT_TRUE(watched.same);
    EXPECT_NEAR(watched.seconds, steady.seconds, 0.02) << "not the recorded pace";

    // Frame times from a thousandth of a second to gaps longer than any frame may play.
    unsigned x = 1;
    const Replay wild = play(12, [&](int) {
        x = x * 1103515245u + 12345u;
        return 0.001 + (x >> 16) % 400 / 1000.0;
    });
    EXPECT_TRUE(watch(wild, 30.0, FrameInput{}).same);
    EXPECT_TRUE(lines.empty()) << lines.front();

    // Punches that were not thrown, and a world that is not as recorded at the fourth second:
    // each difference is told once, with the frame where it shows.
    Replay changed = steady, forged = steady;
    for (ReplayFrame& f : changed.frames)
        f.commands.punch = false;
    forged.checks[3].state ^= 1;
    for (const Replay& r : {changed, forged}) {
        lines.clear();
        EXPECT_FALSE(watch(r, 60.0, FrameInput{}).same);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].find("watched: the game differs from the recording from frame "),
                  std::string::npos);
    }
    EXPECT_NE(lines[0].find(" frame " + std::to_string(forged.checks[3].frame) + " ("),
              std::string::npos)
        << lines[0];
    setReportSink(nullptr);
}

TEST(Replay, TheFileIsSmallAndAnyDamageIsRefusedWithItsReason) {
    Replay r;
    r.seed = 42;
    for (int i = 0; i < 3 * 60 * 60; ++i) { // three minutes at 60 frames a second
        ReplayFrame f;
        f.dt = static_cast<float>(1.0 / 60.0 + (i % 7) * 1e-4);
        f.commands.facing = static_cast<float>(i % 360);
        f.commands.forward = i % 300 < 100 ? 1.0f : 0.0f;
        f.commands.punch = i % 20 == 0;
        r.frames.push_back(f);
    }
    r.checks = {{59, 1}, {119, 2}};
    const std::string bytes = encodeReplay(r);
    EXPECT_LT(bytes.size(), 120000u);
    const ReplayRead back = decodeReplay(bytes);
    ASSERT_TRUE(back.ok) << back.problem;
    EXPECT_EQ(encodeReplay(back.replay), bytes);

    std::string newer = bytes, flipped = bytes;
    newer[8] = 2;
    flipped[bytes.size() / 2] ^= 4;
    const std::pair<std::string, std::string> cases[] = {
        {"", "not a replay"},
        {"QVREPLAY", "cut short"},
        {bytes.substr(0, bytes.size() - 1), "damaged or cut short (its checksum does not match)"},
        {flipped, "damaged or cut short (its checksum does not match)"},
        {newer, "from a newer version of the game (format 2)"},
    };
    for (const auto& [text, problem] : cases)
        EXPECT_EQ(decodeReplay(text).problem, problem);
}
