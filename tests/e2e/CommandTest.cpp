// The installed command as a player runs it: by name from a prefix moved as a whole, started in a
// folder that has nothing to do with the game, with options, switched to fullscreen and back.
#include <gtest/gtest.h>

#include <filesystem>

#include "GameSession.h"
#include "support/Fixtures.h"

namespace fs = std::filesystem;

namespace {

using Shot = GameSession::Shot;

// Waits up to 20 s for the window to take the size and show the start screen at it.
void expectWindow(const GameSession& game, int width, int height, const char* after) {
    Shot shot;
    within(20, [&] {
        shot = game.screenshot();
        return shot.width == width && shot.height == height && litPlanetDiscFault(shot).empty();
    });
    EXPECT_EQ(std::pair(shot.width, shot.height), std::pair(width, height)) << after;
    EXPECT_EQ(litPlanetDiscFault(shot), "") << after;
}

} // namespace

TEST(InstalledCommand, MovedTreeRunFromElsewhereSizedByOptionsSwitchesFullscreenAndKeepsVolume) {
    TempDir tmp;
    const fs::path root = tmp.path();
    // A space in the prefix catches unquoted paths; the move, a tree that only works where built.
    const std::string install = "'" QUORVEX_CMAKE "' --install '" QUORVEX_BUILD_DIR "' --prefix '" +
                                tmp.file("pre fix") + "' >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    fs::rename(root / "pre fix", root / "moved prefix");
    // A game that read the working directory's refused configuration would end with 2.
    fs::create_directories(root / "elsewhere/resources");
    tmp.write("elsewhere/resources/config", "window\n0\n0\n");
    const fs::path settings = root / "state/quorvex/settings";
    fs::create_directories(settings.parent_path());
    tmp.write("state/quorvex/settings", "quorvex-settings 1\nmusic-volume 0.5\n");

    GameSession game(tmp.file("elsewhere"),
                     {"env", "HOME=" + tmp.file("home"), "XDG_CONFIG_HOME=" + tmp.file("config"),
                      "XDG_STATE_HOME=" + tmp.file("state"),
                      "PATH=" + tmp.file("moved prefix/games") + ":/usr/bin:/bin"},
                     {"quorvex", "--window", "--size", "800x600", "--seed", "7"});
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    expectWindow(game, 800, 600, "start");
    game.resize(640, 480); // as a window manager would; the size to come back to
    game.holdKey("F11", 0.2);
    expectWindow(game, 1280, 720, "F11");
    game.holdKey("alt+Return", 0.2);
    expectWindow(game, 640, 480, "Alt+Enter");

    // The remembered 0.5, two steps down.
    game.movePointer(400, 150);
    game.holdButton(1, 0.3);
    ASSERT_TRUE(game.waitForOutput("\n", 10)) << "the click did not start the game";
    for (int i = 0; i < 2; ++i, sleepSeconds(0.1))
        game.holdKey("n", 0.2);
    game.holdKey("Escape", 0.5);
    EXPECT_EQ(game.waitForExit(10), 0) << game.standardError();
    EXPECT_EQ(readFile(settings), "quorvex-settings 1\nmusic-volume 0.3\n");
    EXPECT_EQ(game.standardError().find("resources/"), std::string::npos) << game.standardError();
    EXPECT_FALSE(fs::exists(root / "config")) << "the player's configuration was made";
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "elsewhere"), {}), 1)
        << "files were left in the working directory";
}
