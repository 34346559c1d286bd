// The loop that brings a player back: lose, see how the game did against the best, play again;
// pause by key and by leaving the window; results that a kill at the worst moment cannot tear.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "GameSession.h"
#include "support/Fixtures.h"

namespace {

using Shot = GameSession::Shot;
const unsigned char kRedLo[3] = {230, 30, 30}, kRedHi[3] = {255, 70, 70};
const unsigned char kGreenLo[3] = {30, 230, 30}, kGreenHi[3] = {70, 255, 70};

// The lines of results: those that begin with a digit.
int resultLines(const std::string& path) {
    const std::string text = readFile(path);
    const std::regex line("(^|\n)[0-9]");
    return int(std::distance(std::sregex_iterator(text.begin(), text.end(), line), {}));
}

bool gameOverShown(const Shot& s) {
    return s.text(-0.32f, -0.95f, 0.1f, 10, kRedLo, kRedHi) > 200;
}

// The tens of seconds of the clock "Zeit": one character cell of "00:00:00".
Shot::Rgb tensOfSeconds(const Shot& s) {
    const int x0 = int(1.5f / 2.0f * s.width) + 6 * int(0.0375f / 2.0f * s.width);
    return s.crop(x0, int(0.075f * s.height), x0 + int(0.0375f / 2.0f * s.width),
                  int(0.1f * s.height));
}

// Polls screenshots (at most `seconds`) until two taken half a second apart are the same.
bool holdsStill(GameSession& game, double seconds) {
    for (double waited = 0.0; waited < seconds; waited += 0.5) {
        const Shot a = game.screenshot();
        sleepSeconds(0.5);
        if (a.rgb == game.screenshot().rgb)
            return true;
    }
    return false;
}

// Whether the picture changes within `seconds`: a running game soon does, however slowly.
bool moves(GameSession& game, double seconds = 10) {
    const Shot a = game.screenshot();
    return within(seconds, [&] { return a.rgb != game.screenshot().rgb; });
}

// Seed 9 loses a game in which the character stands still after about 16 s, long enough
// for the clock's tens of seconds to show. The player's data lives in a folder of the test's.
struct Player {
    TempDir data;
    std::string results = data.file("quorvex/results");
    std::vector<std::string> env = {"env", "QUORVEX_SEED=9", "XDG_DATA_HOME=" + data.path()};
};

void start(GameSession& game) {
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    game.movePointer(640, 180);
    game.holdButton(1, 0.2);
    ASSERT_TRUE(game.waitForOutput("\n", 10)) << game.standardError();
}

// The first game is walked, punched and lost; the second paused twice and quit. Both are
// recorded: the lost one plays back from its replay without a window to the same checks, and
// in the window at the recorded pace to the same head-up display at its end.
TEST(ComeBack, LoseSeeTheResultPlayAgainPauseByKeyAndByFocusQuitThenWatchTheLostGame) {
    Player player;
    GameSession game(QUORVEX_SOURCE_DIR, player.env);
    ASSERT_NO_FATAL_FAILURE(start(game));
    Shot first; // the clock of the game's first frame, within ten seconds of play
    within(10, [&] { return (first = game.screenshot()).text(-0.9f, 0.85f, 0.05f, 5) > 30; });
    const Shot::Rgb zero = tensOfSeconds(first);
    game.holdKey("w", 1.0);
    game.holdButton(1, 1.0);

    Shot over;
    for (int i = 0; i < 240 && !gameOverShown(over); ++i, sleepSeconds(0.25))
        over = game.screenshot();
    ASSERT_TRUE(gameOverShown(over)) << "the character standing still never lost";
    EXPECT_EQ(resultLines(player.results), 1) << readFile(player.results);
    // "Klick: neues Spiel" after a second.
    auto prompt = [](const Shot& s) { return s.text(-0.27f, -0.995f, 0.04f, 18); };
    for (int i = 0; i < 40 && prompt(over) < 50; ++i, sleepSeconds(0.25))
        over = game.screenshot();
    EXPECT_GT(prompt(over), 50) << "no prompt";
    EXPECT_GT(over.text(-0.34125f, -0.56f, 0.07f, 13, kGreenLo, kGreenHi), 100) << "Neuer Rekord!";
    EXPECT_NE(tensOfSeconds(over), zero) << "the lost game lasted ten seconds at least";

    game.holdButton(1, 0.2);
    Shot fresh = game.screenshot();
    for (int i = 0; i < 40 && gameOverShown(fresh); ++i, sleepSeconds(0.25))
        fresh = game.screenshot();
    EXPECT_FALSE(gameOverShown(fresh));
    EXPECT_GT(fresh.text(-0.9f, 0.8f, 0.05f, 3, kGreenLo, kGreenHi), 5) << "lives not full";
    EXPECT_EQ(tensOfSeconds(fresh), zero) << "the clock did not start again";

    game.holdKey("p", 0.2);
    ASSERT_TRUE(holdsStill(game, 5)) << "P did not pause";
    EXPECT_GT(game.screenshot().text(-0.225f, 0.3f, 0.12f, 5), 100);
    EXPECT_FALSE(moves(game, 1.5)) << "the paused game moved on";
    game.holdKey("p", 0.2);
    EXPECT_TRUE(moves(game)) << "P did not resume";

    game.stealFocus();
    ASSERT_TRUE(holdsStill(game, 5)) << "losing the focus did not pause";
    EXPECT_FALSE(moves(game, 1.5));
    game.giveFocusBack();
    game.holdButton(1, 0.2);
    EXPECT_TRUE(moves(game)) << "a click did not resume";

    game.holdKey("Escape", 0.3);
    EXPECT_EQ(game.waitForExit(10), 0);
    ASSERT_EQ(resultLines(player.results), 2) << "the game quit while it ran is kept too";

    // The lost game is the best: its replay is named at the end of the first result's line.
    const std::string results = readFile(player.results);
    const std::size_t end = results.find(".replay\n");
    const std::string lost =
        player.data.file("quorvex/replays/" + results.substr(results.rfind(' ', end) + 1,
                                                             end + 6 - results.rfind(' ', end)));
    for (const std::string& file : {lost, player.data.file("quorvex/last.replay")}) {
        const std::string check = "'" QUORVEX_BINARY "' --replay '" + file + "' --check";
        EXPECT_EQ(std::system((check + " | grep -q ': as recorded ('").c_str()), 0) << file;
    }
    GameSession watched(QUORVEX_SOURCE_DIR, player.env, {QUORVEX_BINARY, "--replay", lost});
    ASSERT_TRUE(watched.hasWindow()) << watched.standardError();
    Shot last;
    for (int i = 0; i < 240 && last.text(-0.39375f, -0.74f, 0.05f, 21) < 100;
         ++i, sleepSeconds(0.25))
        last = watched.screenshot();
    EXPECT_TRUE(gameOverShown(last)) << "the replay did not end in the loss";
    // Lives, super punch, kills and clock: the top fifth of the picture, as the game ended.
    EXPECT_EQ(last.crop(0, 0, last.width, last.height / 5),
              over.crop(0, 0, over.width, over.height / 5));
    EXPECT_GT(last.text(-0.9f, 0.5f, 0.05f, 12), 50) << "Wiederholung";
    watched.holdKey("Escape", 0.3);
    EXPECT_EQ(watched.waitForExit(10), 0);
}

// The quit game's results are being written when the game is killed: strace holds up every
// flush for a few seconds, so the new file beside the old one waits there (after the
// replays') long enough to be seen. The next start finds the old file whole and adds to it.
TEST(ComeBack, AKillWhileTheResultsAreWrittenLeavesTheOldFileWhole) {
    Player player;
    std::filesystem::create_directories(player.data.file("quorvex"));
    const std::string old = "quorvex results 1\n42.000 7 2026-12-01T12:00:00Z\n";
    std::ofstream(player.results) << old;
    {
        GameSession game(QUORVEX_SOURCE_DIR,
                         {"env", "XDG_DATA_HOME=" + player.data.path(), "strace", "-f", "-qq", "-o",
                          "/dev/null", "-e", "trace=fsync", "-e",
                          "inject=fsync:delay_enter=2000000"});
        ASSERT_NO_FATAL_FAILURE(start(game));
        game.holdKey("Escape", 0.3);
        const std::string fresh = player.results + ".new";
        for (int i = 0; i < 1200 && !std::filesystem::exists(fresh); ++i)
            sleepSeconds(0.05);
        ASSERT_TRUE(std::filesystem::exists(fresh)) << "no write began";
        // The game is strace's child.
        const std::string children = readFile("/proc/" + std::to_string(game.pid()) + "/task/" +
                                              std::to_string(game.pid()) + "/children");
        ASSERT_EQ(kill(std::stoi(children), SIGKILL), 0);
        game.waitForExit(10);
    }
    EXPECT_EQ(readFile(player.results), old);

    GameSession again(QUORVEX_SOURCE_DIR, player.env);
    ASSERT_NO_FATAL_FAILURE(start(again));
    again.holdKey("Escape", 0.3);
    EXPECT_EQ(again.waitForExit(10), 0);
    EXPECT_EQ(again.standardError().find("results"), std::string::npos) << again.standardError();
    EXPECT_EQ(resultLines(player.results), 2) << readFile(player.results);
}

} // namespace
