#include <gtest/gtest.h>

#include "app/Options.h"

namespace {

// The options that differ from the defaults, in a fixed order, or the refusal.
std::string described(const std::vector<std::string>& args) {
    const OptionsResult r = parseOptions(args);
    if (!r.ok)
        return r.error;
    const Options& o = r.options;
    std::string s = o.mode == Options::Mode::Fullscreen ? "fullscreen "
                    : o.mode == Options::Mode::Window   ? "window "
                                                        : "";
    s += o.width ? std::to_string(o.width) + "x" + std::to_string(o.height) + " " : "";
    s += o.config.empty() ? "" : "config=" + o.config + " ";
    s += o.data.empty() ? "" : "data=" + o.data + " ";
    s += o.seeded ? "seed=" + std::to_string(o.seed) + " " : "";
    return s + (o.help ? "help " : "") + (o.version ? "version " : "");
}

} // namespace

TEST(Options, EachOptionAloneAndTogetherTheLastOfAPairCounting) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, ""},
        {{"--fullscreen"}, "fullscreen "},
        {{"--fullscreen", "--window"}, "window "},
        {{"--window", "--fullscreen"}, "fullscreen "},
        {{"--size", "800x600"}, "800x600 "},
        {{"--size=1x2147483647", "--size", "640x480"}, "640x480 "},
        {{"--config", "my file", "--data=../d"}, "config=my file data=../d "},
        {{"--config=a=b"}, "config=a=b "},
        {{"--seed", "18446744073709551615"}, "seed=18446744073709551615 "},
        {{"--seed=0", "--window", "--size=8x6"}, "window 8x6 seed=0 "},
        {{"--version", "--help"}, "help version "},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(described(args), expected) << ::testing::PrintToString(args);
}

TEST(Options, EveryUnknownOptionMissingOrBadValueIsNamed) {
    const std::string notSize = "\" is not WIDTHxHEIGHT in pixels, such as 1280x720";
    const std::string notSeed = "\" is not a seed (decimal digits, below 2^64)";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus"}, "unknown option \"--bogus\""},
        {{"-h"}, "unknown option \"-h\""},
        {{"--Window"}, "unknown option \"--Window\""},
        {{"--window", "file"}, "unexpected argument \"file\""},
        {{"--window=yes"}, "--window takes no value"},
        {{"--help="}, "--help takes no value"},
        {{"--size"}, "--size needs a value: WIDTHxHEIGHT"},
        {{"--size="}, "--size needs a value: WIDTHxHEIGHT"},
        {{"--config"}, "--config needs a value: FILE"},
        {{"--data", ""}, "--data needs a value: DIR"},
        {{"--seed"}, "--seed needs a value: N"},
        {{"--seed", "-1"}, "--seed \"-1" + notSeed},
        {{"--seed=12a"}, "--seed \"12a" + notSeed},
        {{"--seed", "18446744073709551616"}, "--seed \"18446744073709551616" + notSeed},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(described(args), expected) << ::testing::PrintToString(args);
    for (const char* size : {"800", "800x", "x600", "0x600", "800x0", "800x-6", "+800x600",
                             "800x600px", "800X600", "2147483648x1", "99999999999x1", "8x6x4"})
        EXPECT_EQ(described({"--size", size}), "--size \"" + std::string(size) + notSize);
}

TEST(Options, TheCommandLineOverridesTheConfigurationsModeAndSize) {
    const GameConfig file{true, 1280, 720};
    Options options;
    const GameConfig same = withOptions(file, options);
    EXPECT_EQ(std::tuple(same.fullscreen, same.width, same.height), std::tuple(true, 1280, 720));
    options.mode = Options::Mode::Window;
    options.width = 800;
    options.height = 600;
    const GameConfig chosen = withOptions(file, options);
    EXPECT_EQ(std::tuple(chosen.fullscreen, chosen.width, chosen.height),
              std::tuple(false, 800, 600));
    options.mode = Options::Mode::Fullscreen;
    EXPECT_TRUE(withOptions({false, 1, 1}, options).fullscreen);
}

TEST(Options, TheSeedOptionBeforeTheVariableBeforeAFreshSeed) {
    const auto chosen = [](const std::vector<std::string>& args, const char* variable) {
        std::uint64_t seed = 99;
        std::string error;
        const bool ok = chooseSeed(parseOptions(args).options, variable, seed, error);
        return ok ? std::to_string(seed) : error;
    };
    EXPECT_EQ(chosen({}, nullptr), "99");
    EXPECT_EQ(chosen({}, "12"), "12");
    EXPECT_EQ(chosen({"--seed=5"}, "12"), "5");
    EXPECT_EQ(chosen({"--seed=5"}, "5x"), "5");
    EXPECT_EQ(chosen({}, "5x"), "QUORVEX_SEED: not a seed (decimal digits): 5x");
}
