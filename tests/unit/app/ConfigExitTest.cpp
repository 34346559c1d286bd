#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct GameRun {
    int status;
    std::string stderrText;
};

// Runs the real game binary in a scratch directory whose resources/config holds `config`
// (or no config at all), with no display, so it can only end before opening a window.
GameRun runWithConfig(const char* config) {
    const fs::path dir = fs::temp_directory_path() / ("quorvex-config-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "resources");
    if (config) std::ofstream(dir / "resources" / "config", std::ios::binary) << config;
    const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY '" QUORVEX_BINARY
                                "' 2>&1 >/dev/null";
    GameRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 256> buffer{};
    while (pipe && fgets(buffer.data(), buffer.size(), pipe)) run.stderrText += buffer.data();
    const int raw = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    fs::remove_all(dir);
    return run;
}

TEST(ConfigExit, RefusedConfigurationEndsBeforeAnyWindowWithStatusTwo) {
    const struct {
        const char* config;
        const char* line;
    } cases[] = {
        {nullptr, "resources/config: cannot be read (missing or not readable)\n"},
        {"", "resources/config: has 0 lines, needs 3 (display mode, width, height)\n"},
        {"\n800\n600\n", "resources/config:1: the display mode line is empty\n"},
        {"w\n800\n", "resources/config: has 2 lines, needs 3 (display mode, width, height)\n"},
        {"w\nabc\n600\n", "resources/config:2: width \"abc\" is not a positive whole number\n"},
        {"w\n800\n-600\n", "resources/config:3: height \"-600\" is not a positive whole number\n"},
        {"w\n800\n0\n", "resources/config:3: height \"0\" is not a positive whole number\n"},
        {"\r\n800\r\n600\r\n", "resources/config:1: the display mode line is empty\n"},
        {"w\n99999999999\n600\n",
         "resources/config:2: width \"99999999999\" is not a positive whole number\n"},
    };
    for (const auto& c : cases) {
        const GameRun run = runWithConfig(c.config);
        EXPECT_EQ(run.status, 2) << (c.config ? c.config : "(missing)");
        EXPECT_EQ(run.stderrText, c.line);
    }
}

TEST(ConfigExit, ValidConfigurationWithoutADisplayFailsToOpenTheWindow) {
    const GameRun run = runWithConfig("window\n640\n480\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.stderrText.find("Failed to initialize OpenGL window.\n"), std::string::npos);
}

}  // namespace
