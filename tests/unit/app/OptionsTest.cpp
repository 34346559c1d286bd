#include <gtest/gtest.h>

#include "app/Options.h"

// The options that differ from the defaults, in a fixed order, or the refusal.
static std::string described(const std::vector<std::string>& args) {
    const OptionsResult r = parseOptions(args);
    const Options& o = r.options;
    const char* modes[] = {"", "fullscreen ", "window "};
    return !r.ok ? r.error
                 : modes[int(o.mode)] +
                       (o.width ? std::to_string(o.width) + "x" + std::to_string(o.height) + " "
                                : "") +
                       (o.config.empty() ? "" : "config=" + o.config + " ") +
                       (o.data.empty() ? "" : "data=" + o.data + " ") +
                       (o.seeded ? "seed=" + std::to_string(o.seed) + " " : "") +
                       (o.help ? "help " : "") + (o.version ? "version " : "");
}

// Alone and together, the last of a pair counting; every unknown option, missing or bad value
// is named.
TEST(Options, EachOptionIsTakenOrRefusedByName) {
    const std::string notSize = "\" is not WIDTHxHEIGHT in pixels, such as 1280x720";
    const std::string notSeed = "\" is not a seed (decimal digits, below 2^64)";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, ""},
        {{"--fullscreen", "--window"}, "window "},
        {{"--window", "--fullscreen"}, "fullscreen "},
        {{"--size=1x2147483647", "--size", "640x480"}, "640x480 "},
        {{"--config", "my file", "--data=../d"}, "config=my file data=../d "},
        {{"--config=a=b"}, "config=a=b "},
        {{"--seed", "18446744073709551615", "--version", "--help"},
         "seed=18446744073709551615 help version "},
        {{"-h"}, "unknown option \"-h\""},
        {{"--window", "file"}, "unexpected argument \"file\""},
        {{"--window=yes"}, "--window takes no value"},
        {{"--size"}, "--size needs a value: WIDTHxHEIGHT"},
        {{"--data="}, "--data needs a value: DIR"},
        {{"--config", ""}, "--config needs a value: FILE"},
        {{"--seed", "-1"}, "--seed \"-1" + notSeed},
        {{"--seed=18446744073709551616"}, "--seed \"18446744073709551616" + notSeed},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(described(args), expected) << ::testing::PrintToString(args);
    for (const char* size : {"800", "x600", "0x600", "800x-6", "+800x600", "800x600px", "800X600",
                             "2147483648x1", "99999999999x1", "8x6x4"})
        EXPECT_EQ(described({"--size", size}), "--size \"" + std::string(size) + notSize);
}

TEST(Options, TheModeAndSizeOverrideTheConfigurationsTheSeedTheVariables) {
    const auto chosen = [](const std::vector<std::string>& args, GameConfig file) {
        const GameConfig c = withOptions(file, parseOptions(args).options);
        return std::to_string(c.fullscreen) + " " + std::to_string(c.width) + "x" +
               std::to_string(c.height);
    };
    EXPECT_EQ(chosen({}, {true, 1280, 720}), "1 1280x720");
    EXPECT_EQ(chosen({"--window", "--size=800x600"}, {true, 1280, 720}), "0 800x600");
    EXPECT_EQ(chosen({"--fullscreen"}, {false, 1, 1}), "1 1x1");
    const auto seed = [](const std::vector<std::string>& args, const char* variable) {
        std::uint64_t seed = 99;
        std::string error;
        const bool ok = chooseSeed(parseOptions(args).options, variable, seed, error);
        return ok ? std::to_string(seed) : error;
    };
    EXPECT_EQ(seed({}, nullptr) + seed({}, "12") + seed({"--seed=5"}, "5x"), "99125");
    EXPECT_EQ(seed({}, "5x"), "QUORVEX_SEED: not a seed (decimal digits): 5x");
}
