#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "app/Config.h"
#include "app/Options.h"
#include "support/Fixtures.h"

TEST(Config, ModeByItsFirstLetterSizesByAtoiRulesLaterLinesIgnored) {
    const ConfigResult r = parseConfig("Fenster\r\n+800px\r\n  600\r\nwindow\n-3\n", "c");
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(std::tuple(r.config.fullscreen, r.config.width, r.config.height),
              std::tuple(true, 800, 600));
    EXPECT_FALSE(parseConfig(" full\n800\n600\n", "c").config.fullscreen);
}

// Runs the real game with `config` as resources/config (nullptr: none; "/" a directory, "|" a
// named pipe), the shell words `args` after it and no display, so it can only end before
// opening a window: its exit status and what it wrote.
static std::pair<int, std::string> runWithConfig(const char* config, const std::string& args = "") {
    TempDir dir;
    std::filesystem::create_directories(dir.file("resources") +
                                        (config && *config == '/' ? "/config" : ""));
    if (config && *config == '|')
        mkfifo(dir.file("resources/config").c_str(), 0600);
    else if (config && *config != '/')
        dir.write("resources/config", config);
    const std::string command =
        "cd '" + dir.path() + "' && env -u DISPLAY '" QUORVEX_BINARY "' " + args + " 2>&1";
    std::string text;
    char buffer[256];
    FILE* pipe = popen(command.c_str(), "r");
    while (pipe && fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    const int raw = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text};
}

// Each with its own status; an accepted configuration goes on to open the window.
TEST(CommandExit, RefusalsHelpVersionAndMissingDataEndBeforeAnyWindow) {
    const std::pair<const char*, const char*> configs[] = {
        {nullptr, ": cannot be read (missing or not readable)"},
        {"/", ": cannot be read (missing or not readable)"},
        {"|", ": cannot be read (missing or not readable)"},
        {"w\n800\n", ": has 2 lines, needs 3 (display mode, width, height)"},
        {"\r\n800\r\n600\r\n", ":1: the display mode line is empty"},
        {"w\nabc\n600\n", ":2: width \"abc\" is not a positive whole number"},
        {"w\n800\n0\n", ":3: height \"0\" is not a positive whole number"},
        {"w\n800\n-6\n", ":3: height \"-6\" is not a positive whole number"},
        {"w\n99999999999\n600\n", ":2: width \"99999999999\" is not a positive whole number"}};
    for (const auto& [config, line] : configs)
        EXPECT_EQ(runWithConfig(config),
                  std::pair(2, "resources/config" + std::string(line) + "\n"));
    const std::pair<std::string, std::pair<int, std::string>> cases[] = {
        {"--version", {0, "quorvex " QUORVEX_VERSION "\n"}},
        {"--help", {0, helpText() + "\n"}},
        {"--help --bogus", {2, "quorvex: unknown option \"--bogus\"\n" + usageLine() + "\n"}},
        {"--data /no/data",
         {3, "quorvex: /no/data: no game data here (needs resources/ and shaders/)\n"}},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(runWithConfig("window\n640\n480\n", args), expected) << args;
    const auto [status, text] = runWithConfig("window\n640\n480\n");
    EXPECT_EQ(status, 1);
    EXPECT_NE(text.find("Failed to initialize OpenGL window.\n"), std::string::npos);
}
